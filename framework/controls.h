// The control wrappers the dialogs bind with DDX_Control: CButton, CComboBox, CListBox.
#pragma once

#include <windows.h>

#include "cstring.h"
#include "wnd.h"

class CButton : public CWnd {
  public:
    int GetCheck() const;
    void SetCheck(int nCheck);
};

class CComboBox : public CWnd {
  public:
    int GetCount() const;
    int GetCurSel() const;
    int SetCurSel(int nSelect);
    int GetLBTextLen(int nIndex) const;
    int GetLBText(int nIndex, LPSTR lpszText) const;
    void GetLBText(int nIndex, CString& rString) const;
    int AddString(LPCSTR lpszString);
    int InsertString(int nIndex, LPCSTR lpszString);
    int DeleteString(UINT nIndex);
    void ResetContent();
    // First item from after nStartAfter (-1: the top) that begins with the text, case ignored.
    int FindString(int nStartAfter, LPCSTR lpszString) const;
    int FindStringExact(int nIndexStart, LPCSTR lpszFind) const;
    int SelectString(int nStartAfter, LPCSTR lpszString);
};

class CListBox : public CWnd {
  public:
    int GetCount() const;
    int AddString(LPCSTR lpszItem);
    int InsertString(int nIndex, LPCSTR lpszItem);
    int DeleteString(UINT nIndex);
    void ResetContent();
    int GetTopIndex() const;
    int SetTopIndex(int nIndex);
    int GetTextLen(int nIndex) const;
    void GetText(int nIndex, CString& rString) const;
    // Reserves room for nItems more items of nBytes in all, so that a batch of adds does not
    // grow the list's storage item by item.
    int InitStorage(int nItems, UINT nBytes);
    // How far, in pixels, the list scrolls sideways: the width of its widest item.
    void SetHorizontalExtent(int cxExtent);
};

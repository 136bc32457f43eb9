// The control wrappers the dialogs bind with DDX_Control: CButton, CComboBox, CListBox.
#pragma once

#include <windows.h>

#include "cstring.h"
#include "wnd.h"

class CButton : public CWnd {};

class CComboBox : public CWnd {
  public:
    int GetCurSel() const;
    int SetCurSel(int nSelect);
    void GetLBText(int nIndex, CString& rString) const;
    int AddString(LPCSTR lpszString);
};

class CListBox : public CWnd {
  public:
    int GetCount() const;
    void GetText(int nIndex, CString& rString) const;
    int AddString(LPCSTR lpszItem);
    void ResetContent();
    int SetTopIndex(int nIndex);
    // Reserves room for nItems more items of nBytes in all, so that a batch of adds does not
    // grow the list's storage item by item.
    int InitStorage(int nItems, UINT nBytes);
    // How far, in pixels, the list scrolls sideways: the width of its widest item.
    void SetHorizontalExtent(int cxExtent);
};

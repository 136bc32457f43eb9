// The control wrappers the dialogs bind with DDX_Control: CButton, CComboBox, CListBox.
#pragma once

#include <windows.h>

#include <string>

#include "cstring.h"
#include "wnd.h"

class CButton : public CWnd {};

// A list or combo box that draws its own items (LBS_OWNERDRAWFIXED, CBS_OWNERDRAWFIXED) does it in
// these, which its parent's requests reach once the control is subclassed (SubclassDlgItem).
class COwnerDrawn : public CWnd {
  public:
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
    virtual void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct);
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};

class CComboBox : public COwnerDrawn {
  public:
    int GetCount() const;
    int GetCurSel() const;
    int SetCurSel(int nSelect);
    void GetLBText(int nIndex, CString& rString) const;
    int AddString(LPCSTR lpszString);
    int SetItemData(int nIndex, DWORD_PTR dwItemData);
    // nIndex -1: the box's own height; else the items'.
    int GetItemHeight(int nIndex) const;
    int SetItemHeight(int nIndex, UINT cyItemHeight);
    // The open list's width in pixels, when wider than the box.
    int SetDroppedWidth(UINT nWidth);
    // Whether the list is open.
    BOOL GetDroppedState() const;
    // The box's parts, the window of its list among them.
    BOOL GetComboBoxInfo(PCOMBOBOXINFO pcbi) const;
};

class CListBox : public COwnerDrawn {
  public:
    int GetCount() const;
    int AddString(LPCSTR lpszItem);
    void ResetContent();
    int SetTopIndex(int nIndex);
    // Reserves room for nItems more items of nBytes in all, so that a batch of adds does not
    // grow the list's storage item by item.
    int InitStorage(int nItems, UINT nBytes);
    // How far, in pixels, the list scrolls sideways: the width of its widest item.
    void SetHorizontalExtent(int cxExtent);
    // The height of every row, in pixels, of a list that draws its own items (LBS_OWNERDRAWFIXED).
    int SetItemHeight(int nIndex, UINT cyItemHeight);

    // The selected item, or LB_ERR when none is.
    int GetCurSel() const;
    int SetCurSel(int nSelect);
    // The item's text, as the ANSI bytes it was added with; empty for an index out of range.
    // Read in wide form, which a subclassed list box passes on unconverted, whatever its length.
    void GetText(int nIndex, CString& rString) const;
    // The item's text as the list holds it, in wide characters; empty for an index out of range.
    std::wstring GetWideText(int nIndex) const;
    // The item's rectangle in client coordinates; LB_ERR for an index out of range.
    int GetItemRect(int nIndex, LPRECT lpRect) const;
    // The item nearest the client point; bOutside TRUE when the point lies outside the client
    // area (under Wine also below the last item; Windows answers FALSE there).
    UINT ItemFromPoint(POINT pt, BOOL& bOutside) const;
};

// The control wrappers' members: each is one control message.
#include "controls.h"

#include <algorithm>
#include <string>
#include <utility>

namespace {

LPARAM TextParam(LPCSTR text) {
    return reinterpret_cast<LPARAM>(text);
}

}  // namespace

void COwnerDrawn::DrawItem(LPDRAWITEMSTRUCT) {}

void COwnerDrawn::MeasureItem(LPMEASUREITEMSTRUCT) {}

BOOL COwnerDrawn::OnChildNotify(UINT message, WPARAM, LPARAM lParam, LRESULT* pResult) {
    if (message == WM_DRAWITEM) {
        DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
    } else if (message == WM_MEASUREITEM) {
        MeasureItem(reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam));
    } else {
        return FALSE;
    }
    *pResult = TRUE;
    return TRUE;
}

int CComboBox::GetCount() const {
    return static_cast<int>(SendMessage(CB_GETCOUNT));
}

int CComboBox::GetCurSel() const {
    return static_cast<int>(SendMessage(CB_GETCURSEL));
}

int CComboBox::SetCurSel(int nSelect) {
    return static_cast<int>(SendMessage(CB_SETCURSEL, static_cast<WPARAM>(nSelect)));
}

void CComboBox::GetLBText(int nIndex, CString& rString) const {
    int length = static_cast<int>(SendMessage(CB_GETLBTEXTLEN, static_cast<WPARAM>(nIndex)));
    if (length == CB_ERR) {
        rString.Empty();
        return;
    }
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    length = static_cast<int>(SendMessage(CB_GETLBTEXT, static_cast<WPARAM>(nIndex),
                                          reinterpret_cast<LPARAM>(text.data())));
    text.resize(length > 0 ? static_cast<std::size_t>(length) : 0);
    rString = CString(std::move(text));
}

int CComboBox::AddString(LPCSTR lpszString) {
    return static_cast<int>(SendMessage(CB_ADDSTRING, 0, TextParam(lpszString)));
}

int CComboBox::SetItemData(int nIndex, DWORD_PTR dwItemData) {
    return static_cast<int>(
        SendMessage(CB_SETITEMDATA, static_cast<WPARAM>(nIndex), static_cast<LPARAM>(dwItemData)));
}

int CComboBox::GetItemHeight(int nIndex) const {
    return static_cast<int>(SendMessage(CB_GETITEMHEIGHT, static_cast<WPARAM>(nIndex)));
}

int CComboBox::SetItemHeight(int nIndex, UINT cyItemHeight) {
    return static_cast<int>(SendMessage(CB_SETITEMHEIGHT, static_cast<WPARAM>(nIndex),
                                        static_cast<LPARAM>(cyItemHeight)));
}

int CComboBox::SetDroppedWidth(UINT nWidth) {
    return static_cast<int>(SendMessage(CB_SETDROPPEDWIDTH, nWidth));
}

BOOL CComboBox::GetDroppedState() const {
    return static_cast<BOOL>(SendMessage(CB_GETDROPPEDSTATE));
}

BOOL CComboBox::GetComboBoxInfo(PCOMBOBOXINFO pcbi) const {
    return static_cast<BOOL>(SendMessage(CB_GETCOMBOBOXINFO, 0, reinterpret_cast<LPARAM>(pcbi)));
}

int CListBox::GetCount() const {
    return static_cast<int>(SendMessage(LB_GETCOUNT));
}

int CListBox::AddString(LPCSTR lpszItem) {
    return static_cast<int>(SendMessage(LB_ADDSTRING, 0, TextParam(lpszItem)));
}

void CListBox::ResetContent() {
    SendMessage(LB_RESETCONTENT);
}

int CListBox::SetTopIndex(int nIndex) {
    return static_cast<int>(SendMessage(LB_SETTOPINDEX, static_cast<WPARAM>(nIndex)));
}

int CListBox::InitStorage(int nItems, UINT nBytes) {
    return static_cast<int>(SendMessage(LB_INITSTORAGE, static_cast<WPARAM>(nItems), nBytes));
}

void CListBox::SetHorizontalExtent(int cxExtent) {
    SendMessage(LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(cxExtent));
}

int CListBox::SetItemHeight(int nIndex, UINT cyItemHeight) {
    return static_cast<int>(
        SendMessage(LB_SETITEMHEIGHT, static_cast<WPARAM>(nIndex), MAKELPARAM(cyItemHeight, 0)));
}

int CListBox::GetCurSel() const {
    return static_cast<int>(SendMessage(LB_GETCURSEL));
}

int CListBox::SetCurSel(int nSelect) {
    return static_cast<int>(SendMessage(LB_SETCURSEL, static_cast<WPARAM>(nSelect)));
}

void CListBox::GetText(int nIndex, CString& rString) const {
    // The list holds what LB_ADDSTRING made of the ANSI bytes; the ANSI code page gives them back.
    rString = CString(mirl::AnsiFromWide(GetWideText(nIndex)));
}

std::wstring CListBox::GetWideText(int nIndex) const {
    const auto index = static_cast<WPARAM>(nIndex);
    const auto length = static_cast<int>(::SendMessageW(m_hWnd, LB_GETTEXTLEN, index, 0));
    if (length == LB_ERR) return {};
    std::wstring wide(static_cast<std::size_t>(length) + 1, L'\0');
    const auto copied = static_cast<int>(
        ::SendMessageW(m_hWnd, LB_GETTEXT, index, reinterpret_cast<LPARAM>(wide.data())));
    wide.resize(static_cast<std::size_t>(std::max(copied, 0)));
    return wide;
}

int CListBox::GetItemRect(int nIndex, LPRECT lpRect) const {
    return static_cast<int>(
        SendMessage(LB_GETITEMRECT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpRect)));
}

UINT CListBox::ItemFromPoint(POINT pt, BOOL& bOutside) const {
    const auto found = static_cast<DWORD>(SendMessage(LB_ITEMFROMPOINT, 0, MAKELPARAM(pt.x, pt.y)));
    bOutside = HIWORD(found) != 0;
    return LOWORD(found);
}

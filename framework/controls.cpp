// The control wrappers' members: each is one control message.
#include "controls.h"

#include <string>

namespace {

LPARAM TextParam(LPCSTR text) {
    return reinterpret_cast<LPARAM>(text);
}

// An item's text in two steps, its length and then the text: the protocol that combo and list
// boxes share (CB_ERR and LB_ERR are both -1).
CString ItemText(const CWnd& box, UINT lengthMessage, UINT textMessage, int index) {
    int length = static_cast<int>(box.SendMessage(lengthMessage, static_cast<WPARAM>(index)));
    if (length < 0) return CString();
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    length = static_cast<int>(box.SendMessage(textMessage, static_cast<WPARAM>(index),
                                              reinterpret_cast<LPARAM>(text.data())));
    text.resize(length > 0 ? static_cast<std::size_t>(length) : 0);
    return CString(std::move(text));
}

}  // namespace

int CComboBox::GetCurSel() const {
    return static_cast<int>(SendMessage(CB_GETCURSEL));
}

int CComboBox::SetCurSel(int nSelect) {
    return static_cast<int>(SendMessage(CB_SETCURSEL, static_cast<WPARAM>(nSelect)));
}

void CComboBox::GetLBText(int nIndex, CString& rString) const {
    rString = ItemText(*this, CB_GETLBTEXTLEN, CB_GETLBTEXT, nIndex);
}

int CComboBox::AddString(LPCSTR lpszString) {
    return static_cast<int>(SendMessage(CB_ADDSTRING, 0, TextParam(lpszString)));
}

int CListBox::GetCount() const {
    return static_cast<int>(SendMessage(LB_GETCOUNT));
}

void CListBox::GetText(int nIndex, CString& rString) const {
    rString = ItemText(*this, LB_GETTEXTLEN, LB_GETTEXT, nIndex);
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

// The DDX_ routines over the controls' window messages.
#include "ddx.h"

#include "wnd.h"

HWND CDataExchange::PrepareCtrl(int nIDC) {
    return ::GetDlgItem(m_pDlgWnd->m_hWnd, nIDC);
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl) {
    HWND hCtrl = pDX->PrepareCtrl(nIDC);
    // Rebinding each time keeps a member right when the dialog object runs a second time.
    if (rControl.m_hWnd != hCtrl) rControl.Attach(hCtrl);
}

void DDX_CBString(CDataExchange* pDX, int nIDC, CString& value) {
    HWND hCombo = pDX->PrepareCtrl(nIDC);
    if (hCombo == nullptr) return;
    CWnd combo(hCombo);
    if (pDX->m_bSaveAndValidate) {
        combo.GetWindowText(value);
        if (!value.IsEmpty()) return;
        // A drop-down list's text is its selected item; read that if the text came back empty.
        LRESULT index = ::SendMessageA(hCombo, CB_GETCURSEL, 0, 0);
        if (index == CB_ERR) return;
        LRESULT length = ::SendMessageA(hCombo, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
        if (length <= 0) return;
        std::string text(static_cast<std::size_t>(length) + 1, '\0');
        length = ::SendMessageA(hCombo, CB_GETLBTEXT, static_cast<WPARAM>(index),
                                reinterpret_cast<LPARAM>(text.data()));
        text.resize(length > 0 ? static_cast<std::size_t>(length) : 0);
        value = CString(std::move(text));
        return;
    }
    // Index -1 searches the whole list from the top: "COM1" finds COM1 before COM10. Without a
    // match a drop-down list keeps its selection: it has no edit field to take other text.
    ::SendMessageA(hCombo, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                   reinterpret_cast<LPARAM>(value.GetString()));
}

// CDialog: modal run, the dialog procedure and the dialog manager's default handling.
#include "dialog.h"

#include "winapp.h"

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd) {}

HWND CDialog::FindOwner() const {
    if (m_pParentWnd != nullptr) return m_pParentWnd->m_hWnd;
    CWinApp* app = AfxGetApp();
    if (app == nullptr || app->m_pMainWnd == nullptr || app->m_pMainWnd == this) return nullptr;
    HWND hMain = app->m_pMainWnd->m_hWnd;
    return hMain != nullptr && ::IsWindow(hMain) ? hMain : nullptr;
}

INT_PTR CDialog::DoModal() {
    HINSTANCE hInstance = AfxGetResourceHandle();
    HWND hOwner = FindOwner();
    // `this` travels as the creation parameter; WM_INITDIALOG stores it in DWLP_USER.
    LPARAM self = reinterpret_cast<LPARAM>(this);
    INT_PTR result =
        ::DialogBoxParamA(hInstance, MAKEINTRESOURCEA(m_nIDTemplate), hOwner, &DialogProc, self);
    m_hWnd = nullptr;
    ReleaseChildWrappers();
    return result;
}

BOOL CDialog::OnInitDialog() {
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::EndDialog(int nResult) {
    ::EndDialog(m_hWnd, nResult);
}

void CDialog::OnOK() {
    if (!UpdateData(TRUE)) return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

BOOL CDialog::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    if (CWnd::OnWndMsg(message, wParam, lParam, pResult)) return TRUE;
    if (message != WM_COMMAND) return FALSE;
    UINT code = lParam == 0 ? 0 : HIWORD(wParam);
    UINT id = LOWORD(wParam);
    if (code == BN_CLICKED && id == IDOK) {
        OnOK();
        *pResult = 0;
        return TRUE;
    }
    if (code == BN_CLICKED && id == IDCANCEL) {
        OnCancel();
        *pResult = 0;
        return TRUE;
    }
    // Commands (not control notifications) nobody in the dialog handles go on to the
    // application: ID_HELP, for one.
    CWinApp* app = AfxGetApp();
    if (lParam != 0 || app == nullptr) return FALSE;
    return app->OnWndMsg(message, wParam, lParam, pResult);
}

LRESULT CDialog::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    // DefDlgProcA first calls the dialog procedure with the same message; that call answers FALSE
    // (m_passToDialogManager), so the dialog manager does its own handling without recursing.
    m_passToDialogManager = true;
    LRESULT result = ::DefDlgProcA(m_hWnd, message, wParam, lParam);
    m_passToDialogManager = false;
    return result;
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hWnd, UINT message, WPARAM wParam,
                                     LPARAM lParam) noexcept {
    CDialog* self = nullptr;
    if (message == WM_INITDIALOG) {
        self = reinterpret_cast<CDialog*>(lParam);
        ::SetWindowLongPtrA(hWnd, DWLP_USER, lParam);
        self->m_hWnd = hWnd;
    } else {
        self = reinterpret_cast<CDialog*>(::GetWindowLongPtrA(hWnd, DWLP_USER));
    }
    // WM_SETFONT and a few others arrive before WM_INITDIALOG, when nothing is stored yet.
    if (self == nullptr) return FALSE;
    return self->HandleDialogMessage(message, wParam, lParam);
}

INT_PTR CDialog::HandleDialogMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_passToDialogManager) {
        m_passToDialogManager = false;
        return FALSE;
    }
    MessageScope scope(*this, message, wParam, lParam);
    if (message == WM_INITDIALOG) return OnInitDialog();

    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result)) return FALSE;
    const CurrentMessage& current = scope.current();
    if (current.defaulted && result == 0) result = current.defaultResult;

    switch (message) {
        // These messages take the procedure's return value itself as their result.
        case WM_CTLCOLORMSGBOX:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSCROLLBAR:
        case WM_CTLCOLORSTATIC:
        case WM_COMPAREITEM:
        case WM_VKEYTOITEM:
        case WM_CHARTOITEM:
        case WM_QUERYDRAGICON:
            return static_cast<INT_PTR>(result);
        default:
            // Everything else reports its result through DWLP_MSGRESULT.
            ::SetWindowLongPtrA(m_hWnd, DWLP_MSGRESULT, result);
            return TRUE;
    }
}

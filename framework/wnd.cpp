// CWnd's members: thin calls into USER32 plus the wrapper cache and Default().
#include "wnd.h"

#include <algorithm>
#include <vector>

#include "ddx.h"
#include "winapp.h"

CWnd::~CWnd() {
    if (m_pfnSuper != nullptr) UnsubclassWindow();
}

BOOL CWnd::Attach(HWND hWnd) {
    m_hWnd = hWnd;
    return hWnd != nullptr;
}

HWND CWnd::Detach() {
    HWND hWnd = m_hWnd;
    m_hWnd = nullptr;
    ReleaseChildWrappers();
    return hWnd;
}

int CWnd::MessageBox(LPCSTR lpszText, LPCSTR lpszCaption, UINT nType) {
    return ::MessageBoxA(m_hWnd, lpszText, lpszCaption ? lpszCaption : AfxGetAppName(), nType);
}

BOOL CWnd::UpdateData(BOOL bSaveAndValidate) {
    CDataExchange dx(this, bSaveAndValidate);
    DoDataExchange(&dx);
    return TRUE;
}

void CWnd::DoDataExchange(CDataExchange*) {}

// The window's user data leads its procedure to the object: read from the window itself, where a
// window property costs a round trip to the server under Wine on every message (some 15 us, most
// of the time a burst of lines took to add). The user data is the application's to use; a window
// whose owner already uses it is not subclassed.
BOOL CWnd::SubclassWindow(HWND hWnd) {
    if (m_pfnSuper != nullptr) UnsubclassWindow();
    if (hWnd == nullptr || ::GetWindowLongPtrW(hWnd, GWLP_USERDATA) != 0) return FALSE;
    ::SetWindowLongPtrW(hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    // A Unicode procedure, whatever the window was: wide messages from other programs (screen
    // readers, test drivers) then pass through unconverted. Wine converts a list box's text
    // between the two forms through a fixed 512-character buffer, which longer lines overrun.
    m_pfnSuper = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::SubclassProc)));
    if (m_pfnSuper == nullptr) {
        ::SetWindowLongPtrW(hWnd, GWLP_USERDATA, 0);
        return FALSE;
    }
    m_hWnd = hWnd;
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent) {
    return SubclassWindow(::GetDlgItem(pParent->m_hWnd, static_cast<int>(nID)));
}

HWND CWnd::UnsubclassWindow() {
    if (m_pfnSuper == nullptr) return nullptr;
    ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    ::SetWindowLongPtrW(m_hWnd, GWLP_USERDATA, 0);
    m_pfnSuper = nullptr;
    return Detach();
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd) {
    // Only a window that runs SubclassProc has its object in the user data.
    if (hWnd == nullptr || ::GetWindowLongPtrW(hWnd, GWLP_WNDPROC) !=
                               reinterpret_cast<LONG_PTR>(&CWnd::SubclassProc)) {
        return nullptr;
    }
    return reinterpret_cast<CWnd*>(::GetWindowLongPtrW(hWnd, GWLP_USERDATA));
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    HWND child = nullptr;
    if (message == WM_DRAWITEM) {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item.CtlType != ODT_MENU) child = item.hwndItem;
    } else if (message == WM_MEASUREITEM) {
        const auto& item = *reinterpret_cast<const MEASUREITEMSTRUCT*>(lParam);
        if (item.CtlType != ODT_MENU) child = ::GetDlgItem(m_hWnd, static_cast<int>(item.CtlID));
    }
    CWnd* object = FromHandlePermanent(child);
    return object != nullptr && object->OnChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::OnChildNotify(UINT, WPARAM, LPARAM, LRESULT*) {
    return FALSE;
}

LRESULT CALLBACK CWnd::SubclassProc(HWND hWnd, UINT message, WPARAM wParam,
                                    LPARAM lParam) noexcept {
    auto* self = reinterpret_cast<CWnd*>(::GetWindowLongPtrW(hWnd, GWLP_USERDATA));
    // Not while the user data stands, and without it the window's own procedure is unknown here.
    if (self == nullptr) return ::DefWindowProcW(hWnd, message, wParam, lParam);
    return self->HandleSubclassedMessage(message, wParam, lParam);
}

LRESULT CWnd::HandleSubclassedMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCDESTROY) {
        // The window's last message: its own procedure gets it after the window is handed back.
        const WNDPROC super = m_pfnSuper;
        const HWND hWnd = UnsubclassWindow();
        return ::CallWindowProcW(super, hWnd, message, wParam, lParam);
    }
    MessageScope scope(*this, message, wParam, lParam);
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result)) return Default();
    const CurrentMessage& current = scope.current();
    if (current.defaulted && result == 0) result = current.defaultResult;
    return result;
}

CWnd* CWnd::GetDlgItem(int nID) const {
    HWND hChild = ::GetDlgItem(m_hWnd, nID);
    if (hChild == nullptr) return nullptr;
    auto found = std::find_if(m_childWrappers.begin(), m_childWrappers.end(),
                              [hChild](const auto& wrapper) { return wrapper->m_hWnd == hChild; });
    if (found != m_childWrappers.end()) return found->get();
    m_childWrappers.push_back(std::make_unique<CWnd>(hChild));
    return m_childWrappers.back().get();
}

BOOL CWnd::EnableWindow(BOOL bEnable) {
    return ::EnableWindow(m_hWnd, bEnable);
}

void CWnd::SetRedraw(BOOL bRedraw) {
    SendMessage(WM_SETREDRAW, static_cast<WPARAM>(bRedraw));
}

void CWnd::Invalidate(BOOL bErase) {
    ::InvalidateRect(m_hWnd, nullptr, bErase);
}

BOOL CWnd::RedrawWindow(LPCRECT lpRectUpdate, HRGN hrgnUpdate, UINT flags) {
    return ::RedrawWindow(m_hWnd, lpRectUpdate, hrgnUpdate, flags);
}

void CWnd::SetWindowText(LPCSTR lpszString) {
    ::SetWindowTextA(m_hWnd, lpszString);
}

HFONT CWnd::GetFont() const {
    return reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
}

void CWnd::GetWindowText(CString& rString) const {
    int length = ::GetWindowTextLengthA(m_hWnd);
    std::vector<char> buffer(static_cast<std::size_t>(std::max(length, 0)) + 1);
    length = ::GetWindowTextA(m_hWnd, buffer.data(), static_cast<int>(buffer.size()));
    rString = CString(buffer.data(), std::max(length, 0));
}

UINT_PTR CWnd::SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer) {
    return ::SetTimer(m_hWnd, nIDEvent, nElapse, lpfnTimer);
}

BOOL CWnd::KillTimer(UINT_PTR nIDEvent) {
    return ::KillTimer(m_hWnd, nIDEvent);
}

BOOL CWnd::IsIconic() const {
    return ::IsIconic(m_hWnd);
}

void CWnd::GetClientRect(LPRECT lpRect) const {
    ::GetClientRect(m_hWnd, lpRect);
}

void CWnd::ClientToScreen(LPPOINT lpPoint) const {
    ::ClientToScreen(m_hWnd, lpPoint);
}

void CWnd::ScreenToClient(LPPOINT lpPoint) const {
    ::ScreenToClient(m_hWnd, lpPoint);
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
    return ::SendMessageA(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
    return ::PostMessageA(m_hWnd, message, wParam, lParam);
}

CMenu* CWnd::GetSystemMenu(BOOL bRevert) {
    HMENU hMenu = ::GetSystemMenu(m_hWnd, bRevert);
    if (hMenu == nullptr) return nullptr;
    if (!m_systemMenu) m_systemMenu = std::make_unique<CMenu>();
    m_systemMenu->m_hMenu = hMenu;
    return m_systemMenu.get();
}

LRESULT CWnd::Default() {
    CurrentMessage& current = m_currentMessage;
    if (!current.active) return 0;
    if (!current.defaulted) {
        current.defaulted = true;
        current.defaultResult = DefWindowProc(current.message, current.wParam, current.lParam);
    }
    return current.defaultResult;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_pfnSuper != nullptr)
        return ::CallWindowProcW(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

void CWnd::OnTimer(UINT_PTR) {
    Default();
}

void CWnd::OnSysCommand(UINT, LPARAM) {
    Default();
}

void CWnd::OnPaint() {
    Default();
}

void CWnd::ReleaseChildWrappers() {
    m_childWrappers.clear();
    m_systemMenu.reset();
}

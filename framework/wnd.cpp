// CWnd's members: thin calls into USER32 plus the wrapper cache and Default().
#include "wnd.h"

#include <algorithm>
#include <vector>

#include "ddx.h"
#include "winapp.h"

CWnd::~CWnd() = default;

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

void CWnd::SetWindowText(LPCSTR lpszString) {
    ::SetWindowTextA(m_hWnd, lpszString);
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

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
    return ::SendMessageA(m_hWnd, message, wParam, lParam);
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

// CMenu's members: thin calls into USER32's menu functions.
#include "menu.h"

#include "wnd.h"

BOOL CMenu::AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, LPCSTR lpszNewItem) {
    return ::AppendMenuA(m_hMenu, nFlags, nIDNewItem, lpszNewItem);
}

BOOL CMenu::CreatePopupMenu() {
    m_ownedMenu.reset(::CreatePopupMenu());
    m_hMenu = m_ownedMenu.get();
    return m_hMenu != nullptr;
}

BOOL CMenu::TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd) {
    return ::TrackPopupMenu(m_hMenu, nFlags, x, y, 0, pWnd->GetSafeHwnd(), nullptr);
}

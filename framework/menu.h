// CMenu: a view of a menu that belongs to a window (the system menu), which it never destroys, or
// a pop-up menu it created itself and destroys.
#pragma once

#include <windows.h>

#include "win32_handles.h"

class CWnd;

class CMenu {
  public:
    CMenu() = default;
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;

    HMENU m_hMenu = nullptr;

    BOOL AppendMenu(UINT nFlags, UINT_PTR nIDNewItem = 0, LPCSTR lpszNewItem = nullptr);

    // An empty pop-up menu that this object owns and destroys when it goes.
    BOOL CreatePopupMenu();

    // Shows the pop-up at the screen point (x, y) and returns when it closes; `pWnd` owns it
    // meanwhile. The window's thread goes on dispatching other messages (timers among them) in
    // the menu's own loop. With TPM_RETURNCMD: the chosen item's id, or 0 for none.
    BOOL TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd);

  private:
    mirl::unique_hmenu m_ownedMenu;
};

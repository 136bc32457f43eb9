// The base of everything that receives messages through a message map: windows and the app.
#pragma once

#include <windows.h>

class CCmdTarget {
  public:
    CCmdTarget() = default;
    virtual ~CCmdTarget() = default;
    CCmdTarget(const CCmdTarget&) = delete;
    CCmdTarget& operator=(const CCmdTarget&) = delete;

    // Offers one message to this object's message map, then to its base classes' handling.
    // Returns TRUE when a handler ran; *pResult then holds the message's result.
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
        (void)message, (void)wParam, (void)lParam, (void)pResult;
        return FALSE;
    }
};

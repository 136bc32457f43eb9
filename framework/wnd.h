// CWnd: a window handle with the class layer's member functions, data exchange, subclassing and
// Default().
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "cmd_target.h"
#include "cstring.h"
#include "menu.h"

class CDataExchange;

class CWnd : public CCmdTarget {
  public:
    CWnd() = default;
    explicit CWnd(HWND hWnd) : m_hWnd(hWnd) {}
    // Does not destroy the window (wrappers here never own one), but undoes a subclassing.
    ~CWnd() override;

    HWND m_hWnd = nullptr;

    HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return m_hWnd; }  // NOLINT: MFC's implicit view
    BOOL Attach(HWND hWnd);
    HWND Detach();

    // Attaches the window and routes its messages through OnWndMsg first; what that leaves, and
    // Default(), go on to the window's own procedure. The window is a Unicode window from then on:
    // messages reach OnWndMsg in their wide form, and text is best read from it with W messages.
    // The object is found through the window's GWLP_USERDATA: FALSE for a window that uses it.
    // Undone when the window is destroyed (m_hWnd is then cleared), by UnsubclassWindow, or when
    // this object goes. Typical use, in OnInitDialog: m_listOutput.SubclassDlgItem(IDC_LIST, this).
    BOOL SubclassWindow(HWND hWnd);
    BOOL SubclassDlgItem(UINT nID, CWnd* pParent);
    // Gives the window its own procedure back and detaches it.
    HWND UnsubclassWindow();
    // The object that subclassed the window (SubclassWindow), or nullptr for any other window.
    static CWnd* FromHandlePermanent(HWND hWnd);

    // Hands a child's owner-draw requests (WM_DRAWITEM, WM_MEASUREITEM) that reach this window to
    // the child's own object, where one subclassed it: controls draw themselves.
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    // Such a request, reflected to this control; TRUE when it handled it.
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);

    // A NULL caption means the application's name.
    int MessageBox(LPCSTR lpszText, LPCSTR lpszCaption = nullptr, UINT nType = MB_OK);

    // TRUE: controls -> members; FALSE: members -> controls. Runs DoDataExchange.
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
    virtual void DoDataExchange(CDataExchange* pDX);

    // The child with this id, or nullptr. The wrapper belongs to this window and stays valid for
    // the window's life (asking again returns the same object).
    CWnd* GetDlgItem(int nID) const;

    BOOL EnableWindow(BOOL bEnable = TRUE);
    // FALSE: the window stops repainting itself until TRUE, after which it needs an Invalidate.
    void SetRedraw(BOOL bRedraw = TRUE);
    void Invalidate(BOOL bErase = TRUE);
    // RDW_UPDATENOW | RDW_ALLCHILDREN: whatever waits to be drawn, in it and its children, now.
    BOOL RedrawWindow(LPCRECT lpRectUpdate = nullptr, HRGN hrgnUpdate = nullptr,
                      UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    void SetWindowText(LPCSTR lpszString);
    // The window's font (WM_GETFONT), as a handle: nullptr for the system font.
    HFONT GetFont() const;
    void GetWindowText(CString& rString) const;

    UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer = nullptr);
    BOOL KillTimer(UINT_PTR nIDEvent);
    BOOL IsIconic() const;
    void GetClientRect(LPRECT lpRect) const;
    void ClientToScreen(LPPOINT lpPoint) const;
    void ScreenToClient(LPPOINT lpPoint) const;
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    // Queued: handled once the current message and those before it are done.
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;

    // The window's system menu (nullptr if it has none). bRevert TRUE restores the standard menu
    // and returns nullptr. The CMenu belongs to this window.
    CMenu* GetSystemMenu(BOOL bRevert);

    // Hands the message being handled to the window's default handling now and returns its result.
    // The handler may go on afterwards; the default is not run a second time.
    LRESULT Default();

  protected:
    // What Default() runs: the window's own procedure when subclassed, else DefWindowProc; the
    // dialog manager's default in CDialog.
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);

    // Base handlers that derived handlers may call first ("CDialog::OnTimer(nIDEvent)").
    void OnTimer(UINT_PTR nIDEvent);
    void OnSysCommand(UINT nID, LPARAM lParam);
    void OnPaint();

    // The message being handled, kept per window so that Default() knows what to pass on.
    struct CurrentMessage {
        UINT message = 0;
        WPARAM wParam = 0;
        LPARAM lParam = 0;
        bool active = false;
        bool defaulted = false;
        LRESULT defaultResult = 0;
    };
    CurrentMessage m_currentMessage;

    // Sets the current message for the length of one dispatch, restoring the outer one after it
    // (handlers may send messages to their own window).
    class MessageScope {
      public:
        MessageScope(CWnd& wnd, UINT message, WPARAM wParam, LPARAM lParam)
            : m_wnd(wnd), m_outer(wnd.m_currentMessage) {
            wnd.m_currentMessage = CurrentMessage{message, wParam, lParam, true, false, 0};
        }
        ~MessageScope() { m_wnd.m_currentMessage = m_outer; }
        MessageScope(const MessageScope&) = delete;
        MessageScope& operator=(const MessageScope&) = delete;
        const CurrentMessage& current() const { return m_wnd.m_currentMessage; }

      private:
        CWnd& m_wnd;
        CurrentMessage m_outer;
    };

    // Forgets the per-window wrappers once the window is gone.
    void ReleaseChildWrappers();

  private:
    // noexcept: an exception must not cross the system's callback (see CDialog::DialogProc).
    static LRESULT CALLBACK SubclassProc(HWND hWnd, UINT message, WPARAM wParam,
                                         LPARAM lParam) noexcept;
    LRESULT HandleSubclassedMessage(UINT message, WPARAM wParam, LPARAM lParam);

    // The window's own procedure while it is subclassed, else nullptr.
    WNDPROC m_pfnSuper = nullptr;
    mutable std::vector<std::unique_ptr<CWnd>> m_childWrappers;
    std::unique_ptr<CMenu> m_systemMenu;
};

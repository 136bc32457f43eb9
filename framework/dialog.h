// CDialog: a modal dialog on DialogBoxParamA whose procedure dispatches to the C++ object.
#pragma once

#include <windows.h>

#include "wnd.h"

class CDialog : public CWnd {
  public:
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);

    // Runs the dialog; IDOK, IDCANCEL or what EndDialog was given; -1 if it could not be created.
    // Without a parent the owner is the application's main window, when that window exists.
    virtual INT_PTR DoModal();

    // UpdateData(FALSE), which binds the control members. TRUE: the dialog manager sets the focus
    // to the first tab stop.
    virtual BOOL OnInitDialog();

    void EndDialog(int nResult);

    // The controls' owner-draw requests (CWnd), IDOK and IDCANCEL; other commands without a
    // control go on to the application's map.
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

  protected:
    virtual void OnOK();      // UpdateData(TRUE), then EndDialog(IDOK)
    virtual void OnCancel();  // EndDialog(IDCANCEL)

    // The dialog manager's own handling of the current message, run now (see Default()).
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    // noexcept, like every procedure the system calls: on 64-bit Windows an exception that crosses
    // the system's callback may be swallowed, and the program would go on half-updated; so it ends
    // at the fault instead, in both builds.
    static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT message, WPARAM wParam,
                                       LPARAM lParam) noexcept;
    INT_PTR HandleDialogMessage(UINT message, WPARAM wParam, LPARAM lParam);
    HWND FindOwner() const;

    UINT m_nIDTemplate = 0;
    CWnd* m_pParentWnd = nullptr;
    // Set while Default() has DefDlgProcA call back into the procedure for the same message: that
    // one call must answer FALSE so that the dialog manager does its own handling.
    bool m_passToDialogManager = false;
};

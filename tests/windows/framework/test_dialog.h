// A modeless instance of the tests' dialog template, destroyed with the object.
#pragma once

#include <windows.h>

class TestDialogWindow {
  public:
    // Creates the window and runs the template's item lists, as CDialog::OnInitDialog would.
    TestDialogWindow();
    ~TestDialogWindow();
    TestDialogWindow(const TestDialogWindow&) = delete;
    TestDialogWindow& operator=(const TestDialogWindow&) = delete;

    HWND get() const { return m_hWnd; }
    HWND item(int id) const { return ::GetDlgItem(m_hWnd, id); }

  private:
    HWND m_hWnd;
};

// Delivers the messages already posted to this thread's windows.
void PumpPendingMessages();

// A modeless instance of the tests' dialog template, destroyed with the object.
#pragma once

#include <windows.h>

class TestDialogWindow {
  public:
    // Creates the window and fills its port list.
    TestDialogWindow();
    ~TestDialogWindow();
    TestDialogWindow(const TestDialogWindow&) = delete;
    TestDialogWindow& operator=(const TestDialogWindow&) = delete;

    HWND get() const { return m_hWnd; }
    HWND item(int id) const { return ::GetDlgItem(m_hWnd, id); }

  private:
    HWND m_hWnd;
};

// The port list's items, in this order: COM1, COM10, COM2, COM25.
void FillPortItems(HWND dialog);

// Delivers the messages already posted to this thread's windows.
void PumpPendingMessages();

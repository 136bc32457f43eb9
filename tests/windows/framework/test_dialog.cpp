// The modeless test dialog: created from the template, filled, destroyed.
#include "test_dialog.h"

#include <initializer_list>

#include "test_ids.h"

namespace {

INT_PTR CALLBACK PlainDialogProc(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG;
}

}  // namespace

TestDialogWindow::TestDialogWindow()
    : m_hWnd(::CreateDialogParamA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_FRAMEWORK_TEST),
                                  nullptr, &PlainDialogProc, 0)) {
    if (m_hWnd != nullptr) FillPortItems(m_hWnd);
}

TestDialogWindow::~TestDialogWindow() {
    if (m_hWnd != nullptr) ::DestroyWindow(m_hWnd);
}

void FillPortItems(HWND dialog) {
    for (const char* item : {"COM1", "COM10", "COM2", "COM25"})
        ::SendDlgItemMessageA(dialog, IDC_TEST_PORT, CB_ADDSTRING, 0,
                              reinterpret_cast<LPARAM>(item));
}

void PumpPendingMessages() {
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

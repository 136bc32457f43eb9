// The modeless test dialog: created from the template, filled, destroyed.
#include "test_dialog.h"

#include "dialog_init.h"
#include "test_ids.h"

namespace {

INT_PTR CALLBACK PlainDialogProc(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG;
}

}  // namespace

TestDialogWindow::TestDialogWindow()
    : m_hWnd(::CreateDialogParamA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_FRAMEWORK_TEST),
                                  nullptr, &PlainDialogProc, 0)) {
    if (m_hWnd != nullptr)
        mirl::ExecuteDialogInitResource(m_hWnd, ::GetModuleHandleA(nullptr),
                                        MAKEINTRESOURCEA(IDD_FRAMEWORK_TEST));
}

TestDialogWindow::~TestDialogWindow() {
    if (m_hWnd != nullptr) ::DestroyWindow(m_hWnd);
}

void PumpPendingMessages() {
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

// A bare Win32 dialog program: the least a dialog application does before it accepts input.
// Built twice: on its own small template, and on the program's main template
// (MIRL_ON_PROGRAM_TEMPLATE), so that start-up cost can be told apart between template and code.
#include <windows.h>

#ifdef MIRL_ON_PROGRAM_TEMPLATE
#include "resource.h"
#define MIRL_TEMPLATE_ID IDD_MAIN
#else
#include "bare_dialog_ids.h"
#define MIRL_TEMPLATE_ID IDD_BARE
#endif

namespace {

INT_PTR CALLBACK BareDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG:
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDCANCEL || LOWORD(wParam) == IDOK) {
                ::EndDialog(dialog, LOWORD(wParam));
                return TRUE;
            }
            return FALSE;
        default:
            return FALSE;
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    return static_cast<int>(::DialogBoxParamA(instance, MAKEINTRESOURCEA(MIRL_TEMPLATE_ID), nullptr,
                                              BareDialogProc, 0));
}

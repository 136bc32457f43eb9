// The least a dialog program does before it accepts input: DialogBoxParam on the program's own
// main template, with no item lists, icon or menu. The start-up benchmark's reference.
//
// It also adds lines to the template's list when handed them in a WM_COPYDATA (NUL-separated),
// with the least a list box needs: redraw off, one LB_ADDSTRING per line, one scroll, redraw on.
// The list is not subclassed, and its rows stay undrawn. The burst benchmark's floor for a tick.
#include <windows.h>

#include <string>
#include <string_view>

#include "resource.h"

namespace {

void AddLinesAsOneBatch(HWND dialog, const COPYDATASTRUCT& data) {
    HWND list = ::GetDlgItem(dialog, IDC_LIST);
    ::SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    const std::string_view all(static_cast<const char*>(data.lpData), data.cbData);
    for (std::size_t start = 0; start < all.size();) {
        const std::size_t end = all.find('\0', start);
        const std::string line(all.substr(start, end - start));
        ::SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
        if (end == std::string_view::npos) break;
        start = end + 1;
    }
    const auto count = static_cast<int>(::SendMessageA(list, LB_GETCOUNT, 0, 0));
    ::SendMessageA(list, LB_SETTOPINDEX, count - 5 < 0 ? 0 : count - 5, 0);
    ::SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(list, nullptr, TRUE);
}

INT_PTR CALLBACK BareDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            return TRUE;
        case WM_COPYDATA:
            AddLinesAsOneBatch(dialog, *reinterpret_cast<const COPYDATASTRUCT*>(lParam));
            ::SetWindowLongPtrA(dialog, DWLP_MSGRESULT, TRUE);
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
    return static_cast<int>(
        ::DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_MAIN), nullptr, BareDialogProc, 0));
}

// Window enumeration helpers; nothing here sends a message that could block.
#include "app_windows.h"

#include "window_text.h"

namespace e2e {
namespace {

bool IsDialogClass(HWND hwnd) {
    return ClassName(hwnd) == "#32770";
}

// A named callback: a lambda converts only to the default calling convention, which is not
// the callback's on 32-bit Windows.
BOOL CALLBACK CollectWindow(HWND hwnd, LPARAM param) {
    reinterpret_cast<std::vector<HWND>*>(param)->push_back(hwnd);
    return TRUE;
}

std::vector<HWND> TopLevelWindows() {
    std::vector<HWND> out;
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&out));
    return out;
}

bool IsStaticIcon(HWND hwnd) {
    return ClassName(hwnd) == "Static" &&
           (GetWindowLongA(hwnd, GWL_STYLE) & SS_TYPEMASK) == SS_ICON;
}

}  // namespace

std::vector<HWND> DialogsWithCaption(const std::string& caption_utf8) {
    std::vector<HWND> out;
    for (HWND hwnd : TopLevelWindows()) {
        if (IsWindowVisible(hwnd) && IsDialogClass(hwnd) && RawWindowTextUtf8(hwnd) == caption_utf8)
            out.push_back(hwnd);
    }
    return out;
}

std::vector<HWND> PopupsOf(DWORD pid, HWND main) {
    std::vector<HWND> out;
    for (HWND hwnd : TopLevelWindows()) {
        DWORD owner_pid = 0;
        GetWindowThreadProcessId(hwnd, &owner_pid);
        if (hwnd != main && owner_pid == pid && IsWindowVisible(hwnd) && IsDialogClass(hwnd))
            out.push_back(hwnd);
    }
    return out;
}

HWND OpenMenuOf(DWORD pid) {
    return VisibleTopLevelOf(pid, "#32768");
}

HWND VisibleTopLevelOf(DWORD pid, std::string_view class_name) {
    for (HWND hwnd : TopLevelWindows()) {
        DWORD owner_pid = 0;
        GetWindowThreadProcessId(hwnd, &owner_pid);
        if (owner_pid == pid && IsWindowVisible(hwnd) && ClassName(hwnd).ends_with(class_name))
            return hwnd;
    }
    return nullptr;
}

std::vector<HWND> ChildrenOf(HWND parent) {
    std::vector<HWND> out;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        out.push_back(child);
    return out;
}

HWND TextStatic(HWND dialog) {
    for (HWND child : ChildrenOf(dialog)) {
        // A DIALOG template stores -1 as the word 0xFFFF, a DIALOGEX one as the full -1.
        const int id = GetDlgCtrlID(child);
        if ((id == 0xFFFF || id == -1) && ClassName(child) == "Static" && !IsStaticIcon(child))
            return child;
    }
    return nullptr;
}

HWND IconStatic(HWND dialog) {
    for (HWND child : ChildrenOf(dialog)) {
        if (IsStaticIcon(child)) return child;
    }
    return nullptr;
}

std::vector<std::pair<int, std::string>> Buttons(HWND dialog) {
    std::vector<std::pair<int, std::string>> out;
    for (HWND child : ChildrenOf(dialog)) {
        if (ClassName(child) == "Button" && IsWindowVisible(child))
            out.emplace_back(GetDlgCtrlID(child), RawWindowTextUtf8(child));
    }
    return out;
}

}  // namespace e2e

// Finding the program's windows from outside: its main dialog and the popups it opens.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

namespace e2e {

// Visible top-level dialogs (class #32770) whose caption is exactly `caption_utf8`.
std::vector<HWND> DialogsWithCaption(const std::string& caption_utf8);

// Visible top-level dialogs of process `pid` other than `main`, topmost first: the message boxes
// and the About box that the program has open.
std::vector<HWND> PopupsOf(DWORD pid, HWND main);

// The menu that process `pid` has open (a visible top-level window of class #32768), or nullptr.
HWND OpenMenuOf(DWORD pid);

// A visible top-level window of process `pid` whose class name ends in `class_name` (the
// common controls' classes carry a version before it), or nullptr.
HWND VisibleTopLevelOf(DWORD pid, std::string_view class_name);

// Direct children of `parent`, in z-order (the order the template made them).
std::vector<HWND> ChildrenOf(HWND parent);

// A message box's text: its first non-icon static with id 0xFFFF.
HWND TextStatic(HWND dialog);

// The first static child drawn as an icon, or nullptr.
HWND IconStatic(HWND dialog);

// Button children, as "id:text" (text as UTF-8, escaped by the caller).
std::vector<std::pair<int, std::string>> Buttons(HWND dialog);

}  // namespace e2e

// Putting text on the clipboard: the program's one place that talks to it.
#pragma once

#include <windows.h>

#include <string_view>

namespace mirl {

// Replaces the clipboard's contents with `text` (ANSI code page bytes, no zero byte) as
// CF_UNICODETEXT, converted with the ANSI code page so that what is pasted is what was shown, and
// as CF_TEXT. `owner` owns the contents afterwards. Another program may hold the clipboard open
// for a moment, so opening is tried a few times over a fifth of a second; then this gives up.
// Returns whether both formats went on.
bool SetClipboardText(HWND owner, std::string_view text);

}  // namespace mirl

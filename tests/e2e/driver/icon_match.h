// Telling which standard icon a static control shows, from the pixels on the screen.
#pragma once

#include <windows.h>

#include <string>

namespace e2e {

// "hand", "question", "exclamation", "asterisk"; "none" when the control is hidden or absent;
// "other" when no standard icon matches (an application icon, or not painted yet).
std::string IdentifyIcon(HWND icon_static);

}  // namespace e2e

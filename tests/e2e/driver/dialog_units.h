// What a dialog template size comes to in pixels for a given dialog font, and that font itself.
#pragma once

#include <windows.h>

#include <optional>

#include "win32_handles.h"

namespace e2e {

// MapDialogRect only works on a dialog of the calling process, so the driver makes a hidden
// dialog of its own with the same font and asks it.
std::optional<SIZE> DialogUnitsToPixels(int cx, int cy, const wchar_t* face, WORD points);

// A hidden dialog of the driver's own, `cx` by `cy` dialog units, with the font the dialog manager
// makes of `face` and `points` for the program's dialogs too (WM_GETFONT).
mirl::unique_hwnd DialogWithFont(const wchar_t* face, WORD points, int cx = 0, int cy = 0);

}  // namespace e2e

// What a dialog template size comes to in pixels for a given dialog font.
#pragma once

#include <windows.h>

#include <optional>

namespace e2e {

// MapDialogRect only works on a dialog of the calling process, so the driver makes a hidden
// dialog of its own with the same font and asks it.
std::optional<SIZE> DialogUnitsToPixels(int cx, int cy, const wchar_t* face, WORD points);

}  // namespace e2e

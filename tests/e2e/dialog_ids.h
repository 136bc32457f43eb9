// The ids the suite works the program with, by the names its sources use: resource.h for the
// controls and commands, and the Win32 ids of the Exit button (IDCANCEL), the message-box answers
// and the system menu's Close, which this Linux program cannot take from windows.h.
#pragma once

#include "message_box.h"
#include "resource.h"

namespace e2e {

inline constexpr int IDOK = mirl::kIdOk;
inline constexpr int IDCANCEL = mirl::kIdCancel;
inline constexpr int IDYES = mirl::kIdYes;
inline constexpr int IDNO = mirl::kIdNo;
inline constexpr int SC_CLOSE = 0xF060;

}  // namespace e2e

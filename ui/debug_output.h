// The capture's diagnostics for a debugger or a debug-output viewer (OutputDebugStringA).
#pragma once

#include <string>

namespace mirl {

// A DebugTrace: one line, marked with the program's name.
void WriteDebugOutput(const std::string& text);

}  // namespace mirl

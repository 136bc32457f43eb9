// Where the capture logic leaves what a developer needs to see why a port failed: the program
// sends it to the debugger's output; the user never sees it, and nothing is written to a file.
#pragma once

#include <functional>
#include <string>

namespace mirl {

// Called with one line of text; an empty function drops it.
using DebugTrace = std::function<void(const std::string& text)>;

}  // namespace mirl

#include "debug_output.h"

#include <windows.h>

namespace mirl {

void WriteDebugOutput(const std::string& text) {
    ::OutputDebugStringA(("mirlTTY: " + text + "\n").c_str());
}

}  // namespace mirl

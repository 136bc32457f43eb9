// The driver's commands: each takes the tokens of one request and returns one reply line.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

// The program's main dialog, once `find` has found it.
struct Target {
    HWND main = nullptr;
    DWORD pid = 0;
    DWORD tid = 0;
};

class Driver {
  public:
    // Reply: "ok" followed by escaped fields, or "err" and one escaped message.
    std::string Execute(const std::vector<std::string>& args);

  private:
    Target target_;
};

}  // namespace e2e

// The driver's commands: each takes the tokens of one request and returns one reply line.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

class Driver {
  public:
    // Reply: "ok" followed by escaped fields, or "err" and one escaped message.
    std::string Execute(const std::vector<std::string>& args);

  private:
    std::string Find(const std::vector<std::string>& args);
    std::string Key(const std::string& name);
    std::string WatchText(int id, int ms);
    std::string List(int id);
    std::string Tail(int id, int min_count, int ms);
    std::string Process();
    std::string Combo(int id);
    std::string Focus();
    std::string MessageBoxes();
    std::string Answer(int id, const std::vector<std::string>& args);
    std::string Children(HWND parent);
    std::string SystemMenu();
    std::string Rect(int cx, int cy);
    std::string OpenPort(const std::string& name);
    std::string Windows();

    HWND Child(int id) const;

    HWND main_ = nullptr;
    DWORD pid_ = 0;
    DWORD tid_ = 0;
};

}  // namespace e2e

// A dialog program started by a benchmark and driven from outside through its window messages.
#pragma once

#include <windows.h>

#include <chrono>
#include <optional>
#include <string>

#include "win32_handles.h"

namespace mirl::bench {

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start);

class AppUnderTest {
  public:
    // Starts the program; Started() tells whether CreateProcess succeeded.
    explicit AppUnderTest(const std::string& exePath);
    // Ends the program the way a user would (Exit), and kills it if it does not go.
    ~AppUnderTest();
    AppUnderTest(const AppUnderTest&) = delete;
    AppUnderTest& operator=(const AppUnderTest&) = delete;

    bool Started() const { return m_process.is_valid(); }
    HANDLE Process() const { return m_process.get(); }
    Clock::time_point StartTime() const { return m_started; }

    // Waits until the program shows a dialog that answers a sent message: the moment it accepts
    // input. False after `timeout`.
    bool WaitUntilAnswering(std::chrono::milliseconds timeout);
    HWND Dialog() const { return m_dialog; }

    // Posted, so that a handler that blocks or opens a box never blocks the benchmark.
    void Click(int controlId) const;
    std::optional<std::string> ControlText(int controlId) const;
    // The list box's last line, or nothing when it is empty or does not answer.
    std::optional<std::string> LastListLine(int listId) const;
    // Polls the last list line until it begins with `text`; the time it was seen, or nothing.
    std::optional<Clock::time_point> WaitForLastLine(int listId, const std::string& text,
                                                     std::chrono::milliseconds timeout) const;
    // A second visible top-level window of the program (a message box), if one is open.
    bool ShowsOtherWindow() const;

    // Ends the dialog with IDCANCEL and waits for the process; true when it ended by itself.
    bool Close(std::chrono::milliseconds timeout);
    // Ends the process at once, whatever it shows, and waits for it to go.
    void Kill();

  private:
    unique_handle m_process;
    unique_handle m_thread;
    DWORD m_processId = 0;
    Clock::time_point m_started;
    HWND m_dialog = nullptr;
};

}  // namespace mirl::bench

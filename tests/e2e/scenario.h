// One scenario's world: its ports, one fresh program under test, the driver, and the checks
// built on them. Everything it starts ends with it, in reverse order.
#pragma once

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "child_process.h"
#include "driver_client.h"
#include "pty_pair.h"
#include "wine_session.h"

namespace e2e {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// Thrown by a check: the text says what was expected and what was seen.
class ScenarioFailure : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

struct MessageBoxSeen {
    std::string hwnd;
    std::string caption;
    std::string text;
    std::string icon;          // hand, question, exclamation, asterisk, none, other
    std::vector<int> buttons;  // control ids, in the box's order
    std::string button_texts;  // "1:OK,2:Cancel", for messages
    std::string Describe() const;
};

// A pty whose slave is linked in as COMn.
struct SerialLine {
    SerialLine(const WineSession& session, int n)
        : number(n), link(session.LinkPort(n, pty.slave_path())) {}
    int number;
    PtyPair pty;
    PortLink link;
};

class Scenario {
  public:
    Scenario(WineSession& session, const std::string& name);
    ~Scenario();
    Scenario(const Scenario&) = delete;
    Scenario& operator=(const Scenario&) = delete;

    WineSession& wine() { return session_; }
    const std::filesystem::path& artifacts() const { return dir_; }

    // A fresh pty linked in as COMn, owned by the scenario.
    SerialLine& AttachPort(int n);

    // Starts the program (mirltty.exe unless told otherwise) and the driver, and waits for the
    // dialog with `caption`.
    void Start(const std::filesystem::path& program = {}, const std::string& caption = "mirlTTY");
    // Ends the running program for good (kill) and forgets driver and dialog.
    void StopProgram();
    // Waits for the program to end by itself; the time it took, or nullopt.
    std::optional<milliseconds> WaitProgramExit(milliseconds timeout);
    // Whether the main dialog is still there.
    bool Alive();
    // The Linux process that runs the program's .exe.
    pid_t ProgramProcess();

    DriverClient& driver();
    std::vector<std::string> Ok(const std::string& request) { return driver().Ok(request); }

    // Controls.
    void Click(int id);
    void Command(int id);
    std::string Text(int id);
    bool Enabled(int id);
    struct ComboState {
        int selected = -1;
        std::vector<std::string> items;
    };
    ComboState Combo(int id);
    void Select(int id, int index);
    int FocusId();

    // The output list.
    std::vector<std::string> List();
    int ListTop();
    // The number of lines and the last one, once there are at least `min_count` (or at the
    // deadline, whatever there is then): cheap on a long list.
    struct ListTail {
        int count = 0;
        std::string last;
    };
    ListTail WaitListCount(int min_count, milliseconds timeout);
    std::vector<std::string> WaitList(
        const std::function<bool(const std::vector<std::string>&)>& done, milliseconds timeout,
        const std::string& expectation);
    std::vector<std::string> WaitListEquals(const std::vector<std::string>& expected,
                                            milliseconds timeout);
    // The list stays exactly `expected` for the whole of `duration`.
    void ExpectListStays(const std::vector<std::string>& expected, milliseconds duration);

    // Message boxes (and other popups) the program has open, topmost first.
    std::vector<MessageBoxSeen> Boxes();
    MessageBoxSeen WaitBox(milliseconds timeout = milliseconds(10000));
    void ExpectBox(const MessageBoxSeen& box, const std::string& caption, const std::string& text,
                   const std::string& icon, std::vector<int> buttons);
    // Presses button `id` of the topmost box and waits until that box is gone.
    void Answer(int id);
    void ExpectNoBox(milliseconds for_how_long);
    void WaitNoBox(milliseconds timeout);

    // Connect with an empty buffer (no confirmation): clicks and waits for "connected.", and
    // takes that moment as the phase of the program's one-second tick.
    void ConnectFresh();
    // After a Connect started some other way (Enter, a confirmation): waits until the list is
    // exactly `expected` and takes that moment as the tick's phase.
    void AwaitConnected(const std::vector<std::string>& expected);
    // The tick's phase is known from the last connect: waits until `phase` (0..1) of a second
    // after a tick and writes the bytes then, so a burst is never split by a tick.
    void SendAtPhase(PtyPair& pty, const std::string& bytes, double phase = 0.5);
    void SendAtPhase(SerialLine& line, const std::string& bytes, double phase = 0.5) {
        SendAtPhase(line.pty, bytes, phase);
    }
    // Waits until the program has passed `ticks` more ticks (by the clock, from the connect).
    void WaitTicks(int ticks);

    // Controls the program locks while it captures.
    static std::vector<int> LockedControls() { return {1000, 1001, 1002, 1004, 1005, 1009}; }
    void ExpectLocked(bool locked);

    std::filesystem::path Screenshot(const std::string& file_name);

  private:
    WineSession& session_;
    std::string name_;
    std::filesystem::path dir_;
    std::vector<std::unique_ptr<SerialLine>> lines_;
    std::unique_ptr<ChildProcess> program_;
    std::filesystem::path program_exe_;
    std::unique_ptr<DriverClient> driver_;
    int starts_ = 0;
    std::optional<Clock::time_point> tick_origin_;
};

}  // namespace e2e

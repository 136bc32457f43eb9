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
#include <string_view>
#include <vector>

#include "child_process.h"
#include "dialog_ids.h"
#include "driver_client.h"
#include "pty_pair.h"
#include "reference_capture.h"
#include "visible_bytes.h"
#include "wine_session.h"

namespace e2e {

using Clock = std::chrono::steady_clock;
using mirl::test::Visible;
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

struct SerialLine;

// Programs started while it lives draw at `dpi`; those started after it at 96 again.
class DisplayDpi {
  public:
    DisplayDpi(const WineSession& wine, int dpi) : wine_(wine) { wine_.SetDisplayDpi(dpi); }
    ~DisplayDpi() { wine_.SetDisplayDpi(96); }
    DisplayDpi(const DisplayDpi&) = delete;
    DisplayDpi& operator=(const DisplayDpi&) = delete;

  private:
    const WineSession& wine_;
};

class Scenario {
  public:
    Scenario(WineSession& session, const std::string& name);
    ~Scenario();
    Scenario(const Scenario&) = delete;
    Scenario& operator=(const Scenario&) = delete;

    WineSession& wine() { return session_; }

    // A fresh pty linked in as COMn, owned by the scenario.
    PtyPair& AttachPort(int n);

    // Starts the program (mirltty.exe unless told otherwise) and the driver, and waits for the
    // dialog with `caption`.
    void Start(const std::filesystem::path& program = {}, const std::string& caption = "mirlTTY");
    // Ends the running program for good (kill) and forgets driver and dialog.
    void StopProgram();
    // Waits for the program to end by itself; the time it took, or nullopt.
    std::optional<milliseconds> WaitProgramExit(milliseconds timeout);
    bool Alive();
    // The Linux process that runs the program's .exe.
    pid_t ProgramProcess();

    DriverClient& driver();
    std::vector<std::string> Ok(const std::string& request) { return driver().Ok(request); }

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

    // COMn on a fresh pty, the program started, and a capture begun on that port.
    PtyPair& StartCapturing(int n = 1);
    // Connect with an empty buffer (no confirmation): clicks and waits for "connected.", and
    // takes that moment as the phase of the program's one-second tick.
    void ConnectFresh();
    // After a Connect started some other way (Enter, a confirmation): waits until the list is
    // exactly `expected` and takes that moment as the tick's phase.
    void AwaitConnected(const std::vector<std::string>& expected);
    // Waits until the program has read every byte written to `pty`.
    void WaitUntilRead(PtyPair& pty);
    // Writes the bytes and waits until the program has read them all.
    void Send(PtyPair& pty, std::string_view bytes);
    // Send, then IDC_FLUSH: the tick's move, at once. A tick may move the bytes first; the flush
    // then finds nothing unmoved and adds nothing, so the lines are the same either way. Only a
    // tick while the program still reads would split them: a few bytes are read in well under a
    // millisecond, but hundreds take several, so long bursts go by SendAtPhase.
    void SendAndFlush(PtyPair& pty, std::string_view bytes);
    // The tick's phase is known from the last connect: waits until `phase` (0..1) of a second
    // after a tick and writes the bytes then, so a burst is never split by a tick.
    void SendAtPhase(PtyPair& pty, std::string_view bytes, double phase = 0.5);
    // A device that talks once a second: each burst goes out between two ticks, and the list must
    // then show what the model makes of the bytes so far. At the limit no more is sent and the
    // wait is left to the caller, since the limit box comes first. Returns the expected list.
    std::vector<std::string> SendBurstsOnePerTick(PtyPair& pty, mirl::test::ReferenceCapture& model,
                                                  const std::vector<std::string>& bursts);
    // Waits until the program has passed `ticks` more ticks (by the clock, from the connect).
    void WaitTicks(int ticks);

    // The six settings controls are disabled while capturing and enabled otherwise; Delete and
    // Exit stay enabled, and Connect reads Disconnect or Connect.
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

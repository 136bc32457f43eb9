// Polling with deadlines throughout: Wine is slow and the program shows data once a second, so
// waits are generous, and a timed-out wait reports the last state it saw.
#include "scenario.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <thread>

#include "process_probe.h"

namespace e2e {

// A pty whose slave is linked in as COMn; the link is removed before the pty closes.
struct SerialLine {
    SerialLine(const WineSession& session, int n) : link(session.LinkPort(n, pty.slave_path())) {}
    PtyPair pty;
    PortLink link;
};

namespace {

std::string SafeFileName(std::string name) {
    for (char& c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '.' && c != '-') c = '_';
    }
    return name;
}

// "1:OK,2:Cancel" -> {1, 2}
std::vector<int> ButtonIds(const std::string& button_texts) {
    std::vector<int> ids;
    std::istringstream in(button_texts);
    for (std::string item; std::getline(in, item, ',');) {
        if (!item.empty()) ids.push_back(std::atoi(item.c_str()));
    }
    return ids;
}

std::string Ids(const std::vector<int>& ids) {
    std::string out;
    for (int id : ids) out += (out.empty() ? "" : ",") + std::to_string(id);
    return "{" + out + "}";
}

std::string ReadLog(const std::filesystem::path& log) {
    std::ifstream in(log);
    return {std::istreambuf_iterator<char>(in), {}};
}

// Waits up to 30 s for the dialog, asking a second at a time so that a program that has ended
// before showing it is seen at once. Once the dialog is there, a longer find waits for its focus,
// as one long find would have.
Reply AwaitDialog(DriverClient& driver, ChildProcess& program, const std::string& caption) {
    const auto deadline = Clock::now() + std::chrono::seconds(30);
    for (;;) {
        const Reply found = driver.Call("find " + caption + " 1000", milliseconds(11000));
        const auto left = std::chrono::duration_cast<milliseconds>(deadline - Clock::now());
        if (found.ok) {
            return driver.Call("find " + caption + " " + std::to_string(std::max(left.count(), 0L)),
                               left + milliseconds(10000));
        }
        if (program.Exited() || left.count() <= 0) return found;
    }
}

}  // namespace

std::string MessageBoxSeen::Describe() const {
    return "box caption \"" + caption + "\", text \"" + text + "\", icon " + icon + ", buttons " +
           button_texts;
}

Scenario::Scenario(WineSession& session, const std::string& name)
    : session_(session), name_(name), dir_(session.paths().artifacts / SafeFileName(name)) {
    session_.Ready();
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
}

Scenario::~Scenario() {
    driver_.reset();
    program_.reset();
    lines_.clear();
}

PtyPair& Scenario::AttachPort(int n) {
    lines_.push_back(std::make_unique<SerialLine>(session_, n));
    return lines_.back()->pty;
}

void Scenario::Start(const std::filesystem::path& program, const std::string& caption) {
    const auto exe = program.empty() ? session_.paths().app : program;
    for (const auto& needed : {exe, session_.paths().driver}) {
        if (!std::filesystem::exists(needed))
            throw ScenarioFailure("missing " + needed.string() +
                                  " (build the Windows trees: cmake --preset windows && "
                                  "cmake --build --preset windows, and so for windows-x86)");
    }
    // Now and then, on a busy machine, Wine fails to load a program and says "Application could
    // not be started"; that start is the test bed's failure, and one more is made. Otherwise a
    // program that ends before its dialog shows fails the scenario at once, with what Wine said.
    for (int attempt = 1;; ++attempt) {
        StopProgram();
        ++starts_;
        const std::string tag = std::to_string(starts_);
        const auto log = dir_ / (exe.stem().string() + "-" + tag + ".log");
        program_exe_ = exe;
        program_ = std::make_unique<ChildProcess>(session_.Wine(exe, {}, log));
        driver_ = std::make_unique<DriverClient>(session_, session_.paths().driver,
                                                 dir_ / ("driver-" + tag + ".log"));
        const Reply found = AwaitDialog(*driver_, *program_, caption);
        if (found.ok) break;
        if (!program_->Exited()) {
            throw ScenarioFailure("expected the dialog \"" + caption + "\" within 30 s; driver: " +
                                  (found.fields.empty() ? found.line : found.fields.front()));
        }
        const std::string said = ReadLog(log);
        if (attempt == 1 && said.find("Application could not be started") != std::string::npos)
            continue;
        throw ScenarioFailure("the program ended before its dialog \"" + caption +
                              "\" showed; Wine said: " + (said.empty() ? "nothing" : said));
    }
    tick_origin_.reset();
}

void Scenario::StopProgram() {
    driver_.reset();
    program_.reset();
}

std::optional<milliseconds> Scenario::WaitProgramExit(milliseconds timeout) {
    if (!program_) throw ScenarioFailure("no program started");
    const auto start = Clock::now();
    if (!program_->WaitFor(timeout)) return std::nullopt;
    return std::chrono::duration_cast<milliseconds>(Clock::now() - start);
}

bool Scenario::Alive() {
    return Ok("alive").at(0) == "1";
}

pid_t Scenario::ProgramProcess() {
    if (!program_) throw ScenarioFailure("no program started");
    return FindWineProcess(program_->pid(), program_exe_.filename().string());
}

DriverClient& Scenario::driver() {
    if (!driver_) throw ScenarioFailure("the program is not running");
    return *driver_;
}

void Scenario::Click(int id) {
    Ok("click " + std::to_string(id));
}
void Scenario::Command(int id) {
    Ok("command " + std::to_string(id));
}
std::string Scenario::Text(int id) {
    return Ok("text " + std::to_string(id)).at(0);
}
bool Scenario::Enabled(int id) {
    return Ok("enabled " + std::to_string(id)).at(0) == "1";
}

Scenario::ComboState Scenario::Combo(int id) {
    const auto f = Ok("combo " + std::to_string(id));
    ComboState state;
    state.selected = std::stoi(f.at(0));
    state.items.assign(f.begin() + 2, f.end());
    return state;
}

void Scenario::Select(int id, int index) {
    const auto f = Ok("select " + std::to_string(id) + " " + std::to_string(index));
    if (f.at(0) != std::to_string(index))
        throw ScenarioFailure("CB_SETCURSEL " + std::to_string(index) + " on " +
                              std::to_string(id) + " returned " + f.at(0));
}

int Scenario::FocusId() {
    return std::stoi(Ok("focus").at(0));
}

std::vector<std::string> Scenario::List() {
    const auto f = Ok("list " + std::to_string(IDC_LIST));
    return {f.begin() + 2, f.end()};
}

int Scenario::ListTop() {
    return std::stoi(Ok("list " + std::to_string(IDC_LIST)).at(1));
}

Scenario::ListTail Scenario::WaitListCount(int min_count, milliseconds timeout) {
    const auto f =
        driver().Ok("tail " + std::to_string(IDC_LIST) + " " + std::to_string(min_count) + " " +
                        std::to_string(timeout.count()),
                    timeout + milliseconds(20000));
    return {std::stoi(f.at(0)), f.at(1)};
}

std::vector<std::string> Scenario::WaitList(
    const std::function<bool(const std::vector<std::string>&)>& done, milliseconds timeout,
    const std::string& expectation) {
    const auto deadline = Clock::now() + timeout;
    for (;;) {
        auto seen = List();
        if (done(seen)) return seen;
        if (Clock::now() >= deadline)
            throw ScenarioFailure("expected the list " + expectation + " within " +
                                  std::to_string(timeout.count()) + " ms\n  seen " + Visible(seen));
        std::this_thread::sleep_for(milliseconds(100));
    }
}

std::vector<std::string> Scenario::WaitListEquals(const std::vector<std::string>& expected,
                                                  milliseconds timeout) {
    return WaitList([&](const auto& seen) { return seen == expected; }, timeout,
                    "to be exactly " + Visible(expected));
}

void Scenario::ExpectListStays(const std::vector<std::string>& expected, milliseconds duration) {
    const auto end = Clock::now() + duration;
    while (Clock::now() < end) {
        const auto seen = List();
        if (seen != expected)
            throw ScenarioFailure("expected the list to stay " + Visible(expected) + "\n  seen " +
                                  Visible(seen));
        std::this_thread::sleep_for(milliseconds(150));
    }
}

std::vector<MessageBoxSeen> Scenario::Boxes() {
    const auto f = Ok("msgbox");
    const size_t n = std::stoul(f.at(0));
    std::vector<MessageBoxSeen> boxes;
    for (size_t i = 0; i < n; ++i) {
        MessageBoxSeen box;
        box.hwnd = f.at(1 + i * 5);
        box.caption = f.at(2 + i * 5);
        box.text = f.at(3 + i * 5);
        box.icon = f.at(4 + i * 5);
        box.button_texts = f.at(5 + i * 5);
        box.buttons = ButtonIds(box.button_texts);
        boxes.push_back(std::move(box));
    }
    return boxes;
}

MessageBoxSeen Scenario::WaitBox(milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    std::optional<Clock::time_point> first_seen;
    for (;;) {
        auto boxes = Boxes();
        if (!boxes.empty()) {
            if (!first_seen) first_seen = Clock::now();
            // The icon is read from the screen; give the box a moment to paint.
            if (boxes.front().icon != "other" || Clock::now() - *first_seen > milliseconds(2000))
                return boxes.front();
        } else if (Clock::now() >= deadline) {
            throw ScenarioFailure("expected a message box within " +
                                  std::to_string(timeout.count()) + " ms; none appeared; list " +
                                  Visible(List()));
        }
        std::this_thread::sleep_for(milliseconds(100));
    }
}

void Scenario::ExpectBox(const MessageBoxSeen& box, const std::string& caption,
                         const std::string& text, const std::string& icon,
                         std::vector<int> buttons) {
    auto sorted_seen = box.buttons;
    std::sort(sorted_seen.begin(), sorted_seen.end());
    auto sorted_expected = buttons;
    std::sort(sorted_expected.begin(), sorted_expected.end());
    if (box.caption != caption || box.text != text || box.icon != icon ||
        sorted_seen != sorted_expected)
        throw ScenarioFailure("expected box caption \"" + caption + "\", text \"" + text +
                              "\", icon " + icon + ", buttons " + Ids(buttons) + "\n  seen " +
                              box.Describe());
}

void Scenario::Answer(int id) {
    const auto boxes = Boxes();
    if (boxes.empty()) throw ScenarioFailure("expected a box to answer; none is open");
    const std::string hwnd = boxes.front().hwnd;
    Ok("answer " + std::to_string(id) + " " + hwnd);
    const auto deadline = Clock::now() + milliseconds(10000);
    for (;;) {
        const auto now = Boxes();
        if (std::none_of(now.begin(), now.end(), [&](const auto& b) { return b.hwnd == hwnd; }))
            return;
        if (Clock::now() >= deadline)
            throw ScenarioFailure("expected the box to close after button " + std::to_string(id) +
                                  "; still open: " + now.front().Describe());
        std::this_thread::sleep_for(milliseconds(50));
    }
}

void Scenario::ExpectNoBox(milliseconds for_how_long) {
    const auto end = Clock::now() + for_how_long;
    do {
        const auto boxes = Boxes();
        if (!boxes.empty())
            throw ScenarioFailure("expected no message box; seen " + boxes.front().Describe());
        std::this_thread::sleep_for(milliseconds(100));
    } while (Clock::now() < end);
}

void Scenario::WaitNoBox(milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    for (;;) {
        const auto boxes = Boxes();
        if (boxes.empty()) return;
        if (Clock::now() >= deadline)
            throw ScenarioFailure("expected the box to close; still open: " +
                                  boxes.front().Describe());
        std::this_thread::sleep_for(milliseconds(50));
    }
}

PtyPair& Scenario::StartCapturing(int n) {
    PtyPair& pty = AttachPort(n);
    Start();
    ConnectFresh();
    return pty;
}

void Scenario::ConnectFresh() {
    auto expected = List();
    expected.push_back("connected.");
    Click(IDC_CONNECT);
    AwaitConnected(expected);
}

void Scenario::AwaitConnected(const std::vector<std::string>& expected) {
    const auto deadline = Clock::now() + milliseconds(10000);
    for (;;) {
        // Polled fast: the moment seen is the phase of every later tick.
        const auto seen = List();
        if (seen == expected) {
            tick_origin_ = Clock::now();
            return;
        }
        const auto boxes = Boxes();
        if (!boxes.empty())
            throw ScenarioFailure("expected \"connected.\" after Connect; a box opened: " +
                                  boxes.front().Describe());
        if (Clock::now() >= deadline)
            throw ScenarioFailure("expected the list to become " + Visible(expected) +
                                  " after Connect\n  seen " + Visible(seen));
        std::this_thread::sleep_for(milliseconds(20));
    }
}

void Scenario::WaitUntilRead(PtyPair& pty) {
    const auto deadline = Clock::now() + milliseconds(5000);
    while (pty.Unread() > 0) {
        if (Clock::now() >= deadline)
            throw ScenarioFailure("expected the program to read what was sent; " +
                                  std::to_string(pty.Unread()) +
                                  " bytes are still unread after 5 s");
        std::this_thread::sleep_for(milliseconds(1));
    }
}

void Scenario::Send(PtyPair& pty, std::string_view bytes) {
    pty.Write(bytes);
    WaitUntilRead(pty);
}

void Scenario::SendAndFlush(PtyPair& pty, std::string_view bytes) {
    Send(pty, bytes);
    Command(IDC_FLUSH);
}

void Scenario::SendAtPhase(PtyPair& pty, std::string_view bytes, double phase) {
    if (!tick_origin_) throw ScenarioFailure("tick phase unknown: no connect seen yet");
    const auto since = std::chrono::duration_cast<milliseconds>(Clock::now() - *tick_origin_);
    const auto target = milliseconds(static_cast<int>(phase * 1000));
    auto wait = (target - since % 1000) % 1000;
    if (wait.count() < 0) wait += milliseconds(1000);
    std::this_thread::sleep_for(wait);
    pty.Write(bytes);
}

std::vector<std::string> Scenario::SendBurstsOnePerTick(PtyPair& pty,
                                                        mirl::test::ReferenceCapture& model,
                                                        const std::vector<std::string>& bursts) {
    std::vector<std::string> lines = List();
    for (const std::string& burst : bursts) {
        if (!model.Reading()) break;
        model.Receive(burst);
        const auto moved = model.Move();
        lines.insert(lines.end(), moved.begin(), moved.end());
        // Hundreds of bytes take milliseconds to read: aimed between ticks, so none splits them.
        SendAtPhase(pty, burst);
        if (model.Reading()) WaitListEquals(lines, milliseconds(3000));
    }
    return lines;
}

void Scenario::WaitTicks(int ticks) {
    std::this_thread::sleep_for(milliseconds(1000 * ticks));
}

void Scenario::ExpectLocked(bool locked) {
    for (int id : {IDC_PORT, IDC_BAUD, IDC_PARITY, IDC_DATABITS, IDC_STOPBITS, IDC_DEFAULT}) {
        if (Enabled(id) == locked)
            throw ScenarioFailure("expected control " + std::to_string(id) + " to be " +
                                  (locked ? "disabled" : "enabled") + "; it is not");
    }
    for (int id : {IDC_DELETE, IDCANCEL}) {
        if (!Enabled(id))
            throw ScenarioFailure("expected control " + std::to_string(id) +
                                  " to stay enabled; it is disabled");
    }
    const std::string expected = locked ? "Disconnect" : "Connect";
    const std::string seen = Text(IDC_CONNECT);
    if (seen != expected)
        throw ScenarioFailure("expected the button text \"" + expected + "\"; seen \"" + seen +
                              "\"");
}

std::filesystem::path Scenario::Screenshot(const std::string& file_name) {
    const auto file = dir_ / file_name;
    SpawnOptions options;
    options.argv = {"import", "-display", session_.display(), "-window", "root", file.string()};
    const RunResult result = RunToEnd(options, milliseconds(30000));
    if (result.status != 0 || !std::filesystem::exists(file))
        throw ScenarioFailure("screenshot failed: " + result.output);
    return file;
}

}  // namespace e2e

// How long a tick that adds a burst of lines keeps the program's UI thread busy, seen from outside:
// the longest wait for an answer to WM_NULL while the tick runs, and the time from the tick to
// the burst's last line in the list. Ticks that add 30, 500 and 2001 lines (2000 line feeds). The
// floor beside it, in turn with the program's ticks: the bare dialog on the same template and
// manifest adding the same lines with the list's redraw off, its list not subclassed, seen from
// outside the same way.
//
//   burst_bench MIRLTTY_EXE BARE_DIALOG_EXE WRITE_PORT [REPEATS]
//
// The program captures on COM1; WRITE_PORT (COM12, say) is the other end of COM1's pair.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "app_under_test.h"
#include "bench_report.h"
#include "resource.h"
#include "win32_handles.h"

namespace mirl::bench {
namespace {

using std::chrono::milliseconds;

struct Burst {
    int lines;
    std::string bytes;  // what the device sends
};

std::string Repeat(const std::string& text, int times) {
    std::string all;
    for (int i = 0; i < times; ++i) all += text;
    return all;
}

// Each short line ends in CR LF; the move ends the burst with a line feed of its own, which is
// one more line. 2000 line feeds fill the buffer, and the move's line feed is the 2001st line.
std::vector<Burst> Bursts() {
    return {
        {30, Repeat("ab\r\n", 29)}, {500, Repeat("ab\r\n", 499)}, {2001, std::string(2000, '\n')}};
}

// The lines a burst becomes, for the bare dialog.
std::vector<std::string> LinesOf(const Burst& burst) {
    std::vector<std::string> lines;
    std::string line;
    for (const char c : burst.bytes) {
        line += c;
        if (c == '\n') lines.push_back(std::exchange(line, {}));
    }
    lines.push_back(line + '\n');
    return lines;
}

struct Stall {
    double longestAnswerMs = 0;  // the longest any message sent to the dialog waited
    double lastLineMs = 0;       // at most this from the tick (or batch) starting to the last line
};

// Sends WM_NULL to the dialog and LB_GETCOUNT to its list over and over, until the list holds
// `count` items and for a while after, so that the repaint and whatever else the tick does are
// seen too. The lines went in between the last answer that showed the list short of them and the
// first that showed them all.
std::optional<Stall> WatchUntilCount(HWND dialog, int count, milliseconds timeout) {
    HWND list = ::GetDlgItem(dialog, IDC_LIST);
    const auto deadline = Clock::now() + timeout;
    Stall stall;
    const auto ask = [&](HWND window, UINT message) -> std::optional<LRESULT> {
        const auto sent = Clock::now();
        DWORD_PTR result = 0;
        if (!::SendMessageTimeoutA(window, message, 0, 0, SMTO_NORMAL, 300000, &result)) {
            return std::nullopt;
        }
        stall.longestAnswerMs = std::max(stall.longestAnswerMs, MillisecondsSince(sent));
        return static_cast<LRESULT>(result);
    };
    auto lastShort = Clock::now();
    std::optional<Clock::time_point> complete;
    while (Clock::now() < deadline) {
        if (!ask(dialog, WM_NULL)) break;
        const auto items = ask(list, LB_GETCOUNT);
        if (!items) break;
        const auto answered = Clock::now();
        if (complete) {
            if (answered - *complete > milliseconds{250}) return stall;
        } else if (*items < count) {
            lastShort = answered;
        } else {
            complete = answered;
            stall.lastLineMs =
                std::chrono::duration<double, std::milli>(answered - lastShort).count();
        }
        std::this_thread::sleep_for(milliseconds{1});
    }
    return std::nullopt;
}

// The program: connect, send the burst between two ticks, watch the next tick.
std::optional<Stall> ProgramTick(const std::string& exe, HANDLE device, const Burst& burst) {
    AppUnderTest app(exe);
    if (!app.WaitUntilAnswering(milliseconds{30000})) return std::nullopt;
    app.Click(IDC_CONNECT);
    const auto connected = app.WaitForLastLine(IDC_LIST, "connected.", milliseconds{5000});
    if (!connected) return std::nullopt;
    // The timer starts as "connected." is added: ticks fall at whole seconds from then. The burst
    // goes out 300 ms after one, so the reader has it all long before the next.
    auto nextTick = *connected + milliseconds{1000};
    while (nextTick - Clock::now() < milliseconds{800}) nextTick += milliseconds{1000};
    std::this_thread::sleep_until(nextTick - milliseconds{700});
    DWORD written = 0;
    if (!::WriteFile(device, burst.bytes.data(), static_cast<DWORD>(burst.bytes.size()), &written,
                     nullptr) ||
        written != burst.bytes.size()) {
        std::fprintf(stderr, "burst_bench: could not write the burst\n");
        return std::nullopt;
    }
    const auto stall = WatchUntilCount(app.Dialog(), 1 + burst.lines, milliseconds{120000});
    app.Kill();  // the 2001-line tick leaves the limit box open
    return stall;
}

// The floor: the same lines handed to the bare dialog, which adds them as one batch.
std::optional<Stall> FloorBatch(const std::string& exe, const Burst& burst) {
    AppUnderTest app(exe);
    if (!app.WaitUntilAnswering(milliseconds{30000})) return std::nullopt;
    std::string joined;
    for (const std::string& line : LinesOf(burst)) joined += line + '\0';
    COPYDATASTRUCT data{0, static_cast<DWORD>(joined.size()), joined.data()};
    HWND dialog = app.Dialog();
    std::thread sender(
        [&] { ::SendMessageA(dialog, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data)); });
    const auto stall = WatchUntilCount(dialog, burst.lines, milliseconds{300000});
    sender.join();
    return stall;
}

int Main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr,
                     "usage: burst_bench MIRLTTY_EXE BARE_DIALOG_EXE WRITE_PORT [REPEATS]\n");
        return 2;
    }
    const std::string program = argv[1];
    const std::string reference = argv[2];
    const int repeats = argc > 4 ? std::atoi(argv[4]) : 5;
    const std::string devicePath = std::string(R"(\\.\)") + argv[3];
    unique_hfile device(::CreateFileA(devicePath.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                      OPEN_EXISTING, 0, nullptr));
    if (!device) {
        std::fprintf(stderr, "burst_bench: cannot open %s\n", devicePath.c_str());
        return 1;
    }
    for (const Burst& burst : Bursts()) {
        std::vector<double> answers;
        std::vector<double> lastLines;
        std::vector<double> floors;
        for (int i = 0; i < repeats; ++i) {
            const auto stall = ProgramTick(program, device.get(), burst);
            if (!stall) {
                std::fprintf(stderr, "burst_bench: the %d-line tick was not seen\n", burst.lines);
                return 1;
            }
            const auto floor = FloorBatch(reference, burst);
            if (!floor) {
                std::fprintf(stderr, "burst_bench: the bare list took no %d lines\n", burst.lines);
                return 1;
            }
            std::printf(
                "%d lines, run %d: longest answer %.1f ms, last line after %.1f ms; "
                "bare list %.1f ms\n",
                burst.lines, i + 1, stall->longestAnswerMs, stall->lastLineMs,
                floor->longestAnswerMs);
            answers.push_back(stall->longestAnswerMs);
            lastLines.push_back(stall->lastLineMs);
            floors.push_back(floor->longestAnswerMs);
        }
        const Spread answer = SpreadOf(answers);
        const Spread lastLine = SpreadOf(lastLines);
        const Spread floor = SpreadOf(floors);
        PrintRow(Format("Tick adding %d lines: UI thread busy, median (max) / bare list's floor / "
                        "tick to last line, ms",
                        burst.lines),
                 Format("%.0f (%.0f) / %.0f (%.0f) = %.2f; %.0f", answer.median, answer.max,
                        floor.median, floor.max, answer.median / floor.median, lastLine.median),
                 "<= 1.5",
                 Format("median of %d, in turn: longest wait for WM_NULL or LB_GETCOUNT sent from "
                        "outside; floor: bare dialog, same template, adding with redraw off",
                        repeats));
    }
    return 0;
}

}  // namespace
}  // namespace mirl::bench

int main(int argc, char** argv) {
    return mirl::bench::Main(argc, argv);
}

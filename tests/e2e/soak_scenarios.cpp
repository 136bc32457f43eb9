// Many Connect/Disconnect cycles in one process: each must add its two lines, and the program's
// threads and handles must not grow with the cycles.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "message_boxes.h"
#include "process_probe.h"
#include "scenario_test.h"

namespace e2e {
namespace {

using Soak = ScenarioTest;

int SoakCycles() {
    const char* value = std::getenv("MIRL_E2E_SOAK_CYCLES");
    return value && *value ? std::atoi(value) : MIRL_E2E_SOAK_CYCLES;
}

struct Figures {
    LinuxFigures linux_side;
    long wine_threads = -1;
    long wine_handles = -1;  // entries in Wine's system handle table
    long handle_count = -1;  // GetProcessHandleCount, 0 under Wine
    std::string Describe() const {
        return "linux threads " + std::to_string(linux_side.threads) + ", linux fds " +
               std::to_string(linux_side.fds) + ", wine threads " + std::to_string(wine_threads) +
               ", wine handles " + std::to_string(wine_handles) + " (GetProcessHandleCount " +
               std::to_string(handle_count) + ")";
    }
};

// Taken once Linux shows no thread that Wine no longer counts (or at the deadline): after a
// Disconnect the reader ends for Wine as it lets go of the server, and on Linux just after.
Figures Measure(Scenario& s, pid_t pid) {
    const auto deadline = Clock::now() + milliseconds(5000);
    Figures f;
    do {
        f.linux_side = FiguresOf(pid);
        const auto w = s.Ok("process");
        f.wine_threads = std::stol(w.at(0));
        f.wine_handles = std::stol(w.at(1));
        f.handle_count = std::stol(w.at(2));
    } while (f.linux_side.threads > f.wine_threads && Clock::now() < deadline);
    return f;
}

// Clicks Connect (or Disconnect) and expects `line` to be added as line `lines` + 1.
void ClickAddsLine(Scenario& s, int cycle, int& lines, const std::string& line) {
    s.Click(IDC_CONNECT);
    const auto tail = s.WaitListCount(lines + 1, milliseconds(10000));
    if (tail.count != lines + 1 || tail.last != line)
        throw ScenarioFailure("cycle " + std::to_string(cycle) + ": expected line " +
                              std::to_string(lines + 1) + " \"" + line + "\"; seen " +
                              std::to_string(tail.count) + " lines, the last \"" + tail.last +
                              "\"");
    ++lines;
}

void Cycle(Scenario& s, int cycle, int& lines) {
    ClickAddsLine(s, cycle, lines, "connected.");
    ClickAddsLine(s, cycle, lines, "disconnect.");
}

TEST_F(Soak, ConnectDisconnectCyclesLeakNothing) {
    const int cycles = SoakCycles();
    const int warm_up = std::min(20, cycles / 2);
    auto& port = s.AttachPort(1);
    s.Start();
    const pid_t pid = s.ProgramProcess();
    const Figures fresh = Measure(s, pid);
    int lines = 0;
    const auto start = Clock::now();
    for (int i = 1; i <= warm_up; ++i) Cycle(s, i, lines);
    const Figures warm = Measure(s, pid);
    // The probes must see what one capture holds, or flat figures would prove nothing.
    ClickAddsLine(s, warm_up, lines, "connected.");
    const Figures capturing = Measure(s, pid);
    ClickAddsLine(s, warm_up, lines, "disconnect.");
    for (int i = warm_up + 1; i <= cycles; ++i) Cycle(s, i, lines);
    const double took = std::chrono::duration<double>(Clock::now() - start).count();
    const Figures end = Measure(s, pid);
    std::printf("[ figures  ] %d cycles in %.1f s (%.0f ms each)\n", cycles, took,
                1000.0 * took / cycles);
    std::printf("[ figures  ] before any:           %s\n", fresh.Describe().c_str());
    std::printf("[ figures  ] after %3d (warm-up):   %s\n", warm_up, warm.Describe().c_str());
    std::printf("[ figures  ] while capturing:      %s\n", capturing.Describe().c_str());
    std::printf("[ figures  ] after %3d:             %s\n", cycles, end.Describe().c_str());
    EXPECT_EQ(lines, 2 * cycles + 2);
    EXPECT_GT(capturing.wine_threads, warm.wine_threads) << "the reader thread is not seen";
    EXPECT_GT(capturing.linux_side.fds + capturing.wine_handles,
              warm.linux_side.fds + warm.wine_handles)
        << "the open port is not seen";
    s.ExpectLocked(false);
    // One leaked thread or handle per cycle would show hundreds; allow a little settling.
    EXPECT_LE(end.linux_side.threads, warm.linux_side.threads + 2) << end.Describe();
    EXPECT_LE(end.linux_side.fds, warm.linux_side.fds + 4) << end.Describe();
    EXPECT_LE(end.wine_threads, warm.wine_threads + 2) << end.Describe();
    if (warm.wine_handles >= 0) {
        EXPECT_LE(end.wine_handles, warm.wine_handles + 8) << end.Describe();
    }
    // And the program still captures, after a Delete of the long list.
    s.ExpectNoBox(milliseconds(200));
    s.Click(IDC_DELETE);
    ExpectDeleteBox(s);
    s.Answer(IDYES);
    s.WaitListEquals({}, milliseconds(5000));
    s.ConnectFresh();
    s.SendAndFlush(port, "still here\r\n");
    s.WaitListEquals({"connected.", "still here\r\n", "\n"}, milliseconds(2500));
}

}  // namespace
}  // namespace e2e

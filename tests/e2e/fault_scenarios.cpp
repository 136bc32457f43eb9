// The device goes away in the middle of a capture: the program must neither crash, hang nor spin,
// must keep what it had, and must refuse the vanished port cleanly afterwards.
#include <gtest/gtest.h>

#include <cstdio>
#include <thread>

#include "message_boxes.h"
#include "nmea.h"
#include "process_probe.h"
#include "reference_capture.h"
#include "scenario_test.h"

namespace e2e {
namespace {

using Fault = ScenarioTest;

// In percent of one core.
double CpuShare(pid_t pid, milliseconds span) {
    const auto start = Clock::now();
    const LinuxFigures before = FiguresOf(pid);
    std::this_thread::sleep_for(span);
    const LinuxFigures after = FiguresOf(pid);
    const double wall = std::chrono::duration<double>(Clock::now() - start).count();
    return 100.0 * (after.cpu_seconds - before.cpu_seconds) / wall;
}

TEST_F(Fault, DeviceGoneDuringCaptureKeepsLinesAndRefusesTheDeadPort) {
    const auto sentences = LoadNmeaSentences(s.wine().paths().data_dir / "bu353s4.nmea");
    ASSERT_GE(sentences.size(), 10u);
    auto& port = s.StartCapturing();
    const pid_t pid = s.ProgramProcess();
    const double busy_before = CpuShare(pid, milliseconds(2000));

    mirl::test::ReferenceCapture model;
    model.StartReader();
    auto lines = s.SendBurstsOnePerTick(port, model, NmeaBursts(sentences, 2, "\r\n"));

    port.Hangup();
    // Until the reader finds the device gone, its read spins on the dead pty: measure once quiet.
    const auto deadline = Clock::now() + milliseconds(5000);
    while (CpuShare(pid, milliseconds(200)) >= 30.0 && Clock::now() < deadline) continue;
    const double busy_after = CpuShare(pid, milliseconds(5000));
    std::printf("[ figures  ] mirltty CPU while capturing on a quiet port: %.1f%% of a core\n",
                busy_before);
    std::printf("[ figures  ] mirltty CPU over 5 s after the device went away: %.1f%% of a core\n",
                busy_after);
    ASSERT_TRUE(s.Alive()) << "the dialog went away after the device did";
    // Nothing shown is lost and nothing is made up.
    s.ExpectListStays(lines, milliseconds(1200));
    s.ExpectLocked(true);
    s.ExpectNoBox(milliseconds(200));
    EXPECT_LT(busy_after, 30.0)
        << "the program spins once the device is gone (a reader that loops on failing reads "
           "without waiting would use about 100%)";

    const auto clicked = Clock::now();
    s.Click(IDC_CONNECT);
    lines.push_back("disconnect.");
    s.WaitListEquals(lines, milliseconds(3000));
    std::printf("[ figures  ] Disconnect after the device went away took %lld ms\n",
                static_cast<long long>(
                    std::chrono::duration_cast<milliseconds>(Clock::now() - clicked).count()));
    s.ExpectLocked(false);
    s.ExpectNoBox(milliseconds(300));

    // COM1 now leads to a pty that no longer exists.
    ExpectConfirmedConnectFails(s);
    EXPECT_TRUE(s.Alive());
}

}  // namespace
}  // namespace e2e

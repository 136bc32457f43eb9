// A capture on a quiet port: lines per tick, the line-feed rules, locking, Disconnect, Flush.
#include <gtest/gtest.h>

#include <thread>

#include "line_model.h"
#include "scenario_registry.h"

namespace e2e {
namespace {

// The lines shown so far plus `more`.
std::vector<std::string> With(std::vector<std::string> lines, std::vector<std::string> more) {
    lines.insert(lines.end(), more.begin(), more.end());
    return lines;
}

}  // namespace

void AddCaptureScenarios(ScenarioRegistry& r) {
    r.Add("Capture", "LinesArriveByTheRulesAndDisconnectMovesTheRest", [](Scenario& s) {
        auto& port = s.AttachPort(1);
        s.Start();
        s.ConnectFresh();
        s.ExpectLocked(true);
        // Nothing comes in, so nothing is shown but "connected.".
        s.ExpectListStays({"connected."}, milliseconds(2500));

        // All eight bytes move in one tick: two lines, and a line feed of the rule's own.
        s.SendAtPhase(port, "ab\r\ncd\r\n");
        auto shown = s.WaitListEquals({"connected.", "ab\r\n", "cd\r\n", "\n"}, milliseconds(2500));

        // One new byte: no line feed is inserted, it waits.
        s.SendAtPhase(port, "Q");
        s.WaitTicks(2);
        s.ExpectListStays(shown, milliseconds(500));
        // Two new bytes: one line, led by the waiting byte.
        s.SendAtPhase(port, "RS");
        shown = s.WaitListEquals(With(shown, {"QRS\n"}), milliseconds(2500));

        // A waiting byte, then two unmoved bytes when Disconnect runs: it moves them itself.
        s.SendAtPhase(port, "T");
        s.WaitTicks(1);
        s.SendAtPhase(port, "UV", 0.2);
        std::this_thread::sleep_for(milliseconds(50));
        s.Click(1006);
        const auto texts = s.Ok("watchtext 1006 1500");
        EXPECT_EQ(texts, (std::vector<std::string>{"Disconnect", "Wait...", "Connect"}));
        s.WaitListEquals(With(shown, {"TUV\n", "disconnect."}), milliseconds(3000));
        s.ExpectLocked(false);
        s.ExpectNoBox(milliseconds(200));
    });
    r.Add("Capture", "ZeroBytesVanishAndOneLeftoverWaitsPastAClear", [](Scenario& s) {
        auto& port = s.AttachPort(1);
        s.Start();
        s.ConnectFresh();
        s.SendAtPhase(port, std::string("x\0y\r\n", 5));
        auto shown = s.WaitListEquals({"connected.", "xy\r\n", "\n"}, milliseconds(2500));
        // One byte left unmoved at Disconnect gets no line feed: it stays pending, unseen.
        s.SendAtPhase(port, "W", 0.2);
        std::this_thread::sleep_for(milliseconds(50));
        s.Click(1006);
        shown = s.WaitListEquals({"connected.", "xy\r\n", "\n", "disconnect."}, milliseconds(3000));
        s.Command(1016);
        s.ExpectBox(s.WaitBox(), "mirltty", "Readed characters: 7 (max. 2001)", "none", {1});
        s.Answer(1);
        // A new connection clears the data, but the pending "W" leads the next line.
        s.Click(1006);
        s.ExpectBox(s.WaitBox(), "mirlTTY", "Opening a new connection, all data will be deleted !",
                    "exclamation", {1, 2});
        s.Answer(1);
        s.AwaitConnected({"connected."});
        s.SendAtPhase(port, "ZZ\r\n");
        s.WaitListEquals({"connected.", "WZZ\r\n", "\n"}, milliseconds(2500));
    });
    r.Add("Capture", "FlushMovesPendingBytesAtOnce", [](Scenario& s) {
        auto& port = s.AttachPort(1);
        s.Start();
        // Flush on an empty buffer shows nothing.
        s.Command(1012);
        s.ExpectListStays({}, milliseconds(500));
        s.ConnectFresh();
        s.SendAtPhase(port, "xy\r\n", 0.1);
        std::this_thread::sleep_for(milliseconds(100));
        const auto sent = Clock::now();
        s.Command(1012);
        // The next tick is about 0.8 s away: the lines must be there well before it.
        s.WaitListEquals({"connected.", "xy\r\n", "\n"}, milliseconds(500));
        EXPECT_LT(Clock::now() - sent, milliseconds(600));
        s.ExpectListStays({"connected.", "xy\r\n", "\n"}, milliseconds(1500));
    });
}

}  // namespace e2e

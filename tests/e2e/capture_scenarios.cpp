// A capture on a quiet port: lines per tick, the line-feed rules, locking, Disconnect, Flush.
#include <gtest/gtest.h>

#include "message_boxes.h"
#include "scenario_test.h"

namespace e2e {
namespace {

using Capture = ScenarioTest;

std::vector<std::string> With(std::vector<std::string> lines, std::vector<std::string> more) {
    lines.insert(lines.end(), more.begin(), more.end());
    return lines;
}

// The tick is the subject here, so bursts are aimed between ticks.
TEST_F(Capture, LinesArriveByTheRulesAndDisconnectMovesTheRest) {
    auto& port = s.StartCapturing();
    s.ExpectLocked(true);
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
    s.WaitUntilRead(port);
    const auto texts = s.Ok("watchtext " + std::to_string(IDC_CONNECT) + " 1500 click");
    EXPECT_EQ(texts, (std::vector<std::string>{"Disconnect", "Wait...", "Connect"}));
    s.WaitListEquals(With(shown, {"TUV\n", "disconnect."}), milliseconds(3000));
    s.ExpectLocked(false);
    s.ExpectNoBox(milliseconds(200));
}

TEST_F(Capture, ZeroBytesVanishAndOneLeftoverWaitsPastAClear) {
    auto& port = s.StartCapturing();
    s.SendAndFlush(port, std::string("x\0y\r\n", 5));
    s.WaitListEquals({"connected.", "xy\r\n", "\n"}, milliseconds(2500));
    // One byte gets no line feed, whichever move takes it (a tick or Disconnect's): it stays
    // pending, unseen.
    s.Send(port, "W");
    s.Click(IDC_CONNECT);
    s.WaitListEquals({"connected.", "xy\r\n", "\n", "disconnect."}, milliseconds(3000));
    EXPECT_EQ(CountShown(s), 7);
    // A new connection clears the data, but the pending "W" leads the next line.
    s.Click(IDC_CONNECT);
    ExpectConfirmBox(s);
    s.Answer(IDOK);
    s.AwaitConnected({"connected."});
    s.SendAndFlush(port, "ZZ\r\n");
    s.WaitListEquals({"connected.", "WZZ\r\n", "\n"}, milliseconds(2500));
}

TEST_F(Capture, FlushMovesPendingBytesAtOnce) {
    auto& port = s.AttachPort(1);
    s.Start();
    s.Command(IDC_FLUSH);
    s.ExpectListStays({}, milliseconds(500));
    s.ConnectFresh();
    // Just after a tick, so that the next one is about 0.8 s away when the flush comes.
    s.SendAtPhase(port, "xy\r\n", 0.1);
    s.WaitUntilRead(port);
    const auto sent = Clock::now();
    s.Command(IDC_FLUSH);
    s.WaitListEquals({"connected.", "xy\r\n", "\n"}, milliseconds(500));
    EXPECT_LT(Clock::now() - sent, milliseconds(600));
    s.ExpectListStays({"connected.", "xy\r\n", "\n"}, milliseconds(1500));
}

}  // namespace
}  // namespace e2e

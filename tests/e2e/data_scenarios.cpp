// Old data: the confirmation before a new capture over it, and Delete with its three answers.
#include <gtest/gtest.h>

#include "message_boxes.h"
#include "scenario_test.h"

namespace e2e {
namespace {

using Confirm = ScenarioTest;
using Delete = ScenarioTest;

// Shows "old\r\n" and disconnects: 5 bytes + the rule's line feed = count 6.
std::vector<std::string> CaptureOld(Scenario& s, PtyPair& port) {
    s.SendAndFlush(port, "old\r\n");
    s.WaitListEquals({"connected.", "old\r\n", "\n"}, milliseconds(2500));
    s.Click(IDC_CONNECT);
    return s.WaitListEquals({"connected.", "old\r\n", "\n", "disconnect."}, milliseconds(3000));
}

TEST_F(Confirm, CancelKeepsOldDataOkClearsAndConnects) {
    auto& port = s.StartCapturing();
    const auto old = CaptureOld(s, port);
    s.Click(IDC_CONNECT);
    ExpectConfirmBox(s);
    s.Answer(IDCANCEL);
    s.ExpectListStays(old, milliseconds(1200));
    s.ExpectLocked(false);
    EXPECT_EQ(CountShown(s), 6);
    s.Click(IDC_CONNECT);
    ExpectConfirmBox(s);
    s.Answer(IDOK);
    s.AwaitConnected({"connected."});
    s.ExpectLocked(true);
    s.SendAndFlush(port, "new\r\n");
    s.WaitListEquals({"connected.", "new\r\n", "\n"}, milliseconds(2500));
}

TEST_F(Confirm, ConnectWithNothingCapturedKeepsTheList) {
    s.StartCapturing();
    s.Click(IDC_CONNECT);
    s.WaitListEquals({"connected.", "disconnect."}, milliseconds(3000));
    s.ConnectFresh();
    s.ExpectNoBox(milliseconds(300));
    EXPECT_EQ(s.List(), (std::vector<std::string>{"connected.", "disconnect.", "connected."}));
}

TEST_F(Delete, NoAndCancelKeepYesClears) {
    const auto old = CaptureOld(s, s.StartCapturing());
    s.Click(IDC_DELETE);
    ExpectDeleteBox(s);
    s.Answer(IDNO);
    s.ExpectListStays(old, milliseconds(500));
    s.Click(IDC_DELETE);
    ExpectDeleteBox(s);
    s.Answer(IDCANCEL);
    s.ExpectListStays(old, milliseconds(500));
    s.Click(IDC_DELETE);
    ExpectDeleteBox(s);
    s.Ok("key escape");
    s.WaitNoBox(milliseconds(3000));
    s.ExpectListStays(old, milliseconds(500));
    EXPECT_EQ(CountShown(s), 6);
    s.Click(IDC_DELETE);
    ExpectDeleteBox(s);
    s.Answer(IDYES);
    s.WaitListEquals({}, milliseconds(2000));
    EXPECT_EQ(CountShown(s), 0);
    // Nothing left, so the next Connect does not ask.
    s.ConnectFresh();
    s.ExpectNoBox(milliseconds(300));
}

TEST_F(Delete, YesDuringCaptureClearsAndCaptureGoesOn) {
    auto& port = s.StartCapturing();
    s.SendAndFlush(port, "one\r\n");
    s.WaitListEquals({"connected.", "one\r\n", "\n"}, milliseconds(2500));
    s.Click(IDC_DELETE);
    ExpectDeleteBox(s);
    s.Answer(IDYES);
    s.WaitListEquals({}, milliseconds(2000));
    s.ExpectLocked(true);
    // After the clear the next move starts afresh (one unmoved byte takes a line feed).
    s.SendAndFlush(port, "two\r\n");
    s.WaitListEquals({"two\r\n", "\n"}, milliseconds(2500));
    EXPECT_EQ(CountShown(s), 6);
    s.Click(IDC_CONNECT);
    s.WaitListEquals({"two\r\n", "\n", "disconnect."}, milliseconds(3000));
}

}  // namespace
}  // namespace e2e

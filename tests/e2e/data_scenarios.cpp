// Old data: the confirmation before a new capture over it, and Delete with its three answers.
#include <gtest/gtest.h>

#include "message_boxes.h"
#include "scenario_registry.h"

namespace e2e {
namespace {

// Shows "old\r\n" and disconnects: 5 bytes + the rule's line feed = count 6.
std::vector<std::string> CaptureOld(Scenario& s, PtyPair& port) {
    s.SendAndFlush(port, "old\r\n");
    s.WaitListEquals({"connected.", "old\r\n", "\n"}, milliseconds(2500));
    s.Click(IDC_CONNECT);
    return s.WaitListEquals({"connected.", "old\r\n", "\n", "disconnect."}, milliseconds(3000));
}

void CancelKeepsOldDataOkClearsAndConnects(Scenario& s) {
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

void ConnectWithNothingCapturedKeepsTheList(Scenario& s) {
    s.StartCapturing();
    s.Click(IDC_CONNECT);
    s.WaitListEquals({"connected.", "disconnect."}, milliseconds(3000));
    s.ConnectFresh();
    s.ExpectNoBox(milliseconds(300));
    EXPECT_EQ(s.List(), (std::vector<std::string>{"connected.", "disconnect.", "connected."}));
}

void NoAndCancelKeepYesClears(Scenario& s) {
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

void YesDuringCaptureClearsAndCaptureGoesOn(Scenario& s) {
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

void AddDataScenarios(ScenarioRegistry& r) {
    r.Add("Confirm", "CancelKeepsOldDataOkClearsAndConnects",
          CancelKeepsOldDataOkClearsAndConnects);
    r.Add("Confirm", "ConnectWithNothingCapturedKeepsTheList",
          ConnectWithNothingCapturedKeepsTheList);
    r.Add("Delete", "NoAndCancelKeepYesClears", NoAndCancelKeepYesClears);
    r.Add("Delete", "YesDuringCaptureClearsAndCaptureGoesOn",
          YesDuringCaptureClearsAndCaptureGoesOn);
}

}  // namespace e2e

// Old data: the confirmation before a new capture over it, and Delete with its three answers.
#include <gtest/gtest.h>

#include "line_model.h"
#include "scenario_registry.h"

namespace e2e {
namespace {

const char kConfirmText[] = "Opening a new connection, all data will be deleted !";
const char kDeleteText[] = "Do you want to delete all data ?";

// Connect, show "old\r\n", disconnect: 5 bytes + the rule's line feed = count 6.
std::vector<std::string> CaptureOld(Scenario& s, SerialLine& port) {
    s.ConnectFresh();
    s.SendAtPhase(port, "old\r\n");
    s.WaitListEquals({"connected.", "old\r\n", "\n"}, milliseconds(2500));
    s.Click(1006);
    return s.WaitListEquals({"connected.", "old\r\n", "\n", "disconnect."}, milliseconds(3000));
}

void ExpectCount(Scenario& s, int count) {
    s.Command(1016);
    s.ExpectBox(s.WaitBox(), "mirltty",
                "Readed characters: " + std::to_string(count) + " (max. 2001)", "none", {1});
    s.Answer(1);
}

void ExpectDeleteBox(Scenario& s) {
    s.Click(1017);
    s.ExpectBox(s.WaitBox(), "MirlTTY", kDeleteText, "hand", {6, 7, 2});
}

}  // namespace

void AddDataScenarios(ScenarioRegistry& r) {
    r.Add("Confirm", "CancelKeepsOldDataOkClearsAndConnects", [](Scenario& s) {
        auto& port = s.AttachPort(1);
        s.Start();
        const auto old = CaptureOld(s, port);
        s.Click(1006);
        s.ExpectBox(s.WaitBox(), "mirlTTY", kConfirmText, "exclamation", {1, 2});
        s.Answer(2);
        s.ExpectListStays(old, milliseconds(1200));
        s.ExpectLocked(false);
        ExpectCount(s, 6);
        s.Click(1006);
        s.ExpectBox(s.WaitBox(), "mirlTTY", kConfirmText, "exclamation", {1, 2});
        s.Answer(1);
        s.AwaitConnected({"connected."});
        s.ExpectLocked(true);
        s.SendAtPhase(port, "new\r\n");
        s.WaitListEquals({"connected.", "new\r\n", "\n"}, milliseconds(2500));
    });
    r.Add("Confirm", "ConnectWithNothingCapturedKeepsTheList", [](Scenario& s) {
        s.AttachPort(1);
        s.Start();
        s.ConnectFresh();
        s.Click(1006);
        s.WaitListEquals({"connected.", "disconnect."}, milliseconds(3000));
        s.ConnectFresh();
        s.ExpectNoBox(milliseconds(300));
        EXPECT_EQ(s.List(), (std::vector<std::string>{"connected.", "disconnect.", "connected."}));
    });
    r.Add("Delete", "NoAndCancelKeepYesClears", [](Scenario& s) {
        auto& port = s.AttachPort(1);
        s.Start();
        const auto old = CaptureOld(s, port);
        ExpectDeleteBox(s);
        s.Answer(7);
        s.ExpectListStays(old, milliseconds(500));
        ExpectDeleteBox(s);
        s.Answer(2);
        s.ExpectListStays(old, milliseconds(500));
        ExpectDeleteBox(s);
        s.Ok("key escape");
        s.WaitNoBox(milliseconds(3000));
        s.ExpectListStays(old, milliseconds(500));
        ExpectCount(s, 6);
        ExpectDeleteBox(s);
        s.Answer(6);
        s.WaitListEquals({}, milliseconds(2000));
        ExpectCount(s, 0);
        // Nothing left, so the next Connect does not ask.
        s.ConnectFresh();
        s.ExpectNoBox(milliseconds(300));
    });
    r.Add("Delete", "YesDuringCaptureClearsAndCaptureGoesOn", [](Scenario& s) {
        auto& port = s.AttachPort(1);
        s.Start();
        s.ConnectFresh();
        s.SendAtPhase(port, "one\r\n");
        s.WaitListEquals({"connected.", "one\r\n", "\n"}, milliseconds(2500));
        ExpectDeleteBox(s);
        s.Answer(6);
        s.WaitListEquals({}, milliseconds(2000));
        s.ExpectLocked(true);
        // After the clear the next move starts afresh (one unmoved byte takes a line feed).
        s.SendAtPhase(port, "two\r\n");
        s.WaitListEquals({"two\r\n", "\n"}, milliseconds(2500));
        ExpectCount(s, 6);
        s.Click(1006);
        s.WaitListEquals({"two\r\n", "\n", "disconnect."}, milliseconds(3000));
    });
}

}  // namespace e2e

// Ports that cannot be used: nothing behind the name, or a device that is no serial line.
#include <gtest/gtest.h>

#include "line_model.h"
#include "scenario_registry.h"

namespace e2e {
namespace {

const char kErrorText[] = "A connection could not put up.";

void ExpectConnectFails(Scenario& s, const std::vector<std::string>& list_after) {
    s.Click(1006);
    s.ExpectBox(s.WaitBox(), "Error", kErrorText, "exclamation", {1});
    s.Answer(1);
    s.ExpectListStays(list_after, milliseconds(1200));
    s.ExpectLocked(false);
}

}  // namespace

void AddErrorScenarios(ScenarioRegistry& r) {
    r.Add("Errors", "PortWithNothingBehindIt", [](Scenario& s) {
        s.wine().UnlinkPort(7);
        s.Start();
        s.Select(1000, 6);
        ASSERT_EQ(s.Text(1000), "COM7");
        ExpectConnectFails(s, {});
        // And again: the failure leaves nothing behind that would change a retry.
        ExpectConnectFails(s, {});
    });
    r.Add("Errors", "DevNullOpensButIsNoSerialLineThenAPtyWorks", [](Scenario& s) {
        PortLink link = s.wine().LinkPort(8, "/dev/null");
        s.Start();
        s.Select(1000, 7);
        ASSERT_EQ(s.Text(1000), "COM8");
        ExpectConnectFails(s, {});
        PtyPair pty;
        link.Retarget(pty.slave_path());
        s.ConnectFresh();
        s.ExpectLocked(true);
        s.SendAtPhase(pty, "ok\r\n");
        s.WaitListEquals({"connected.", "ok\r\n", "\n"}, milliseconds(2500));
    });
    r.Add("Errors", "ConfirmedClearHappensEvenWhenTheOpenFails", [](Scenario& s) {
        auto& port = s.AttachPort(1);
        s.Start();
        s.ConnectFresh();
        s.SendAtPhase(port, "old\r\n");
        s.WaitListEquals({"connected.", "old\r\n", "\n"}, milliseconds(2500));
        s.Click(1006);
        s.WaitListEquals({"connected.", "old\r\n", "\n", "disconnect."}, milliseconds(3000));
        s.wine().UnlinkPort(9);
        s.Select(1000, 8);
        s.Click(1006);
        s.ExpectBox(s.WaitBox(), "mirlTTY", "Opening a new connection, all data will be deleted !",
                    "exclamation", {1, 2});
        s.Answer(1);
        s.ExpectBox(s.WaitBox(), "Error", kErrorText, "exclamation", {1});
        s.Answer(1);
        s.WaitListEquals({}, milliseconds(2000));
        s.ExpectLocked(false);
    });
}

}  // namespace e2e

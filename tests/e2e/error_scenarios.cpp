// Ports that cannot be used: nothing behind the name, or a device that is no serial line.
#include <gtest/gtest.h>

#include "message_boxes.h"
#include "scenario_test.h"

namespace e2e {
namespace {

using Errors = ScenarioTest;

void ExpectConnectFails(Scenario& s) {
    s.Click(IDC_CONNECT);
    ExpectErrorBox(s);
    s.Answer(IDOK);
    s.ExpectListStays({}, milliseconds(1200));
    s.ExpectLocked(false);
}

TEST_F(Errors, PortWithNothingBehindIt) {
    s.wine().UnlinkPort(7);
    s.Start();
    s.Select(IDC_PORT, 6);
    ASSERT_EQ(s.Text(IDC_PORT), "COM7");
    ExpectConnectFails(s);
    // And again: the failure leaves nothing behind that would change a retry.
    ExpectConnectFails(s);
}

TEST_F(Errors, DevNullOpensButIsNoSerialLineThenAPtyWorks) {
    PortLink link = s.wine().LinkPort(8, "/dev/null");
    s.Start();
    s.Select(IDC_PORT, 7);
    ASSERT_EQ(s.Text(IDC_PORT), "COM8");
    ExpectConnectFails(s);
    PtyPair pty;
    link.Retarget(pty.slave_path());
    s.ConnectFresh();
    s.ExpectLocked(true);
    s.SendAndFlush(pty, "ok\r\n");
    s.WaitListEquals({"connected.", "ok\r\n", "\n"}, milliseconds(2500));
}

TEST_F(Errors, ConfirmedClearHappensEvenWhenTheOpenFails) {
    auto& port = s.StartCapturing();
    s.SendAndFlush(port, "old\r\n");
    s.WaitListEquals({"connected.", "old\r\n", "\n"}, milliseconds(2500));
    s.Click(IDC_CONNECT);
    s.WaitListEquals({"connected.", "old\r\n", "\n", "disconnect."}, milliseconds(3000));
    s.wine().UnlinkPort(9);
    s.Select(IDC_PORT, 8);
    ExpectConfirmedConnectFails(s);
}

}  // namespace
}  // namespace e2e

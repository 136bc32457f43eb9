// The dialog as it opens: default settings, the exact item lists, the focus, Default and Enter.
#include <gtest/gtest.h>

#include <thread>

#include "scenario_test.h"

namespace e2e {
namespace {

using Startup = ScenarioTest;

std::vector<std::string> Ports() {
    std::vector<std::string> ports;
    for (int n = 1; n <= 256; ++n) ports.push_back("COM" + std::to_string(n));
    return ports;
}

const std::vector<std::string> kBauds = {"110",   "300",   "600",    "1200",   "2400",
                                         "4800",  "9600",  "14400",  "19200",  "38400",
                                         "56000", "57600", "115200", "128000", "256000"};
const std::vector<std::string> kParities = {"None", "Even", "Odd", "Mark", "Space"};
const std::vector<std::string> kDataBits = {"5", "6", "7", "8"};
const std::vector<std::string> kStopBits = {"1", "1.5", "2"};

void ExpectDefaults(Scenario& s) {
    EXPECT_EQ(s.Text(IDC_PORT), "COM1");
    EXPECT_EQ(s.Combo(IDC_PORT).selected, 0) << "COM1 is item 0 (not COM10)";
    EXPECT_EQ(s.Text(IDC_BAUD), "9600");
    EXPECT_EQ(s.Combo(IDC_BAUD).selected, 6);
    EXPECT_EQ(s.Text(IDC_PARITY), "None");
    EXPECT_EQ(s.Text(IDC_DATABITS), "8");
    EXPECT_EQ(s.Text(IDC_STOPBITS), "1");
}

// The button texts and the layout are the template's, checked in the resource tests.
TEST_F(Startup, DefaultsItemsAndFocus) {
    s.Start();
    ExpectDefaults(s);
    EXPECT_EQ(s.Combo(IDC_PORT).items, Ports());
    EXPECT_EQ(s.Combo(IDC_BAUD).items, kBauds);
    EXPECT_EQ(s.Combo(IDC_PARITY).items, kParities);
    EXPECT_EQ(s.Combo(IDC_DATABITS).items, kDataBits);
    EXPECT_EQ(s.Combo(IDC_STOPBITS).items, kStopBits);
    EXPECT_EQ(s.FocusId(), IDC_CONNECT) << "Connect should have the focus";
    EXPECT_EQ(s.List(), std::vector<std::string>{});
    s.ExpectLocked(false);
    s.ExpectNoBox(milliseconds(200));
}

TEST_F(Startup, DefaultRestoresAllFiveLists) {
    s.Start();
    s.Select(IDC_PORT, 11);
    s.Select(IDC_BAUD, 12);
    s.Select(IDC_PARITY, 3);
    s.Select(IDC_DATABITS, 0);
    s.Select(IDC_STOPBITS, 2);
    ASSERT_EQ(s.Text(IDC_PORT), "COM12");
    s.Click(IDC_DEFAULT);
    // The click is posted: wait until its handler has run.
    const auto deadline = Clock::now() + milliseconds(5000);
    while (s.Text(IDC_BAUD) != "9600" && Clock::now() < deadline)
        std::this_thread::sleep_for(milliseconds(50));
    ExpectDefaults(s);
}

TEST_F(Startup, EnterPressesConnect) {
    s.AttachPort(1);
    s.Start();
    s.Ok("key enter");
    s.WaitListEquals({"connected."}, milliseconds(5000));
    s.ExpectLocked(true);
}

}  // namespace
}  // namespace e2e

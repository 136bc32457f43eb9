// The dialog as it opens: default settings, the exact item lists, the focus, Default and Enter.
#include <gtest/gtest.h>

#include <thread>

#include "scenario_registry.h"

namespace e2e {
namespace {

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
    EXPECT_EQ(s.Text(1000), "COM1");
    EXPECT_EQ(s.Combo(1000).selected, 0) << "COM1 is item 0 (not COM10)";
    EXPECT_EQ(s.Text(1001), "9600");
    EXPECT_EQ(s.Combo(1001).selected, 6);
    EXPECT_EQ(s.Text(1002), "None");
    EXPECT_EQ(s.Text(1004), "8");
    EXPECT_EQ(s.Text(1005), "1");
}

}  // namespace

void AddStartupScenarios(ScenarioRegistry& r) {
    r.Add("Startup", "DefaultsItemsAndFocus", [](Scenario& s) {
        s.Start();
        ExpectDefaults(s);
        EXPECT_EQ(s.Combo(1000).items, Ports());
        EXPECT_EQ(s.Combo(1001).items, kBauds);
        EXPECT_EQ(s.Combo(1002).items, kParities);
        EXPECT_EQ(s.Combo(1004).items, kDataBits);
        EXPECT_EQ(s.Combo(1005).items, kStopBits);
        EXPECT_EQ(s.FocusId(), 1006) << "Connect should have the focus";
        EXPECT_EQ(s.Text(1006), "Connect");
        EXPECT_EQ(s.Text(2), "Exit");
        EXPECT_EQ(s.Text(1009), "Default");
        EXPECT_EQ(s.Text(1017), "Delete");
        EXPECT_EQ(s.List(), std::vector<std::string>{});
        s.ExpectLocked(false);
        s.ExpectNoBox(milliseconds(200));
    });
    r.Add("Startup", "DefaultRestoresAllFiveLists", [](Scenario& s) {
        s.Start();
        s.Select(1000, 11);
        s.Select(1001, 12);
        s.Select(1002, 3);
        s.Select(1004, 0);
        s.Select(1005, 2);
        ASSERT_EQ(s.Text(1000), "COM12");
        s.Click(1009);
        const auto deadline = Clock::now() + milliseconds(5000);
        while (s.Text(1001) != "9600" && Clock::now() < deadline)
            std::this_thread::sleep_for(milliseconds(50));
        ExpectDefaults(s);
    });
    r.Add("Startup", "EnterPressesConnect", [](Scenario& s) {
        s.AttachPort(1);
        s.Start();
        s.Ok("key enter");
        s.WaitListEquals({"connected."}, milliseconds(5000));
        s.ExpectLocked(true);
    });
}

}  // namespace e2e

// The dialog as it opens: default settings, the exact item lists, the focus, Default and Enter.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <set>
#include <sstream>
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

// Imports a registry file into the prefix: regedit takes a Windows path, Z: being the root.
void ImportRegistry(WineSession& wine, const std::string& name, const std::string& text) {
    const auto file = wine.paths().artifacts / name;
    std::ofstream(file) << text;
    std::string path = "Z:" + file.string();
    std::replace(path.begin(), path.end(), '/', '\\');
    const RunResult result = RunToEnd(wine.Wine("regedit", {"/S", path}, {}), milliseconds(30000));
    if (result.status != 0) throw ScenarioFailure("regedit " + name + ": " + result.output);
}

const std::string kDevice =
    R"(HKEY_LOCAL_MACHINE\System\CurrentControlSet\Enum\USB\VID_1A86&PID_7523\MIRL150)";

// COM5 and COM150 in Wine's own port list, as a user sets Wine up for adapters, and COM150 also a
// Plug and Play device with a name. Wine lists such ports from its server's start only, so the
// server starts anew. The prefix loses them after; the server lists them until its next start.
class WineDefinedPorts {
  public:
    WineDefinedPorts(WineSession& wine, const std::string& com5, const std::string& com150)
        : wine_(wine) {
        ImportRegistry(wine_, "define_ports.reg",
                       "REGEDIT4\n[HKEY_LOCAL_MACHINE\\Software\\Wine\\Ports]\n\"COM5\"=\"" + com5 +
                           "\"\n\"COM150\"=\"" + com150 + "\"\n[" + kDevice + R"reg(]
"ClassGUID"="{4d36e978-e325-11ce-bfc1-08002be10318}"
"FriendlyName"="USB-SERIAL CH340 (COM150)"
[)reg" + kDevice + R"reg(\Device Parameters]
"PortName"="COM150"
)reg");
        wine_.End();
        wine_.Ready();
    }
    ~WineDefinedPorts() {
        try {
            ImportRegistry(
                wine_, "remove_ports.reg",
                "REGEDIT4\n[-HKEY_LOCAL_MACHINE\\Software\\Wine\\Ports]\n[-" + kDevice + "]\n");
        } catch (const std::exception&) {
            // Ports left defined lead to ptys that have gone; they harm no other scenario.
        }
    }
    WineDefinedPorts(const WineDefinedPorts&) = delete;
    WineDefinedPorts& operator=(const WineDefinedPorts&) = delete;

  private:
    WineSession& wine_;
};

// The item indices of the ports Wine lists, from `reg query` lines "  \Device\X  REG_SZ  COMn".
std::vector<std::string> IndicesOfListedPorts(WineSession& wine) {
    const RunResult result =
        RunToEnd(wine.Wine("reg", {"query", R"(HKLM\HARDWARE\DEVICEMAP\SERIALCOMM)"}, {}),
                 milliseconds(30000));
    std::set<int> numbers;
    std::istringstream lines(result.output);
    for (std::string line; std::getline(lines, line);) {
        const auto at = line.find("REG_SZ    COM");
        if (at != std::string::npos) numbers.insert(std::stoi(line.substr(at + 13)));
    }
    std::vector<std::string> indices;
    for (const int n : numbers) indices.push_back(std::to_string(n - 1));
    return indices;
}

// Which ports exist shows in the opened list only: the items, the selection and the closed box
// stay as they were. Present is what another process reads as each item's data.
TEST_F(Startup, PortsPresentNowStandOutWhileTheItemsStayTheSame) {
    const std::string com5 = s.AttachPort(5).slave_path();
    const std::string com150 = s.AttachPort(150).slave_path();
    const WineDefinedPorts defined(s.wine(), com5, com150);
    s.Start();
    const auto listed = IndicesOfListedPorts(s.wine());
    EXPECT_TRUE(std::count(listed.begin(), listed.end(), "4") &&
                std::count(listed.begin(), listed.end(), "149"))
        << "Wine should list the ports defined for it";
    EXPECT_EQ(s.Ok("present " + std::to_string(IDC_PORT)), listed);
    EXPECT_EQ(s.Combo(IDC_PORT).items, Ports());
    for (const int dpi : {96, 144}) {
        const DisplayDpi scaled(s.wine(), dpi);
        if (dpi != 96) {
            s.StopProgram();
            s.Start();
        }
        ExpectDefaults(s);
        // Scrolled so that the screenshot shows COM150 with its name.
        const auto widths = s.Ok("dropdown " + std::to_string(IDC_PORT) + " 1 140");
        EXPECT_GT(std::stoi(widths.at(1)), std::stoi(widths.at(0)))
            << "COM150 with its device's name opens the list wider than the box";
        EXPECT_EQ(s.Ok("present " + std::to_string(IDC_PORT)), listed) << "looked up at opening";
        const auto file = s.Screenshot("port_list_at_" + std::to_string(dpi) + "_dpi.png");
        std::printf("screenshot: %s\n", file.c_str());
        s.Ok("dropdown " + std::to_string(IDC_PORT) + " 0");
        EXPECT_EQ(s.Text(IDC_PORT), "COM1");
    }
}

}  // namespace
}  // namespace e2e

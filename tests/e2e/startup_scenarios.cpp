// The dialog as it opens: default settings, the exact item lists, the focus, Default and Enter.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <set>
#include <sstream>
#include <thread>

#include "driver/wire_format.h"
#include "present_ports.h"
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

const std::string kDevices = R"(HKEY_LOCAL_MACHINE\System\CurrentControlSet\Enum\)";
const std::string kUsbDevice = kDevices + R"(USB\VID_2341&PID_0043\MIRL150)";
const std::string kBluetoothDevice = kDevices + R"(BTHENUM\MIRL&0000\MIRL33)";
// "Arduino Uno" in UTF-16LE, NUL included, as the bus-reported name
// (DEVPKEY_Device_BusReportedDeviceDesc) where Wine's SetupAPI reads it: the default value of
// Properties\{fmtid}\pid, of type 0xffff0000 | DEVPROP_TYPE_STRING.
const std::string kArduinoUno =
    "41,00,72,00,64,00,75,00,69,00,6e,00,6f,00,20,00,55,00,6e,00,6f,00,00,00";
const std::string kBusReportedName = R"(\Properties\{540b947e-8b40-45bc-a8a2-6a0b894cbda2}\0004)";

// COM5, COM33 and COM150 in Wine's own port list, as a user sets Wine up for adapters. COM150 is
// also a Plug and Play device with the name Windows gives every USB CDC device, reporting its own
// over USB; COM33 one whose port name is a device path, as Bluetooth stacks write it. Wine lists
// such ports from its server's start only, so the server starts anew. The prefix loses them after;
// the server lists them until its next start.
class WineDefinedPorts {
  public:
    WineDefinedPorts(WineSession& wine, const std::string& com5, const std::string& com33,
                     const std::string& com150)
        : wine_(wine) {
        ImportRegistry(wine_, "define_ports.reg",
                       "REGEDIT4\n[HKEY_LOCAL_MACHINE\\Software\\Wine\\Ports]\n\"COM5\"=\"" + com5 +
                           "\"\n\"COM33\"=\"" + com33 + "\"\n\"COM150\"=\"" + com150 + "\"\n[" +
                           kUsbDevice + R"reg(]
"ClassGUID"="{4d36e978-e325-11ce-bfc1-08002be10318}"
"FriendlyName"="USB Serial Device (COM150)"
[)reg" + kUsbDevice + R"reg(\Device Parameters]
"PortName"="COM150"
[)reg" + kUsbDevice + kBusReportedName +
                           "]\n@=hex(ffff0012):" + kArduinoUno + "\n[" + kBluetoothDevice + R"reg(]
"ClassGUID"="{4d36e978-e325-11ce-bfc1-08002be10318}"
"FriendlyName"="Standard Serial over Bluetooth link (COM33)"
[)reg" + kBluetoothDevice + R"reg(\Device Parameters]
"PortName"="\\\\.\\COM33"
)reg");
        wine_.End();
        wine_.Ready();
    }
    ~WineDefinedPorts() {
        try {
            ImportRegistry(wine_, "remove_ports.reg",
                           "REGEDIT4\n[-HKEY_LOCAL_MACHINE\\Software\\Wine\\Ports]\n[-" +
                               kUsbDevice + "]\n[-" + kBluetoothDevice + "]\n");
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

// How many pixels of the opened port list's row of item `index` differ from `text` drawn bold (a
// present port) or plain.
std::string RowDifferences(Scenario& s, int index, bool bold, const std::string& text) {
    return s
        .Ok("rowshows " + std::to_string(IDC_PORT) + " " + std::to_string(index) +
            (bold ? " 1 " : " 0 ") + EscapeToken(text))
        .at(0);
}

// Which ports exist shows in the opened list only: the items, the selection and the closed box
// stay as they were. Present is what another process reads as each item's data, marked once the
// window is drawn, and again at each opening; the opened list shows each present port with what
// its device calls itself.
TEST_F(Startup, PortsPresentNowStandOutWhileTheItemsStayTheSame) {
    const std::string com5 = s.AttachPort(5).slave_path();
    const std::string com33 = s.AttachPort(33).slave_path();
    const std::string com150 = s.AttachPort(150).slave_path();
    const WineDefinedPorts defined(s.wine(), com5, com33, com150);
    s.Start();
    const auto listed = IndicesOfListedPorts(s.wine());
    for (const char* index : {"4", "32", "149"}) {
        EXPECT_TRUE(std::count(listed.begin(), listed.end(), index))
            << "Wine should list the ports defined for it: item " << index;
    }
    std::vector<std::string> present;
    for (const auto deadline = Clock::now() + milliseconds(5000);
         present != listed && Clock::now() < deadline;) {
        present = s.Ok("present " + std::to_string(IDC_PORT));
        if (present != listed) std::this_thread::sleep_for(milliseconds(50));
    }
    EXPECT_EQ(present, listed) << "marked once the window is drawn";
    EXPECT_EQ(s.Combo(IDC_PORT).items, Ports());
    for (const int dpi : {96, 144}) {
        const DisplayDpi scaled(s.wine(), dpi);
        if (dpi != 96) {
            s.StopProgram();
            s.Start();
        }
        ExpectDefaults(s);
        const auto widths = s.Ok("dropdown " + std::to_string(IDC_PORT) + " 1 30");
        EXPECT_GT(std::stoi(widths.at(1)), std::stoi(widths.at(0)))
            << "the ports with their devices' names open the list wider than the box";
        EXPECT_EQ(s.Ok("present " + std::to_string(IDC_PORT)), listed) << "looked up at opening";
        EXPECT_EQ(
            RowDifferences(s, 32, true,
                           mirl::PresentPortText("COM33", "Standard Serial over Bluetooth link")),
            "0");
        EXPECT_EQ(RowDifferences(s, 33, false, "COM34"), "0");
        // Scrolled so that the screenshot shows COM150 with its name.
        s.Ok("dropdown " + std::to_string(IDC_PORT) + " 1 140");
        EXPECT_EQ(RowDifferences(s, 149, true, mirl::PresentPortText("COM150", "Arduino Uno")), "0")
            << "the name the device reports, not the one Windows gives every such device";
        const auto file = s.Screenshot("port_list_at_" + std::to_string(dpi) + "_dpi.png");
        std::printf("screenshot: %s\n", file.c_str());
        s.Ok("dropdown " + std::to_string(IDC_PORT) + " 0");
        EXPECT_EQ(s.Text(IDC_PORT), "COM1");
    }
}

}  // namespace
}  // namespace e2e

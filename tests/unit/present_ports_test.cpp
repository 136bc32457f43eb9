// Merging the registry's and the devices' port names, with the bytes real drivers store.
#include "present_ports.h"

#include <gtest/gtest.h>

namespace mirl {
namespace {

using namespace std::string_literals;

PortDevice Device(std::string port, std::string friendly, std::string desc,
                  std::string reported = "", std::string id = "", std::string parent = "",
                  bool started = true) {
    return {std::move(port), std::move(friendly), std::move(desc), std::move(reported),
            std::move(id),   std::move(parent),   started};
}

// The data as the registry calls hand it over: the terminating NUL counted in, and after it some
// drivers' left-overs (a shorter name written over a longer one). Only COM1 to COM256 count; a
// port in only one source counts; the first description wins; the name's " (COMn)" goes.
TEST(PresentPortsTest, SourcesMergeByNameCutAtTheFirstNul) {
    const PresentPorts ports = MergePresentPorts(
        {"COM1\0"s,
         "COM4\0"s
         "2"s,
         "COM256\0\x1f\xcc"s, "com12\0"s, "CNCA0\0"s,
         "COM\0"
         "7"s,
         "COM0\0"s, "COM257\0"s, "COM07\0"s, "COM1 \0"s, "\\Device\\Serial0\0"s},
        {Device("COM7\0"s, "USB-SERIAL CH340 (COM7)\0"s, "USB-SERIAL CH340\0"s),
         Device("COM4\0"s, "Silicon Labs CP210x USB to UART Bridge (COM4)\0"s, ""),
         Device("COM9\0"s, "", "USB Serial Device\0"s),
         Device("COM5\0"s, "Standard Serial over Bluetooth link (COM5)\0"s, ""),
         Device("COM5\0"s, "Second device on COM5", ""),
         Device("COM8\0"s, "Modem (COM8) rev 2\0"s, ""), Device("COM3\0"s, "Adapter (COM0)", ""),
         Device("LPT1\0"s, "Printer Port (LPT1)", "")});
    EXPECT_EQ(ports, (PresentPorts{{1, ""},
                                   {3, "Adapter (COM0)"},
                                   {4, "Silicon Labs CP210x USB to UART Bridge"},
                                   {5, "Standard Serial over Bluetooth link"},
                                   {7, "USB-SERIAL CH340"},
                                   {8, "Modem (COM8) rev 2"},
                                   {9, "USB Serial Device"},
                                   {12, ""},
                                   {256, ""}}));
    EXPECT_EQ(PresentPortText("COM7", "USB-SERIAL CH340"), "COM7   USB-SERIAL CH340");
    EXPECT_EQ(PresentPortText("COM1", ""), "COM1");
    EXPECT_EQ(PresentPortSpokenText("Arduino Uno"), "present, Arduino Uno");
    EXPECT_EQ(PresentPortSpokenText(""), "present");
}

// A disabled or failed device (not started) names no port of its own, but may describe one that
// SERIALCOMM lists, after any started device. A driver's name for all its devices gives way to
// what the device reports; two ports alike get their adapter's serial number where it has one (a
// last part with '&' is Windows' own), from the parent where the port is a function of it.
TEST(PresentPortsTest, DevicesAreNamedAsTheyReportThemselvesAndToldApart) {
    const PresentPorts ports = MergePresentPorts(
        {"COM2"s, "COM6"s},
        {Device("COM2", "Old Adapter (COM2)", "", "", R"(USB\VID_1\OLD)", "", false),
         Device("COM3", "Disabled (COM3)", "", "", R"(USB\VID_1\X)", "", false),
         Device("COM2", "USB Serial Device (COM2)", "", "Arduino Uno\0x"s,
                R"(USB\VID_2341&PID_0043\85734)"),
         Device(R"(\\.\COM14)", "", "usb serial device", "Arduino Uno",
                R"(USB\VID_2341&PID_0043\9A)"),
         Device("COM5", "USB Serial Port (COM5)", "", "FT232R USB UART",
                R"(FTDIBUS\VID_0403+PID_6001+A5A\0000)", R"(USB\VID_0403&PID_6001\A5)"),
         Device("COM7", "USB Serial Port (COM7)", "", "FT232R USB UART", R"(FTDIBUS\X\0000)",
                R"(USB\ROOT_HUB30\4&1&0)"),
         Device("COM6", "Communications Port (COM6)", "", "", R"(ACPI\PNP0501\0)"),
         Device("COM9", "USB Serial Device (COM9)", "", "Board CDC",
                R"(USB\VID_2E8A&PID_000A&MI_00\7&2&0&0000)", R"(USB\VID_2E8A&PID_000A\E66)"),
         Device("COM10", "USB Serial Device (COM10)", "", "Board CDC",
                R"(USB\VID_2E8A&PID_000A&MI_00\7&3&0&0000)")});
    EXPECT_EQ(ports, (PresentPorts{{2, "Arduino Uno (serial 85734)"},
                                   {5, "FT232R USB UART (serial A5)"},
                                   {6, "Communications Port"},
                                   {7, "FT232R USB UART"},
                                   {9, "Board CDC (serial E66)"},
                                   {10, "Board CDC"},
                                   {14, "Arduino Uno (serial 9A)"}}));
    for (const char* id : {R"(USB\VID_1)", R"(USB\\S)", R"(USB\VID_1\)", R"(USB\A\B\C)"})
        EXPECT_EQ(SerialNumberOf(id), "") << id;
    EXPECT_EQ(SerialNumberOf(R"(usb\VID_1\S)"), "S");
}

}  // namespace
}  // namespace mirl

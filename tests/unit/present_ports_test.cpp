// Merging the registry's and the devices' port names, with the bytes real drivers store.
#include "present_ports.h"

#include <gtest/gtest.h>

namespace mirl {
namespace {

using namespace std::string_literals;

// The data as the registry calls hand it over: the terminating NUL counted in, and after it some
// drivers' left-overs (a shorter name written over a longer one). Only COM1 to COM256 count; a
// port in only one source counts; the first description wins; the name's " (COMn)" goes.
TEST(PresentPortsTest, SourcesMergeByNameCutAtTheFirstNul) {
    const PresentPorts ports =
        MergePresentPorts({"COM1\0"s,
                           "COM4\0"s
                           "2"s,
                           "COM256\0\x1f\xcc"s, "com12\0"s, "CNCA0\0"s,
                           "COM\0"
                           "7"s,
                           "COM0\0"s, "COM257\0"s, "COM07\0"s, "COM1 \0"s, "\\Device\\Serial0\0"s},
                          {{"COM7\0"s, "USB-SERIAL CH340 (COM7)\0"s, "USB-SERIAL CH340\0"s},
                           {"COM4\0"s, "Silicon Labs CP210x USB to UART Bridge (COM4)\0"s, ""},
                           {"COM9\0"s, "", "USB Serial Device\0"s},
                           {"COM5\0"s, "Standard Serial over Bluetooth link (COM5)\0"s, ""},
                           {"COM5\0"s, "Second device on COM5", ""},
                           {"COM8\0"s, "Modem (COM8) rev 2\0"s, ""},
                           {"COM3\0"s, "Adapter (COM0)", ""},
                           {"LPT1\0"s, "Printer Port (LPT1)", ""}});
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
}

}  // namespace
}  // namespace mirl

// The settings lists and the mapping of their texts onto the port's parameters.
#include "port_settings.h"

#include <gtest/gtest.h>

namespace mirl {
namespace {

TEST(PortSettingsTest, PortListRunsFromCom1ToCom256WithoutGaps) {
    const auto& ports = PortItems();
    ASSERT_EQ(ports.size(), 256u);
    for (int n = 1; n <= 256; ++n) EXPECT_EQ(ports[n - 1], "COM" + std::to_string(n));
}

TEST(PortSettingsTest, DefaultsAre9600None8One) {
    EXPECT_EQ(kDefaultPort, "COM1");
    EXPECT_EQ(kBaudItems[kDefaultBaudIndex], "9600");
    EXPECT_EQ(kParityItems[kDefaultParityIndex], "None");
    EXPECT_EQ(kDataBitsItems[kDefaultDataBitsIndex], "8");
    EXPECT_EQ(kStopBitsItems[kDefaultStopBitsIndex], "1");
}

TEST(PortSettingsTest, ParityIsMatchedExactlyAndCaseSensitively) {
    EXPECT_EQ(MapParity("None"), 0);
    EXPECT_EQ(MapParity("Odd"), 1);
    EXPECT_EQ(MapParity("Even"), 2);
    EXPECT_EQ(MapParity("Mark"), 3);
    EXPECT_EQ(MapParity("Space"), 4);
    for (const char* other : {"", "NONE", "odd", "EVEN", "mark", "Space ", " Odd", "Evens"}) {
        EXPECT_EQ(MapParity(other), 0) << '"' << other << '"';
    }
}

TEST(PortSettingsTest, StopBitsOutsideTheListGiveOneAndAHalf) {
    EXPECT_EQ(MapStopBits("1"), 0);
    EXPECT_EQ(MapStopBits("1.5"), 1);
    EXPECT_EQ(MapStopBits("2"), 2);
    for (const char* other : {"", "3", "1.0", "1,5", " 1", "2 "}) {
        EXPECT_EQ(MapStopBits(other), 1) << '"' << other << '"';
    }
}

TEST(PortSettingsTest, EveryListedTextMapsAsTheDialogOffersIt) {
    const std::uint8_t parityCodes[] = {0, 2, 1, 3, 4};  // None, Even, Odd, Mark, Space
    for (std::size_t i = 0; i < kParityItems.size(); ++i) {
        EXPECT_EQ(MapParity(kParityItems[i]), parityCodes[i]);
    }
    for (std::size_t i = 0; i < kStopBitsItems.size(); ++i) {
        EXPECT_EQ(MapStopBits(kStopBitsItems[i]), i);
    }
}

TEST(PortSettingsTest, NumbersComeFromDecimalConversion) {
    const PortSettings s = MakePortSettings("COM12", "56000", "Even", "7", "2");
    EXPECT_EQ(s.portName, "COM12");
    EXPECT_EQ(s.baudRate, 56000u);  // a rate, not a rate code
    EXPECT_EQ(s.byteSize, 7);
    EXPECT_EQ(s.parity, 2);
    EXPECT_EQ(s.stopBits, 2);
    for (const auto& baud : kBaudItems) {
        EXPECT_EQ(MakePortSettings("COM1", std::string(baud), "", "", "").baudRate,
                  std::stoul(std::string(baud)));
    }
}

TEST(PortSettingsTest, EmptyTextsGiveZeroAndDataBitsKeepTheLowByte) {
    const PortSettings empty = MakePortSettings("", "", "", "", "");
    EXPECT_EQ(empty.baudRate, 0u);
    EXPECT_EQ(empty.byteSize, 0);
    EXPECT_EQ(empty.parity, 0);
    EXPECT_EQ(empty.stopBits, 1);
    EXPECT_EQ(MakePortSettings("", "", "", "264", "").byteSize, 8);  // 0x108
    EXPECT_EQ(ParseDecimal("  42abc"), 42);
    EXPECT_EQ(ParseDecimal("x1"), 0);
}

TEST(PortSettingsTest, DevicePathPrefixesThePortName) {
    EXPECT_EQ(DevicePath("COM12"), "\\\\.\\COM12");
    EXPECT_EQ(DevicePath("COM1"), R"(\\.\COM1)");
}

}  // namespace
}  // namespace mirl

// The settings lists offered by the dialog, their defaults, and the mapping of the chosen texts
// onto the port's line parameters.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace mirl {

struct PortSettings {
    std::string portName;  // "COM1" .. "COM256"
    std::uint32_t baudRate = 0;
    std::uint8_t byteSize = 0;
    std::uint8_t parity = 0;    // 0 none, 1 odd, 2 even, 3 mark, 4 space
    std::uint8_t stopBits = 0;  // 0 one, 1 one and a half, 2 two
};

// "COM1" .. "COM256", in order.
std::vector<std::string> PortItems();
inline constexpr std::array<std::string_view, 15> kBaudItems = {
    "110",   "300",   "600",   "1200",  "2400",   "4800",   "9600",  "14400",
    "19200", "38400", "56000", "57600", "115200", "128000", "256000"};
inline constexpr std::array<std::string_view, 5> kParityItems = {"None", "Even", "Odd", "Mark",
                                                                 "Space"};
inline constexpr std::array<std::string_view, 4> kDataBitsItems = {"5", "6", "7", "8"};
inline constexpr std::array<std::string_view, 3> kStopBitsItems = {"1", "1.5", "2"};

inline constexpr std::string_view kDefaultPort = "COM1";
inline constexpr int kDefaultBaudIndex = 6;  // "9600"
inline constexpr int kDefaultParityIndex = 0;
inline constexpr int kDefaultDataBitsIndex = 3;  // "8"
inline constexpr int kDefaultStopBitsIndex = 0;

std::uint8_t MapParity(std::string_view text);
std::uint8_t MapStopBits(std::string_view text);
// Decimal conversion as strtol does it: leading blanks and a sign allowed, stops at the first
// non-digit, 0 when there is no number.
long ParseDecimal(const std::string& text);

// The record for the chosen texts.
PortSettings MakePortSettings(const std::string& port, const std::string& baudText,
                              const std::string& parityText, const std::string& dataBitsText,
                              const std::string& stopBitsText);

// "\\.\" followed by the port name.
std::string DevicePath(std::string_view portName);

}  // namespace mirl

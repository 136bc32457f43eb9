#include "port_settings.h"

#include <cstdlib>

namespace mirl {

std::vector<std::string> PortItems() {
    std::vector<std::string> names;
    for (int n = 1; n <= 256; ++n) names.push_back("COM" + std::to_string(n));
    return names;
}

std::uint8_t MapParity(std::string_view text) {
    if (text == "None") return 0;
    if (text == "Odd") return 1;
    if (text == "Even") return 2;
    if (text == "Mark") return 3;
    if (text == "Space") return 4;
    return 0;
}

std::uint8_t MapStopBits(std::string_view text) {
    if (text == "1") return 0;
    if (text == "1.5") return 1;
    if (text == "2") return 2;
    // Any other text has always meant one and a half stop bits here; the list offers no such
    // text, and a port that cannot do 1.5 refuses it at Connect, which then says so.
    return 1;
}

long ParseDecimal(const std::string& text) {
    return std::strtol(text.c_str(), nullptr, 10);
}

PortSettings MakePortSettings(const std::string& port, const std::string& baudText,
                              const std::string& parityText, const std::string& dataBitsText,
                              const std::string& stopBitsText) {
    PortSettings settings;
    settings.portName = port;
    settings.baudRate = static_cast<std::uint32_t>(ParseDecimal(baudText));
    // The device control block holds the data bits in one byte: only the low 8 bits travel.
    settings.byteSize = static_cast<std::uint8_t>(ParseDecimal(dataBitsText) & 0xFF);
    settings.parity = MapParity(parityText);
    settings.stopBits = MapStopBits(stopBitsText);
    return settings;
}

std::string DevicePath(std::string_view portName) {
    return std::string("\\\\.\\") + std::string(portName);
}

}  // namespace mirl

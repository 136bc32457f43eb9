// Merging the port sources and reading the bytes drivers write into them.
#include "present_ports.h"

#include <algorithm>
#include <cctype>

namespace mirl {
namespace {

constexpr int kLastPort = 256;
constexpr std::string_view kPortPrefix = "COM";
// Between the name and the description in the opened list.
constexpr std::string_view kTextGap = "   ";

bool IsDigit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

bool StartsWithPortPrefix(std::string_view name) {
    return name.size() >= kPortPrefix.size() &&
           std::equal(kPortPrefix.begin(), kPortPrefix.end(), name.begin(), [](char a, char b) {
               return a == std::toupper(static_cast<unsigned char>(b));
           });
}

}  // namespace

std::optional<int> PortNumber(std::string_view name) {
    if (!StartsWithPortPrefix(name)) return std::nullopt;
    const std::string_view digits = name.substr(kPortPrefix.size());
    if (digits.empty() || digits.size() > 3 || digits.front() == '0') return std::nullopt;
    int number = 0;
    for (const char c : digits) {
        if (!IsDigit(c)) return std::nullopt;
        number = number * 10 + (c - '0');
    }
    if (number > kLastPort) return std::nullopt;
    return number;
}

std::string_view UpToNul(std::string_view bytes) {
    return bytes.substr(0, bytes.find('\0'));
}

std::string_view WithoutPortSuffix(std::string_view friendlyName) {
    if (friendlyName.empty() || friendlyName.back() != ')') return friendlyName;
    const std::size_t open = friendlyName.rfind(" (");
    if (open == std::string_view::npos) return friendlyName;
    const std::string_view inner = friendlyName.substr(open + 2, friendlyName.size() - open - 3);
    return PortNumber(inner) ? friendlyName.substr(0, open) : friendlyName;
}

PresentPorts MergePresentPorts(const std::vector<std::string>& serialCommValues,
                               const std::vector<PortDevice>& devices) {
    PresentPorts ports;
    for (const std::string& value : serialCommValues) {
        if (const auto number = PortNumber(UpToNul(value))) ports.try_emplace(*number);
    }
    for (const PortDevice& device : devices) {
        const auto number = PortNumber(UpToNul(device.portName));
        if (!number) continue;
        std::string_view description = WithoutPortSuffix(UpToNul(device.friendlyName));
        if (description.empty()) description = UpToNul(device.deviceDesc);
        std::string& known = ports[*number];
        if (known.empty()) known = description;
    }
    return ports;
}

std::string PresentPortText(std::string_view name, std::string_view description) {
    std::string text(name);
    if (!description.empty()) {
        text += kTextGap;
        text += description;
    }
    return text;
}

}  // namespace mirl

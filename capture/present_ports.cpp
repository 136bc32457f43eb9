// Merging the port sources and reading the bytes drivers write into them.
#include "present_ports.h"

#include <algorithm>
#include <cctype>

namespace mirl {
namespace {

constexpr int kLastPort = 256;
constexpr std::string_view kPortPrefix = "COM";
// Some Bluetooth stacks write a port's name as the device path that opens it.
constexpr std::string_view kDevicePathPrefix = R"(\\.\)";
constexpr std::string_view kUsbEnumerator = R"(USB\)";
// Between the name and the description in the opened list.
constexpr std::string_view kTextGap = "   ";

// Names a driver gives every port it serves: two devices of that driver read alike but for the
// COM number, and what the device reports over its bus says more.
constexpr std::string_view kGenericNames[] = {
    "USB Serial Device",    // usbser.sys: Windows 10 and 11, every USB CDC device
    "USB Serial Port",      // FTDI's port driver, every FTDI chip
    "Communications Port",  // serial.sys: built-in ports and multiport cards
};

bool IsDigit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::toupper(static_cast<unsigned char>(x)) ==
                      std::toupper(static_cast<unsigned char>(y));
           });
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    return EqualIgnoringCase(text.substr(0, prefix.size()), prefix);
}

bool IsGenericName(std::string_view name) {
    return std::any_of(std::begin(kGenericNames), std::end(kGenericNames),
                       [&](std::string_view generic) { return EqualIgnoringCase(name, generic); });
}

// The serial number of the adapter: the device's own, or for a port on a bus of the adapter's
// driver or an interface of a composite device, its parent's.
std::string_view AdapterSerialNumber(const PortDevice& device) {
    const std::string_view own = SerialNumberOf(UpToNul(device.instanceId));
    return own.empty() ? SerialNumberOf(UpToNul(device.parentInstanceId)) : own;
}

// `head`, and `tail` after `gap` where there is one.
std::string JoinedIfAny(std::string_view head, std::string_view gap, std::string_view tail) {
    std::string text(head);
    if (!tail.empty()) {
        text += gap;
        text += tail;
    }
    return text;
}

}  // namespace

std::optional<int> PortNumber(std::string_view name) {
    if (name.starts_with(kDevicePathPrefix)) name.remove_prefix(kDevicePathPrefix.size());
    if (!StartsWithIgnoringCase(name, kPortPrefix)) return std::nullopt;
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

std::string_view DeviceDescription(const PortDevice& device) {
    std::string_view description = WithoutPortSuffix(UpToNul(device.friendlyName));
    if (description.empty()) description = UpToNul(device.deviceDesc);
    const std::string_view reported = UpToNul(device.busReportedDesc);
    return IsGenericName(description) && !reported.empty() ? reported : description;
}

std::string_view SerialNumberOf(std::string_view instanceId) {
    if (!StartsWithIgnoringCase(instanceId, kUsbEnumerator)) return {};
    const std::size_t last = instanceId.rfind('\\');
    // Enumerator, device and instance: three parts, none empty.
    if (last <= kUsbEnumerator.size() || instanceId.find('\\', kUsbEnumerator.size()) != last) {
        return {};
    }
    const std::string_view serial = instanceId.substr(last + 1);
    return serial.find('&') == std::string_view::npos ? serial : std::string_view();
}

PresentPorts MergePresentPorts(const std::vector<std::string>& serialCommValues,
                               const std::vector<PortDevice>& devices) {
    struct Port {
        bool present = false;
        std::string_view description;
        std::string_view serialNumber;
    };
    std::map<int, Port> found;
    for (const std::string& value : serialCommValues) {
        if (const auto number = PortNumber(UpToNul(value))) found[*number].present = true;
    }
    // A started device's description first: one that is not started may be an old one.
    for (const bool started : {true, false}) {
        for (const PortDevice& device : devices) {
            const auto number = PortNumber(UpToNul(device.portName));
            if (device.started != started || !number) continue;
            Port& port = found[*number];
            port.present = port.present || started;
            if (!port.description.empty()) continue;
            port.description = DeviceDescription(device);
            port.serialNumber = AdapterSerialNumber(device);
        }
    }
    std::map<std::string_view, int> alike;
    for (const auto& [number, port] : found) {
        if (port.present && !port.description.empty()) ++alike[port.description];
    }
    PresentPorts ports;
    for (const auto& [number, port] : found) {
        if (!port.present) continue;
        std::string& description = ports[number] = port.description;
        if (alike[port.description] > 1 && !port.serialNumber.empty())
            description += " (serial " + std::string(port.serialNumber) + ")";
    }
    return ports;
}

std::string PresentPortText(std::string_view name, std::string_view description) {
    return JoinedIfAny(name, kTextGap, description);
}

std::string PresentPortSpokenText(std::string_view description) {
    return JoinedIfAny("present", ", ", description);
}

}  // namespace mirl

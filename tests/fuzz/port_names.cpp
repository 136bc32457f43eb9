// The port-name rules against what they promise, whatever bytes a driver wrote.
#include "port_names.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "present_ports.h"

namespace mirl::fuzz {
namespace {

void Expect(bool ok, const char* what, std::string_view input) {
    if (ok) return;
    std::fprintf(stderr, "port name rule broken: %s: \"%.*s\"\n", what,
                 static_cast<int>(input.size()), input.data());
    std::abort();
}

bool SameIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

std::vector<std::string_view> Split(std::string_view text, char at) {
    std::vector<std::string_view> parts;
    for (std::size_t end; (end = text.find(at)) != std::string_view::npos;
         text.remove_prefix(end + 1)) {
        parts.push_back(text.substr(0, end));
    }
    parts.push_back(text);
    return parts;
}

void CheckName(std::string_view name) {
    const auto number = PortNumber(name);
    if (!number) return;
    Expect(*number >= 1 && *number <= 256, "a port number is 1 to 256", name);
    if (name.starts_with(R"(\\.\)")) name.remove_prefix(4);
    Expect(SameIgnoringCase(name, "COM" + std::to_string(*number)), "COMn and nothing else", name);
}

void CheckDevice(const PortDevice& device) {
    CheckName(UpToNul(device.portName));
    const std::string_view cut = UpToNul(device.friendlyName);
    Expect(cut.find('\0') == std::string_view::npos && device.friendlyName.starts_with(cut),
           "cut at the first NUL", device.friendlyName);
    const std::string_view name = WithoutPortSuffix(cut);
    if (name.size() < cut.size()) {
        const std::string_view suffix = cut.substr(name.size());
        Expect(suffix.starts_with(" (") && suffix.ends_with(")") &&
                   PortNumber(suffix.substr(2, suffix.size() - 3)),
               "only a \" (COMn)\" goes", cut);
    }
    const std::string_view own = name.empty() ? UpToNul(device.deviceDesc) : name;
    const std::string_view shown = DeviceDescription(device);
    const bool generic = SameIgnoringCase(own, "USB Serial Device") ||
                         SameIgnoringCase(own, "USB Serial Port") ||
                         SameIgnoringCase(own, "Communications Port");
    const std::string_view reported = UpToNul(device.busReportedDesc);
    Expect(shown == (generic && !reported.empty() ? reported : own),
           "the reported name only for a driver's name", own);
    for (const std::string& id : {device.instanceId, device.parentInstanceId}) {
        const std::string_view serial = SerialNumberOf(id);
        Expect(serial.empty() || (serial.find_first_of("&\\") == std::string_view::npos &&
                                  id.ends_with("\\" + std::string(serial)) &&
                                  SameIgnoringCase(id.substr(0, 4), R"(USB\)")),
               "a serial number is a USB ID's own last part", id);
    }
}

}  // namespace

void CheckPortNames(std::span<const std::uint8_t> input) {
    const std::string text(input.begin(), input.end());
    std::vector<std::string> serialComm;
    std::vector<PortDevice> devices;
    for (const std::string_view line : Split(text, '\n')) {
        std::vector<std::string_view> fields = Split(line, '|');
        fields.resize(7);
        PortDevice device{std::string(fields[1]), std::string(fields[2]), std::string(fields[3]),
                          std::string(fields[4]), std::string(fields[5]), std::string(fields[6]),
                          fields[0].find('s') != std::string_view::npos};
        CheckDevice(device);
        if (fields[0].find('c') != std::string_view::npos) serialComm.push_back(device.portName);
        devices.push_back(std::move(device));
    }
    const PresentPorts ports = MergePresentPorts(serialComm, devices);
    for (const auto& port : ports) {
        const std::string& description = port.second;
        const auto names = [&port](const std::string& name) {
            return PortNumber(UpToNul(name)) == port.first;
        };
        const bool started = std::any_of(devices.begin(), devices.end(), [&](const auto& d) {
            return d.started && names(d.portName);
        });
        Expect(started || std::any_of(serialComm.begin(), serialComm.end(), names),
               "present only from SERIALCOMM or a started device", description);
        Expect(description.find('\0') == std::string::npos, "no NUL shown", description);
    }
    for (const PortDevice& device : devices) {
        const auto number = PortNumber(UpToNul(device.portName));
        Expect(!number || !device.started || ports.contains(*number), "a started port is present",
               device.portName);
    }
}

}  // namespace mirl::fuzz

// The port-name rules against what they promise, whatever bytes a driver wrote.
#include "port_names.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
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

std::string Lower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower;
}

void CheckDevice(const PortDevice& device) {
    std::string_view name = UpToNul(device.portName);
    if (const auto number = PortNumber(name)) {
        if (name.starts_with(R"(\\.\)")) name.remove_prefix(4);
        Expect(Lower(name) == "com" + std::to_string(*number) && *number >= 1 && *number <= 256,
               "COMn", name);
    }
    const std::string_view cut = UpToNul(device.friendlyName);
    Expect(device.friendlyName.starts_with(cut) && cut.find('\0') == cut.npos, "NUL cut", cut);
    const std::string_view shorter = WithoutPortSuffix(cut);
    const std::string_view suffix = cut.substr(shorter.size());
    Expect(suffix.empty() || (suffix.starts_with(" (") && suffix.ends_with(")") &&
                              PortNumber(suffix.substr(2, suffix.size() - 3))),
           "only \" (COMn)\" goes", cut);
    const std::string_view own = shorter.empty() ? UpToNul(device.deviceDesc) : shorter;
    const std::string_view reported = UpToNul(device.busReportedDesc);
    const std::string generic = Lower(own);
    const bool replaced =
        !reported.empty() && (generic == "usb serial device" || generic == "usb serial port" ||
                              generic == "communications port");
    Expect(DeviceDescription(device) == (replaced ? reported : own), "own name", own);
    for (const std::string& id : {device.instanceId, device.parentInstanceId}) {
        const std::string serial(SerialNumberOf(id));
        Expect(serial.empty() || (serial.find_first_of("&\\") == serial.npos &&
                                  id.ends_with('\\' + serial) && Lower(id).starts_with("usb\\")),
               "a USB ID's own last part", id);
    }
}

}  // namespace

void CheckPortNames(std::span<const std::uint8_t> input) {
    std::istringstream records(std::string(input.begin(), input.end()));
    std::vector<std::string> serialComm;
    std::vector<PortDevice> devices;
    for (std::string record; std::getline(records, record);) {
        std::istringstream parts(record);
        std::vector<std::string> field(7);
        for (std::string& f : field) std::getline(parts, f, '|');
        devices.push_back({field[1], field[2], field[3], field[4], field[5], field[6],
                           field[0].find('s') != std::string::npos});
        CheckDevice(devices.back());
        if (field[0].find('c') != std::string::npos) serialComm.push_back(field[1]);
    }
    const PresentPorts ports = MergePresentPorts(serialComm, devices);
    std::vector<int> named;
    for (const std::string& value : serialComm)
        named.push_back(PortNumber(UpToNul(value)).value_or(0));
    for (const PortDevice& device : devices) {
        const int number = PortNumber(UpToNul(device.portName)).value_or(0);
        if (device.started) named.push_back(number);
        Expect(!device.started || number == 0 || ports.contains(number), "started, so present",
               device.portName);
    }
    for (const auto& [number, description] : ports) {
        Expect(std::count(named.begin(), named.end(), number) > 0, "present only if named",
               description);
        Expect(description.find('\0') == std::string::npos, "no NUL shown", description);
    }
}

}  // namespace mirl::fuzz

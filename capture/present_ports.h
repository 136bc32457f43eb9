// Which COM ports exist now, merged from the two places Windows records them: the ports that
// serial drivers list under HARDWARE\DEVICEMAP\SERIALCOMM, and the Plug and Play devices with a
// port name. The Win32 reading is win32_present_ports.*; this part is what the bytes mean.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mirl {

// Present ports by number (1 to 256), each with what the device calls itself (may be empty).
using PresentPorts = std::map<int, std::string>;
// Looks the present ports up where the system records them (LookUpPresentPorts on Windows).
using PortLookup = std::function<PresentPorts()>;

// One Plug and Play device as read: each text the raw bytes of the registry value or property
// (empty when it has none).
struct PortDevice {
    std::string portName;
    std::string friendlyName;
    std::string deviceDesc;
    // What the device itself reports over its bus (a USB product string), in the ANSI code page.
    std::string busReportedDesc;
    // Its device instance ID, and its parent's: "USB\VID_2341&PID_0043\8573432353".
    std::string instanceId;
    std::string parentInstanceId;
    // Started by its driver: a disabled device, or one whose driver failed to start, keeps its
    // port name but no port.
    bool started = false;
};

// The number n of "COMn" or "\\.\COMn" (n from 1 to 256, no leading zero, "COM" in any case);
// nullopt for any other name, such as a modem's or a virtual port driver's own naming scheme.
std::optional<int> PortNumber(std::string_view name);

// A registry string up to its first NUL: some drivers store a longer buffer with garbage after it.
std::string_view UpToNul(std::string_view bytes);

// A friendly name without the " (COMn)" that Windows appends to a port's: the list shows the name
// beside it already.
std::string_view WithoutPortSuffix(std::string_view friendlyName);

// What a device calls itself: its friendly name without the suffix, else its description; where
// that is a driver's name for every device it serves, what the device reports over its bus.
std::string_view DeviceDescription(const PortDevice& device);

// The serial number in a USB device instance ID ("USB\VID_0403&PID_6001\A50285BI"); empty for
// any other ID and for a last part that Windows made up (it holds '&').
std::string_view SerialNumberOf(std::string_view instanceId);

// Every port SERIALCOMM names and every port of a started device, each with the first description
// a device gives it (a device not started may still describe a port SERIALCOMM names). Where two
// ports would read alike, each is told apart by its adapter's serial number where it has one.
PresentPorts MergePresentPorts(const std::vector<std::string>& serialCommValues,
                               const std::vector<PortDevice>& devices);

// How the opened list shows a present port: "COM7   USB-SERIAL CH340", or the name alone.
std::string PresentPortText(std::string_view name, std::string_view description);

// What a screen reader says of a present port beside its name: "present, USB-SERIAL CH340".
std::string PresentPortSpokenText(std::string_view description);

}  // namespace mirl

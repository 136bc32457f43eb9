// Which COM ports exist now, merged from the two places Windows records them: the ports that
// serial drivers list under HARDWARE\DEVICEMAP\SERIALCOMM, and the Plug and Play devices with a
// port name. The Win32 reading is win32_present_ports.*; this part is what the bytes mean.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mirl {

// Present ports by number (1 to 256), each with what the device calls itself (may be empty).
using PresentPorts = std::map<int, std::string>;

// One Plug and Play device as read: its PortName, friendly name and device description, each
// the raw bytes of the registry value or property (empty when it has none).
struct PortDevice {
    std::string portName;
    std::string friendlyName;
    std::string deviceDesc;
};

// The number n of "COMn" (n from 1 to 256, no leading zero, "COM" in any case); nullopt for
// any other name, such as a modem's or a virtual port driver's own naming scheme.
std::optional<int> PortNumber(std::string_view name);

// A registry string up to its first NUL: some drivers store a longer buffer with garbage after it.
std::string_view UpToNul(std::string_view bytes);

// A friendly name without the " (COMn)" that Windows appends to a port's: the list shows the name
// beside it already.
std::string_view WithoutPortSuffix(std::string_view friendlyName);

// Every port either source names, each with the first description a device gives it: the friendly
// name without its suffix, else the device description. A port in only one source is present too.
PresentPorts MergePresentPorts(const std::vector<std::string>& serialCommValues,
                               const std::vector<PortDevice>& devices);

// How the opened list shows a present port: "COM7   USB-SERIAL CH340", or the name alone.
std::string PresentPortText(std::string_view name, std::string_view description);

}  // namespace mirl

// Reading the two port sources: registry values and SetupAPI device properties, as raw bytes.
#include "win32_present_ports.h"

#include <windows.h>
// After windows.h, which they need.
#include <setupapi.h>

#include "win32_handles.h"

namespace mirl {
namespace {

// Written out here rather than taken from devguid.h and ntddser.h, which only define their GUIDs
// in a file that includes initguid.h first.
constexpr GUID kPortsClass = {
    0x4d36e978, 0xe325, 0x11ce, {0xbf, 0xc1, 0x08, 0x00, 0x2b, 0xe1, 0x03, 0x18}};
constexpr GUID kModemClass = {
    0x4d36e96d, 0xe325, 0x11ce, {0xbf, 0xc1, 0x08, 0x00, 0x2b, 0xe1, 0x03, 0x18}};
constexpr GUID kComPortInterface = {
    0x86e0d1e0, 0x8089, 0x11d0, {0x9c, 0xe4, 0x08, 0x00, 0x3e, 0x30, 0x1f, 0x73}};

// SetupDiCreateDeviceInfoList and SetupDiGetClassDevs fail with INVALID_HANDLE_VALUE.
using unique_hdevinfo = unique_any<win32_traits<HDEVINFO, &::SetupDiDestroyDeviceInfoList, true>>;

// Long enough for a port name and any description; longer values are read again at their size,
// up to a bound past which a value is no port's and is passed over.
constexpr DWORD kFirstBufferSize = 256;
constexpr DWORD kLongestValue = 64 * 1024;

// A string value's bytes as stored (a NUL and whatever follows it included: a driver's garbage
// after the name can make it long); empty when the value is missing, no string, or longer than
// any port's could be.
std::string ReadStringValue(HKEY key, const char* name) {
    std::string bytes(kFirstBufferSize, '\0');
    for (;;) {
        DWORD type = 0;
        auto size = static_cast<DWORD>(bytes.size());
        const LONG status = ::RegQueryValueExA(key, name, nullptr, &type,
                                               reinterpret_cast<BYTE*>(bytes.data()), &size);
        if (status == ERROR_MORE_DATA && size > bytes.size() && size <= kLongestValue) {
            bytes.resize(size);
            continue;
        }
        if (status != ERROR_SUCCESS || type != REG_SZ) return {};
        bytes.resize(size);
        return bytes;
    }
}

std::vector<std::string> ReadSerialCommValues() {
    HKEY opened = nullptr;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, "HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_QUERY_VALUE,
                        &opened) != ERROR_SUCCESS) {
        return {};
    }
    const unique_hkey key(opened);
    std::vector<std::string> values;
    for (DWORD index = 0;; ++index) {
        char name[MAX_PATH];
        DWORD nameLength = sizeof name;
        const LONG status = ::RegEnumValueA(key.get(), index, name, &nameLength, nullptr, nullptr,
                                            nullptr, nullptr);
        if (status == ERROR_NO_MORE_ITEMS) break;
        // A name past MAX_PATH is no port device's; the value is passed over.
        if (status != ERROR_SUCCESS) continue;
        std::string value = ReadStringValue(key.get(), name);
        if (!value.empty()) values.push_back(std::move(value));
    }
    return values;
}

std::string ReadDeviceProperty(HDEVINFO set, SP_DEVINFO_DATA& device, DWORD property) {
    std::string bytes(kFirstBufferSize, '\0');
    for (;;) {
        DWORD type = 0;
        DWORD required = 0;
        if (::SetupDiGetDeviceRegistryPropertyA(set, &device, property, &type,
                                                reinterpret_cast<BYTE*>(bytes.data()),
                                                static_cast<DWORD>(bytes.size()), &required)) {
            if (type != REG_SZ) return {};
            bytes.resize(required);
            return bytes;
        }
        if (::GetLastError() != ERROR_INSUFFICIENT_BUFFER || required <= bytes.size()) return {};
        bytes.resize(required);
    }
}

// The port name a device's driver gave it, from the device's hardware key.
std::string ReadPortName(HDEVINFO set, SP_DEVINFO_DATA& device) {
    const HKEY opened =
        ::SetupDiOpenDevRegKey(set, &device, DICS_FLAG_GLOBAL, 0, DIREG_DEV, KEY_QUERY_VALUE);
    // Fails with INVALID_HANDLE_VALUE, which a registry key's owner does not take for "none".
    if (opened == INVALID_HANDLE_VALUE) return {};
    const unique_hkey key(opened);
    return ReadStringValue(key.get(), "PortName");
}

std::vector<PortDevice> ReadPortDevices() {
    const unique_hdevinfo set(::SetupDiCreateDeviceInfoList(nullptr, nullptr));
    if (!set) return {};
    // All three into the one set: a port that is in the Ports class and offers the interface
    // too is one device, read once. A source that fails leaves the others.
    ::SetupDiGetClassDevsExA(&kPortsClass, nullptr, nullptr, DIGCF_PRESENT, set.get(), nullptr,
                             nullptr);
    ::SetupDiGetClassDevsExA(&kModemClass, nullptr, nullptr, DIGCF_PRESENT, set.get(), nullptr,
                             nullptr);
    ::SetupDiGetClassDevsExA(&kComPortInterface, nullptr, nullptr,
                             DIGCF_PRESENT | DIGCF_DEVICEINTERFACE, set.get(), nullptr, nullptr);
    std::vector<PortDevice> devices;
    SP_DEVINFO_DATA device{};
    device.cbSize = sizeof device;
    for (DWORD index = 0; ::SetupDiEnumDeviceInfo(set.get(), index, &device); ++index) {
        PortDevice read;
        read.portName = ReadPortName(set.get(), device);
        if (read.portName.empty()) continue;
        read.friendlyName = ReadDeviceProperty(set.get(), device, SPDRP_FRIENDLYNAME);
        read.deviceDesc = ReadDeviceProperty(set.get(), device, SPDRP_DEVICEDESC);
        devices.push_back(std::move(read));
    }
    return devices;
}

}  // namespace

PresentPorts LookUpPresentPorts() {
    return MergePresentPorts(ReadSerialCommValues(), ReadPortDevices());
}

}  // namespace mirl

// Reading the two port sources: registry values and SetupAPI device properties, as raw bytes.
#include "win32_present_ports.h"

#include <windows.h>
// After windows.h, which they need.
#include <cfgmgr32.h>
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
// DEVPKEY_Device_BusReportedDeviceDesc, likewise.
constexpr DEVPROPKEY kBusReportedDeviceDesc = {
    {0x540b947e, 0x8b40, 0x45bc, {0xa8, 0xa2, 0x6a, 0x0b, 0x89, 0x4c, 0xbd, 0xa2}}, 4};
// A USB string descriptor holds at most 126 characters.
constexpr DWORD kLongestBusText = 256;

// SetupDiGetClassDevsEx fails with INVALID_HANDLE_VALUE.
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
        // A name past MAX_PATH is no port device's; the value is passed over. Any other error
        // (the key deleted meanwhile) would come again at every index.
        if (status == ERROR_MORE_DATA) continue;
        if (status != ERROR_SUCCESS) break;
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
        if (::GetLastError() != ERROR_INSUFFICIENT_BUFFER || required <= bytes.size() ||
            required > kLongestValue) {
            return {};
        }
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

// What the device reports over its bus, in the ANSI code page; empty where its bus reports none.
std::string ReadBusReportedName(HDEVINFO set, SP_DEVINFO_DATA& device) {
    wchar_t wide[kLongestBusText];
    DEVPROPTYPE type = 0;
    if (!::SetupDiGetDevicePropertyW(set, &device, &kBusReportedDeviceDesc, &type,
                                     reinterpret_cast<BYTE*>(wide), sizeof wide, nullptr, 0) ||
        type != DEVPROP_TYPE_STRING) {
        return {};
    }
    wide[kLongestBusText - 1] = L'\0';
    char ansi[2 * kLongestBusText];
    const int bytes =
        ::WideCharToMultiByte(CP_ACP, 0, wide, -1, ansi, sizeof ansi, nullptr, nullptr);
    return bytes > 0 ? std::string(ansi, static_cast<std::size_t>(bytes) - 1) : std::string();
}

std::string ReadInstanceId(DEVINST device) {
    char id[MAX_DEVICE_ID_LEN];
    return ::CM_Get_Device_IDA(device, id, sizeof id, 0) == CR_SUCCESS ? std::string(id)
                                                                       : std::string();
}

std::string ReadParentInstanceId(DEVINST device) {
    DEVINST parent = 0;
    return ::CM_Get_Parent(&parent, device, 0) == CR_SUCCESS ? ReadInstanceId(parent)
                                                             : std::string();
}

// Windows fills both on success; a status left unwritten counts as not started.
bool IsStarted(DEVINST device) {
    ULONG status = 0;
    ULONG problem = 0;
    return ::CM_Get_DevNode_Status(&status, &problem, device, 0) == CR_SUCCESS &&
           (status & DN_STARTED) != 0;
}

// Each source in a set of its own: a set takes only devices of the class it was made for.
void ReadPortDevices(const GUID& source, DWORD flags, std::vector<PortDevice>& devices) {
    const unique_hdevinfo set(::SetupDiGetClassDevsExA(
        &source, nullptr, nullptr, DIGCF_PRESENT | flags, nullptr, nullptr, nullptr));
    if (!set) return;
    SP_DEVINFO_DATA device{};
    device.cbSize = sizeof device;
    for (DWORD index = 0; ::SetupDiEnumDeviceInfo(set.get(), index, &device); ++index) {
        PortDevice read;
        read.portName = ReadPortName(set.get(), device);
        if (read.portName.empty()) continue;
        read.friendlyName = ReadDeviceProperty(set.get(), device, SPDRP_FRIENDLYNAME);
        read.deviceDesc = ReadDeviceProperty(set.get(), device, SPDRP_DEVICEDESC);
        read.busReportedDesc = ReadBusReportedName(set.get(), device);
        read.instanceId = ReadInstanceId(device.DevInst);
        read.parentInstanceId = ReadParentInstanceId(device.DevInst);
        read.started = IsStarted(device.DevInst);
        devices.push_back(std::move(read));
    }
}

}  // namespace

PresentPorts LookUpPresentPorts() {
    // A port in the Ports class that offers the interface too is read twice: the same port.
    std::vector<PortDevice> devices;
    ReadPortDevices(kPortsClass, 0, devices);
    ReadPortDevices(kModemClass, 0, devices);
    ReadPortDevices(kComPortInterface, DIGCF_DEVICEINTERFACE, devices);
    return MergePresentPorts(ReadSerialCommValues(), devices);
}

}  // namespace mirl

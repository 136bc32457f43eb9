// What one lookup of the present COM ports costs, as the port list does it when it opens: the
// registry's SERIALCOMM values and one SetupAPI pass. The ports come from the Wine prefix's own
// list (bench/run.sh defines them); the benchmark adds a Plug and Play device with a name for each
// while it runs, as Windows has one beside every port, and takes them away after.
//
//   port_lookup_bench [LOOKUPS]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app_under_test.h"
#include "bench_report.h"
#include "win32_handles.h"
#include "win32_present_ports.h"

namespace mirl::bench {
namespace {

constexpr const char* kDevices = "System\\CurrentControlSet\\Enum\\USB\\VID_1A86&PID_7523";

bool SetString(HKEY key, const char* name, const std::string& value) {
    return ::RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                            static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
}

unique_hkey CreateKey(const std::string& path) {
    HKEY key = nullptr;
    ::RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                      &key, nullptr);
    return unique_hkey(key);
}

// A device of the Ports class for each port Wine lists: friendly name, description, PortName.
bool AddDevices(const PresentPorts& ports) {
    for (const auto& [number, description] : ports) {
        const std::string name = "COM" + std::to_string(number);
        const std::string path = std::string(kDevices) + "\\MIRLBENCH" + std::to_string(number);
        const unique_hkey device = CreateKey(path);
        const unique_hkey parameters = CreateKey(path + "\\Device Parameters");
        if (!device || !parameters ||
            !SetString(device.get(), "ClassGUID", "{4d36e978-e325-11ce-bfc1-08002be10318}") ||
            !SetString(device.get(), "FriendlyName", "USB-SERIAL CH340 (" + name + ")") ||
            !SetString(device.get(), "DeviceDesc", "USB-SERIAL CH340") ||
            !SetString(parameters.get(), "PortName", name)) {
            return false;
        }
    }
    return true;
}

int Main(int argc, char** argv) {
    const int lookups = argc > 1 ? std::atoi(argv[1]) : 50;
    const PresentPorts listed = LookUpPresentPorts();
    if (!AddDevices(listed)) std::fprintf(stderr, "port_lookup_bench: could not add devices\n");
    std::vector<double> times;
    std::size_t found = 0;
    std::size_t described = 0;
    for (int i = 0; i < lookups; ++i) {
        const auto start = Clock::now();
        const PresentPorts ports = LookUpPresentPorts();
        times.push_back(MillisecondsSince(start));
        found = ports.size();
        described = 0;
        for (const auto& port : ports) described += port.second.empty() ? 0 : 1;
    }
    ::RegDeleteTreeA(HKEY_LOCAL_MACHINE, kDevices);
    const Spread spread = SpreadOf(times);
    PrintRow(Format("Port lookup (%zu ports, %zu of them with a device), ms", found, described),
             Format("%.1f (min %.1f, max %.1f)", spread.median, spread.min, spread.max), "<= 50",
             Format("median (min, max) of %d LookUpPresentPorts calls", lookups));
    return found > 0 ? 0 : 1;
}

}  // namespace
}  // namespace mirl::bench

int main(int argc, char** argv) {
    return mirl::bench::Main(argc, argv);
}

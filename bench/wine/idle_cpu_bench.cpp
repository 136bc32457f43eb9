// CPU time the real program takes over 5 s while it waits: before Connect, connected to a silent
// port, and after the device behind the port went away during the capture.
//
//   idle_cpu_bench MIRLTTY_EXE GONE_REQUEST_FILE GONE_DONE_FILE [SECONDS]
// The benchmark creates GONE_REQUEST_FILE when the device should go; whoever holds the Linux end
// of the pseudo-terminal closes it and then creates GONE_DONE_FILE.
#include <windows.h>
// After windows.h, which it needs.
#include <tlhelp32.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "app_under_test.h"
#include "bench_report.h"
#include "resource.h"
#include "win32_handles.h"

namespace mirl::bench {
namespace {

using std::chrono::milliseconds;

double Seconds(const FILETIME& time) {
    ULARGE_INTEGER value;
    value.LowPart = time.dwLowDateTime;
    value.HighPart = time.dwHighDateTime;
    return static_cast<double>(value.QuadPart) / 1e7;  // 100 ns units
}

// Kernel plus user time of the process so far, in seconds, as the sum over its threads: Wine
// answers GetProcessTimes for another process with zero times, but reads each thread's times
// from /proc for GetThreadTimes.
double CpuSeconds(HANDLE process) {
    const DWORD processId = ::GetProcessId(process);
    // CreateToolhelp32Snapshot fails with INVALID_HANDLE_VALUE, as CreateFileA does.
    const unique_hfile snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0));
    double total = 0;
    THREADENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = ::Thread32First(snapshot.get(), &entry); more;
         more = ::Thread32Next(snapshot.get(), &entry)) {
        if (entry.th32OwnerProcessID != processId) continue;
        const unique_handle thread(
            ::OpenThread(THREAD_QUERY_LIMITED_INFORMATION, FALSE, entry.th32ThreadID));
        FILETIME created, exited, kernel, user;
        if (thread && ::GetThreadTimes(thread.get(), &created, &exited, &kernel, &user)) {
            total += Seconds(kernel) + Seconds(user);
        }
    }
    return total;
}

// Percent of one core over `seconds` of wall time.
double CpuPercent(HANDLE process, int seconds) {
    const double before = CpuSeconds(process);
    const auto start = Clock::now();
    std::this_thread::sleep_for(std::chrono::seconds{seconds});
    const double after = CpuSeconds(process);
    return 100.0 * (after - before) / (MillisecondsSince(start) / 1000);
}

bool FileExists(const std::string& path) {
    return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool CreateMarker(const std::string& path) {
    return unique_hfile(::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr))
        .is_valid();
}

int Main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr,
                     "usage: idle_cpu_bench MIRLTTY_EXE REQUEST_FILE DONE_FILE [SECONDS]\n");
        return 2;
    }
    const std::string request = argv[2];
    const std::string done = argv[3];
    const int seconds = argc > 4 ? std::atoi(argv[4]) : 5;
    AppUnderTest app(argv[1]);
    if (!app.WaitUntilAnswering(milliseconds{30000})) {
        std::fprintf(stderr, "idle_cpu_bench: %s shows no dialog\n", argv[1]);
        return 1;
    }
    // Each phase settles for a second first, so that start-up or the hang-up is not counted.
    std::this_thread::sleep_for(milliseconds{1000});
    const double idle = CpuPercent(app.Process(), seconds);

    app.Click(IDC_CONNECT);
    if (!app.WaitForLastLine(IDC_LIST, "connected.", milliseconds{5000})) {
        std::fprintf(stderr, "idle_cpu_bench: Connect failed\n");
        return 1;
    }
    std::this_thread::sleep_for(milliseconds{1000});
    const double silent = CpuPercent(app.Process(), seconds);

    if (!CreateMarker(request)) {
        std::fprintf(stderr, "idle_cpu_bench: cannot create %s\n", request.c_str());
        return 1;
    }
    const auto asked = Clock::now();
    while (!FileExists(done)) {
        if (MillisecondsSince(asked) > 30000) {
            std::fprintf(stderr, "idle_cpu_bench: nobody closed the device\n");
            return 1;
        }
        std::this_thread::sleep_for(milliseconds{20});
    }
    std::this_thread::sleep_for(milliseconds{1000});
    const double gone = CpuPercent(app.Process(), seconds);

    // The program must still end a capture whose device is gone.
    const auto click = Clock::now();
    app.Click(IDC_CONNECT);
    const auto seen = app.WaitForLastLine(IDC_LIST, "disconnect.", milliseconds{5000});
    const std::string after =
        seen ? Format("Disconnect afterwards took %.0f ms",
                      std::chrono::duration<double, std::milli>(*seen - click).count())
             : std::string("Disconnect afterwards showed no \"disconnect.\"");
    std::printf("%s\n", after.c_str());

    const std::string how =
        Format("GetThreadTimes summed over its threads, %d s wall; 10 ms ticks (0.2%%)", seconds);
    PrintRow("Idle CPU, not connected, % of a core", Format("%.2f", idle), "", how);
    PrintRow("Idle CPU, connected to a silent port, % of a core", Format("%.2f", silent), "", how);
    PrintRow("Idle CPU, device gone (pty closed), % of a core", Format("%.2f", gone), "",
             how + "; " + after);
    return 0;
}

}  // namespace
}  // namespace mirl::bench

int main(int argc, char** argv) {
    return mirl::bench::Main(argc, argv);
}

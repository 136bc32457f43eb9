// GetProcessHandleCount answers 0 under Wine, so handles are also counted from the system handle
// table, which Wine's server does fill in.
#include "process_figures.h"

#include <tlhelp32.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "win32_handles.h"

namespace e2e {
namespace {

// The layout of SystemExtendedHandleInformation (class 64); not in the MinGW headers.
struct HandleEntry {
    void* object;
    ULONG_PTR process_id;
    ULONG_PTR handle;
    ULONG granted_access;
    USHORT creator_back_trace_index;
    USHORT object_type_index;
    ULONG attributes;
    ULONG reserved;
};
struct HandleTable {
    ULONG_PTR count;
    ULONG_PTR reserved;
    HandleEntry entries[1];
};

constexpr ULONG kSystemExtendedHandleInformation = 64;
constexpr LONG kStatusInfoLengthMismatch = static_cast<LONG>(0xC0000004);

using QuerySystemInformation = LONG(WINAPI*)(ULONG, void*, ULONG, ULONG*);

long ThreadsOf(DWORD pid) {
    const mirl::unique_hfile snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0));
    if (!snapshot.is_valid()) return -1;
    THREADENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    long threads = 0;
    for (BOOL more = Thread32First(snapshot.get(), &entry); more;
         more = Thread32Next(snapshot.get(), &entry)) {
        if (entry.th32OwnerProcessID == pid) ++threads;
    }
    return threads;
}

long HandlesInTable(DWORD pid) {
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    if (!ntdll) return -1;
    const auto query = reinterpret_cast<QuerySystemInformation>(
        reinterpret_cast<void*>(GetProcAddress(ntdll, "NtQuerySystemInformation")));
    if (!query) return -1;
    std::vector<std::uint8_t> buffer(1 << 16);
    for (int attempt = 0; attempt < 8; ++attempt) {
        ULONG needed = 0;
        const LONG status = query(kSystemExtendedHandleInformation, buffer.data(),
                                  static_cast<ULONG>(buffer.size()), &needed);
        if (status == kStatusInfoLengthMismatch) {
            buffer.resize(std::max<size_t>(buffer.size() * 2, needed + 4096));
            continue;
        }
        if (status < 0) return -1;
        const auto* table = reinterpret_cast<const HandleTable*>(buffer.data());
        long handles = 0;
        for (ULONG_PTR i = 0; i < table->count; ++i) {
            if (table->entries[i].process_id == pid) ++handles;
        }
        return handles;
    }
    return -1;
}

}  // namespace

ProcessFigures FiguresOf(DWORD pid) {
    ProcessFigures figures;
    figures.threads = ThreadsOf(pid);
    figures.handles = HandlesInTable(pid);
    const mirl::unique_handle process(
        OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_QUERY_INFORMATION, FALSE, pid));
    if (!process) return figures;
    DWORD count = 0;
    if (GetProcessHandleCount(process.get(), &count))
        figures.handle_count = static_cast<long>(count);
    FILETIME created = {}, ended = {}, kernel = {}, user = {};
    if (GetProcessTimes(process.get(), &created, &ended, &kernel, &user)) {
        auto value = [](const FILETIME& t) {
            return static_cast<long long>((static_cast<std::uint64_t>(t.dwHighDateTime) << 32) |
                                          t.dwLowDateTime);
        };
        figures.cpu_100ns = value(kernel) + value(user);
    }
    return figures;
}

}  // namespace e2e

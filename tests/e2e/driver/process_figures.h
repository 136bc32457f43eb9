// Figures of another process as Windows sees it: threads, handles, CPU time; for leak checks.
#pragma once

#include <windows.h>

namespace e2e {

struct ProcessFigures {
    long threads = -1;         // Toolhelp thread snapshot
    long handles = -1;         // entries in the system handle table; -1 if unreadable
    long handle_count = -1;    // GetProcessHandleCount (0 under Wine)
    long long cpu_100ns = -1;  // GetProcessTimes kernel + user
};

ProcessFigures FiguresOf(DWORD pid);

}  // namespace e2e

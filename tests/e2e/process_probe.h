// Linux-side figures of the Wine process that runs a program: CPU time, threads, open fds.
#pragma once

#include <sys/types.h>

#include <string>

namespace e2e {

struct LinuxFigures {
    double cpu_seconds = 0;  // utime + stime of all its threads
    int threads = 0;
    int fds = 0;
};

// The process in group `group` whose command line names `exe_name` (Wine keeps the process in
// the group it was started in; the exec chain wine -> wine64 -> preloader keeps the pid too).
pid_t FindWineProcess(pid_t group, const std::string& exe_name);

LinuxFigures FiguresOf(pid_t pid);

}  // namespace e2e

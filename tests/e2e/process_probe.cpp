// Read from /proc, because under Wine GetProcessHandleCount answers 0 and a leaked port handle
// shows up as a Linux fd of the client or of the server, not as a Windows figure.
#include "process_probe.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>
#include <vector>

namespace e2e {
namespace {

std::string ReadAll(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// The fields of /proc/<pid>/stat after the command name, which may itself hold spaces.
std::vector<std::string> StatFields(pid_t pid) {
    const std::string stat = ReadAll("/proc/" + std::to_string(pid) + "/stat");
    const auto close = stat.rfind(')');
    if (close == std::string::npos) return {};
    std::istringstream in(stat.substr(close + 1));
    return {std::istream_iterator<std::string>(in), {}};
}

}  // namespace

pid_t FindWineProcess(pid_t group, const std::string& exe_name) {
    for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
        const std::string name = entry.path().filename().string();
        if (name.find_first_not_of("0123456789") != std::string::npos) continue;
        const pid_t pid = static_cast<pid_t>(std::stol(name));
        // Field 5 of stat is the process group; fields here start at field 3 (the state).
        const auto fields = StatFields(pid);
        if (fields.size() < 3 || std::stol(fields[2]) != group) continue;
        const std::string cmdline = ReadAll(entry.path() / "cmdline");
        if (cmdline.find(exe_name) != std::string::npos) return pid;
    }
    throw std::runtime_error("no process running " + exe_name + " in process group " +
                             std::to_string(group));
}

LinuxFigures FiguresOf(pid_t pid) {
    const auto fields = StatFields(pid);
    // utime and stime are fields 14 and 15, num_threads field 20.
    if (fields.size() < 18) throw std::runtime_error("process " + std::to_string(pid) + " is gone");
    LinuxFigures figures;
    const double ticks = static_cast<double>(::sysconf(_SC_CLK_TCK));
    figures.cpu_seconds =
        static_cast<double>(std::stoull(fields[11]) + std::stoull(fields[12])) / ticks;
    figures.threads = std::stoi(fields[17]);
    std::error_code ignored;
    for (auto it =
             std::filesystem::directory_iterator("/proc/" + std::to_string(pid) + "/fd", ignored);
         it != std::filesystem::directory_iterator(); ++it)
        ++figures.fds;
    return figures;
}

}  // namespace e2e

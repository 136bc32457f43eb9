// A child process in its own process group, killed with its whole group when the owner goes.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "unique_fd.h"

namespace e2e {

struct SpawnOptions {
    std::vector<std::string> argv;
    std::map<std::string, std::string> env;  // added to (or replacing in) our own environment
    bool pipe_stdin = false;                 // else /dev/null
    bool pipe_stdout = false;                // else output_file
    bool stderr_to_stdout = false;           // else output_file
    std::string output_file;                 // empty: /dev/null
};

class ChildProcess {
  public:
    explicit ChildProcess(const SpawnOptions& options);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    pid_t pid() const noexcept { return pid_; }
    int stdin_fd() const noexcept { return stdin_.get(); }
    int stdout_fd() const noexcept { return stdout_.get(); }

    // The exit status once the process has ended within `timeout`, else nullopt.
    std::optional<int> WaitFor(std::chrono::milliseconds timeout);
    bool Exited() { return WaitFor(std::chrono::milliseconds(0)).has_value(); }

    // SIGKILL to the whole group, then reap.
    void Kill();

  private:
    pid_t pid_ = -1;
    std::optional<int> status_;
    UniqueFd stdin_;
    UniqueFd stdout_;
};

// Runs a command to its end and returns its exit status and what it printed (stdout+stderr).
struct RunResult {
    int status = -1;
    std::string output;
};
RunResult RunToEnd(const SpawnOptions& options, std::chrono::milliseconds timeout);

}  // namespace e2e

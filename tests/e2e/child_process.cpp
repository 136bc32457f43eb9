// fork/exec with a fresh process group, so that everything a Wine program spawns dies with it.
#include "child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <thread>

namespace e2e {
namespace {

using Clock = std::chrono::steady_clock;

std::pair<UniqueFd, UniqueFd> MakePipe() {
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) throw std::runtime_error("pipe failed");
    return {UniqueFd(fds[0]), UniqueFd(fds[1])};
}

}  // namespace

ChildProcess::ChildProcess(const SpawnOptions& options) {
    if (options.argv.empty()) throw std::invalid_argument("no program");
    std::vector<std::string> env_strings;
    for (char** e = environ; *e; ++e) {
        const std::string entry = *e;
        const auto eq = entry.find('=');
        if (eq != std::string::npos && options.env.count(entry.substr(0, eq))) continue;
        env_strings.push_back(entry);
    }
    for (const auto& [key, value] : options.env) env_strings.push_back(key + "=" + value);
    std::vector<char*> envp;
    for (auto& s : env_strings) envp.push_back(s.data());
    envp.push_back(nullptr);
    std::vector<std::string> argv_strings = options.argv;
    std::vector<char*> argv;
    for (auto& s : argv_strings) argv.push_back(s.data());
    argv.push_back(nullptr);

    std::pair<UniqueFd, UniqueFd> in, out;
    if (options.pipe_stdin) in = MakePipe();
    if (options.pipe_stdout) out = MakePipe();
    UniqueFd log(::open(options.output_file.empty() ? "/dev/null" : options.output_file.c_str(),
                        O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644));
    UniqueFd null_in(::open("/dev/null", O_RDONLY | O_CLOEXEC));

    pid_ = ::fork();
    if (pid_ < 0) throw std::runtime_error("fork failed");
    if (pid_ == 0) {
        ::setpgid(0, 0);
        ::dup2(options.pipe_stdin ? in.first.get() : null_in.get(), STDIN_FILENO);
        ::dup2(options.pipe_stdout ? out.second.get() : log.get(), STDOUT_FILENO);
        ::dup2(options.stderr_to_stdout ? STDOUT_FILENO : log.get(), STDERR_FILENO);
        ::execvpe(argv[0], argv.data(), envp.data());
        ::_exit(127);
    }
    // Also from this side, so a kill right after fork already reaches the group.
    ::setpgid(pid_, pid_);
    stdin_ = std::move(in.second);
    stdout_ = std::move(out.first);
}

ChildProcess::~ChildProcess() {
    Kill();
}

std::optional<int> ChildProcess::WaitFor(std::chrono::milliseconds timeout) {
    if (status_) return status_;
    const auto deadline = Clock::now() + timeout;
    for (;;) {
        int status = 0;
        const pid_t got = ::waitpid(pid_, &status, WNOHANG);
        if (got == pid_) {
            status_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            return status_;
        }
        if (got < 0 && errno != EINTR) {
            status_ = -1;
            return status_;
        }
        if (Clock::now() >= deadline) return std::nullopt;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

void ChildProcess::Kill() {
    if (pid_ <= 0) return;
    // The group outlives its leader only if something in it forked; kill it either way.
    ::kill(-pid_, SIGKILL);
    if (!status_) {
        int status = 0;
        while (::waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
        }
        status_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    stdin_.reset();
    stdout_.reset();
}

RunResult RunToEnd(const SpawnOptions& options, std::chrono::milliseconds timeout) {
    SpawnOptions opts = options;
    opts.pipe_stdin = false;
    opts.pipe_stdout = true;
    opts.stderr_to_stdout = true;
    ChildProcess child(opts);
    RunResult result;
    const auto deadline = Clock::now() + timeout;
    char buffer[4096];
    for (;;) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0) break;
        pollfd p = {child.stdout_fd(), POLLIN, 0};
        if (::poll(&p, 1, static_cast<int>(left.count())) <= 0) continue;
        const ssize_t n = ::read(child.stdout_fd(), buffer, sizeof buffer);
        if (n <= 0) break;
        result.output.append(buffer, static_cast<size_t>(n));
    }
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    const auto status = child.WaitFor(std::max(left, std::chrono::milliseconds(0)));
    result.status = status ? *status : -1;
    return result;
}

}  // namespace e2e

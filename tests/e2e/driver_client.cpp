// Requests go out as one line each; replies are read with a deadline, never a blocking read.
#include "driver_client.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <stdexcept>

#include "driver/wire_format.h"

namespace e2e {
namespace {

SpawnOptions DriverOptions(const WineSession& session, const std::filesystem::path& program,
                           const std::filesystem::path& log) {
    SpawnOptions options = session.Wine(program, {}, log);
    options.pipe_stdin = true;
    options.pipe_stdout = true;
    return options;
}

}  // namespace

DriverClient::DriverClient(const WineSession& session, const std::filesystem::path& program,
                           const std::filesystem::path& log)
    : process_(DriverOptions(session, program, log)) {}

DriverClient::~DriverClient() {
    // A polite end first; the process group is killed by ChildProcess either way.
    const std::string quit = "quit\n";
    if (::write(process_.stdin_fd(), quit.data(), quit.size()) > 0)
        process_.WaitFor(std::chrono::milliseconds(1000));
}

std::string DriverClient::ReadLine(std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        const auto nl = buffer_.find('\n');
        if (nl != std::string::npos) {
            std::string line = buffer_.substr(0, nl);
            buffer_.erase(0, nl + 1);
            if (!line.empty() && line.back() == '\r') line.pop_back();
            return line;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) throw std::runtime_error("driver did not answer in time");
        pollfd p = {process_.stdout_fd(), POLLIN, 0};
        const int ready = ::poll(&p, 1, static_cast<int>(left.count()));
        if (ready < 0 && errno == EINTR) continue;
        if (ready <= 0) continue;
        char chunk[65536];
        const ssize_t n = ::read(process_.stdout_fd(), chunk, sizeof chunk);
        if (n <= 0) throw std::runtime_error("driver ended (its log is beside the test's)");
        buffer_.append(chunk, static_cast<size_t>(n));
    }
}

Reply DriverClient::Call(const std::string& request, std::chrono::milliseconds timeout) {
    const std::string line = request + "\n";
    if (::write(process_.stdin_fd(), line.data(), line.size()) != static_cast<ssize_t>(line.size()))
        throw std::runtime_error("driver is gone; request was: " + request);
    Reply reply;
    reply.line = ReadLine(timeout);
    auto tokens = SplitTokens(reply.line);
    reply.ok = !tokens.empty() && tokens.front() == "ok";
    if (!tokens.empty()) tokens.erase(tokens.begin());
    reply.fields = std::move(tokens);
    return reply;
}

std::vector<std::string> DriverClient::Ok(const std::string& request,
                                          std::chrono::milliseconds timeout) {
    Reply reply = Call(request, timeout);
    if (!reply.ok)
        throw std::runtime_error("driver refused \"" + request + "\": " +
                                 (reply.fields.empty() ? reply.line : reply.fields.front()));
    return reply.fields;
}

}  // namespace e2e

// posix_openpt-based pseudo-terminal with a raw starting state.
#include "pty_pair.h"

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <stdexcept>

namespace e2e {

PtyPair::PtyPair() {
    master_.reset(::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC | O_NONBLOCK));
    if (!master_ || ::grantpt(master_.get()) != 0 || ::unlockpt(master_.get()) != 0)
        throw std::runtime_error("no pseudo-terminal");
    char name[128] = {};
    if (::ptsname_r(master_.get(), name, sizeof name) != 0)
        throw std::runtime_error("ptsname failed");
    slave_path_ = name;
    slave_.reset(::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC));
    if (!slave_) throw std::runtime_error("cannot open " + slave_path_);
    // Raw from the start: no echo back into the master, no line editing, no CR/LF mapping, so
    // bytes arrive as written even before the program configures the port. The speed is one the
    // program never picks, so a check sees whether its own settings arrived.
    termios t = {};
    ::tcgetattr(slave_.get(), &t);
    ::cfmakeraw(&t);
    ::cfsetispeed(&t, B1800);
    ::cfsetospeed(&t, B1800);
    ::tcsetattr(slave_.get(), TCSANOW, &t);
}

void PtyPair::Write(std::string_view bytes) {
    if (!master_) throw std::runtime_error("the pty has been hung up");
    // The slave queue holds about 4 KiB; a reader that has stopped must fail the write, not hang
    // the test.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(master_.get(), bytes.data() + done, bytes.size() - done);
        if (n > 0) {
            done += static_cast<size_t>(n);
            continue;
        }
        if (n < 0 && errno != EINTR && errno != EAGAIN)
            throw std::runtime_error("write to pty master failed");
        if (std::chrono::steady_clock::now() > deadline)
            throw std::runtime_error("pty input queue stayed full: nobody reads the port");
        pollfd p = {master_.get(), POLLOUT, 0};
        ::poll(&p, 1, 50);
    }
}

int PtyPair::Unread() const {
    // A write to the master reaches the slave's queue by a kernel work item, which may not have
    // run yet; a poll of the slave runs it, so FIONREAD then counts every byte written.
    pollfd p = {slave_.get(), POLLIN, 0};
    ::poll(&p, 1, 0);
    int unread = 0;
    if (::ioctl(slave_.get(), FIONREAD, &unread) != 0) throw std::runtime_error("FIONREAD failed");
    return unread;
}

void PtyPair::Hangup() {
    master_.reset();
    slave_.reset();
}

termios PtyPair::Settings() const {
    termios t = {};
    if (::tcgetattr(slave_.get(), &t) != 0) throw std::runtime_error("tcgetattr failed");
    return t;
}

}  // namespace e2e

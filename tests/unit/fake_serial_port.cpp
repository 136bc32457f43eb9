// A scripted serial port for the capture tests.
#include "fake_serial_port.h"

#include <thread>

namespace mirl::test {

bool FakeSerialPort::Record(const std::string& name) {
    m_calls.push_back(name);
    return m_failing.count(name) == 0;
}

bool FakeSerialPort::Open(const std::string& devicePath) {
    std::lock_guard guard(m_lock);
    m_lastPath = devicePath;
    if (!Record("Open") || m_open) return false;
    m_open = true;
    ++m_openCount;
    return true;
}

bool FakeSerialPort::IsOpen() const {
    std::lock_guard guard(m_lock);
    return m_open;
}

bool FakeSerialPort::GetCommState(LineState& state) {
    std::lock_guard guard(m_lock);
    if (!Record("GetCommState") || !m_open) return false;
    state = m_state;
    return true;
}

bool FakeSerialPort::SetCommState(const LineState& state) {
    std::lock_guard guard(m_lock);
    if (!Record("SetCommState") || !m_open) return false;
    m_state = state;
    return true;
}

bool FakeSerialPort::GetCommTimeouts(CommTimeouts& timeouts) {
    std::lock_guard guard(m_lock);
    if (!Record("GetCommTimeouts") || !m_open) return false;
    timeouts = m_timeouts;
    return true;
}

bool FakeSerialPort::SetCommTimeouts(const CommTimeouts& timeouts) {
    std::lock_guard guard(m_lock);
    if (!Record("SetCommTimeouts") || !m_open) return false;
    m_timeouts = timeouts;
    return true;
}

bool FakeSerialPort::ReadByte(std::uint8_t& cell, std::uint32_t& bytesRead) {
    std::unique_lock lock(m_lock);
    ++m_readCalls;
    bytesRead = 0;
    if (!m_open) m_readAfterClose = true;
    if (!m_pending.empty() && m_open) {
        cell = m_pending.front();
        m_pending.pop_front();
        bytesRead = 1;
        m_changed.notify_all();
        return true;
    }
    if (m_idleRead == IdleRead::Fail || m_failing.count("ReadByte") != 0) return false;
    // A time-out: wait for the read time-out, cut short by a purge or new data.
    m_purged = false;
    m_changed.wait_for(lock, m_readTimeout, [this] { return m_purged || !m_pending.empty(); });
    if (!m_open) m_readAfterClose = true;
    if (!m_pending.empty() && m_open && !m_purged) {
        cell = m_pending.front();
        m_pending.pop_front();
        bytesRead = 1;
        m_changed.notify_all();
    }
    return true;
}

bool FakeSerialPort::Purge(std::uint32_t flags) {
    std::lock_guard guard(m_lock);
    m_purgeFlags = flags;
    if (!Record("Purge") || !m_open) return false;
    m_pending.clear();
    m_purged = true;
    m_changed.notify_all();
    return true;
}

bool FakeSerialPort::Close() {
    std::lock_guard guard(m_lock);
    if (!Record("Close") || !m_open) return false;
    m_open = false;
    return true;
}

void FakeSerialPort::FailCall(const std::string& name) {
    std::lock_guard guard(m_lock);
    m_failing.insert(name);
}

void FakeSerialPort::ClearFailures() {
    std::lock_guard guard(m_lock);
    m_failing.clear();
}

void FakeSerialPort::Feed(const std::string& bytes) {
    std::lock_guard guard(m_lock);
    for (const char c : bytes) m_pending.push_back(static_cast<std::uint8_t>(c));
    m_changed.notify_all();
}

void FakeSerialPort::SetIdleRead(IdleRead mode, std::chrono::milliseconds timeout) {
    std::lock_guard guard(m_lock);
    m_idleRead = mode;
    m_readTimeout = timeout;
}

bool FakeSerialPort::WaitUntilDrained(std::chrono::milliseconds timeout) {
    std::unique_lock lock(m_lock);
    return m_changed.wait_for(lock, timeout, [this] { return m_pending.empty(); });
}

std::vector<std::string> FakeSerialPort::Calls() const {
    std::lock_guard guard(m_lock);
    return m_calls;
}

int FakeSerialPort::ReadCalls() const {
    std::lock_guard guard(m_lock);
    return m_readCalls;
}

std::string FakeSerialPort::LastDevicePath() const {
    std::lock_guard guard(m_lock);
    return m_lastPath;
}

LineState FakeSerialPort::AppliedState() const {
    std::lock_guard guard(m_lock);
    return m_state;
}

CommTimeouts FakeSerialPort::AppliedTimeouts() const {
    std::lock_guard guard(m_lock);
    return m_timeouts;
}

std::uint32_t FakeSerialPort::LastPurgeFlags() const {
    std::lock_guard guard(m_lock);
    return m_purgeFlags;
}

int FakeSerialPort::OpenCount() const {
    std::lock_guard guard(m_lock);
    return m_openCount;
}

bool FakeSerialPort::ReadAfterClose() const {
    std::lock_guard guard(m_lock);
    return m_readAfterClose;
}

}  // namespace mirl::test

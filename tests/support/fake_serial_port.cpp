// A scripted serial port for the capture tests.
#include "fake_serial_port.h"

namespace mirl::test {
namespace {

// Win32's error codes, as far as the fake reports them.
constexpr std::uint32_t kErrorInvalidHandle = 6;
constexpr std::uint32_t kErrorOperationAborted = 995;

// GetLastError is per thread.
thread_local std::uint32_t tLastError = 0;

bool Fail(std::uint32_t error) {
    tLastError = error;
    return false;
}

// A reader thread as the system runs it: cancelling it reaches the read it has pending.
class FakeReaderThread final : public WorkerThread {
  public:
    FakeReaderThread(FakeSerialPort& port, std::unique_ptr<WorkerThread> thread)
        : m_port(port), m_thread(std::move(thread)) {}
    bool WaitForEnd(std::chrono::milliseconds timeout) override {
        return m_thread->WaitForEnd(timeout);
    }
    void CancelSynchronousIo() override { m_port.CancelPendingRead(); }
    void Join() override { m_thread->Join(); }

  private:
    FakeSerialPort& m_port;
    std::unique_ptr<WorkerThread> m_thread;
};

}  // namespace

bool FakeSerialPort::Record(const std::string& name) {
    m_calls.push_back(name);
    const auto failing = m_failing.find(name);
    return failing == m_failing.end() || Fail(failing->second);
}

bool FakeSerialPort::TakeByte(std::uint8_t& cell) {
    if (m_pending.empty() || !m_open) return false;
    cell = m_pending.front();
    m_pending.pop_front();
    m_changed.notify_all();
    return true;
}

template <typename Condition>
bool FakeSerialPort::WaitUntil(std::chrono::milliseconds timeout, Condition condition) {
    std::unique_lock lock(m_lock);
    return m_changed.wait_for(lock, timeout, condition);
}

bool FakeSerialPort::Open(const std::string& devicePath) {
    std::lock_guard guard(m_lock);
    m_lastPath = devicePath;
    if (!Record("Open")) return false;
    if (m_open) return Fail(5);  // ERROR_ACCESS_DENIED: in use
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
    if (!Record("GetCommState")) return false;
    if (!m_open) return Fail(kErrorInvalidHandle);
    state = m_state;
    return true;
}

bool FakeSerialPort::SetCommState(const LineState& state) {
    std::lock_guard guard(m_lock);
    if (!Record("SetCommState")) return false;
    if (!m_open) return Fail(kErrorInvalidHandle);
    m_state = state;
    return true;
}

bool FakeSerialPort::GetCommTimeouts(CommTimeouts& timeouts) {
    std::lock_guard guard(m_lock);
    if (!Record("GetCommTimeouts")) return false;
    if (!m_open) return Fail(kErrorInvalidHandle);
    timeouts = m_timeouts;
    return true;
}

bool FakeSerialPort::SetCommTimeouts(const CommTimeouts& timeouts) {
    std::lock_guard guard(m_lock);
    if (!Record("SetCommTimeouts")) return false;
    if (!m_open) return Fail(kErrorInvalidHandle);
    m_timeouts = timeouts;
    return true;
}

bool FakeSerialPort::ReadByte(std::uint8_t& cell, std::uint32_t& bytesRead) {
    std::unique_lock lock(m_lock);
    ++m_readCalls;
    bytesRead = 0;
    if (!m_open) {
        m_readAfterClose = true;
        return Fail(kErrorInvalidHandle);
    }
    const auto failing = m_failing.find("ReadByte");
    if (failing != m_failing.end()) return Fail(failing->second);
    if (m_lineError) return Fail(kErrorOperationAborted);
    if (TakeByte(cell)) {
        bytesRead = 1;
        return true;
    }
    if (m_idleRead == IdleRead::Fail) return Fail(31);  // ERROR_GEN_FAILURE
    m_readWaiting = true;
    m_readEnded = false;
    m_readCancelled = false;
    m_changed.notify_all();
    const auto over = [this] { return !m_pending.empty() || m_readEnded; };
    if (m_idleRead == IdleRead::Block) {
        m_changed.wait(lock, over);
    } else {
        m_changed.wait_for(lock, m_readTimeout, over);
    }
    m_readWaiting = false;
    m_changed.notify_all();
    if (!m_open) m_readAfterClose = true;
    if (m_readCancelled) return Fail(kErrorOperationAborted);
    if (TakeByte(cell)) bytesRead = 1;
    return true;
}

bool FakeSerialPort::ClearCommError() {
    std::lock_guard guard(m_lock);
    ++m_statusCalls;
    m_changed.notify_all();
    if (!m_open) return Fail(kErrorInvalidHandle);
    const auto failing = m_failing.find("ClearCommError");
    if (failing != m_failing.end()) return Fail(failing->second);
    m_lineError = false;
    return true;
}

bool FakeSerialPort::Purge(std::uint32_t flags) {
    std::unique_lock lock(m_lock);
    // The port is opened for synchronous I/O, which the system serialises: the purge waits for
    // a read still pending on the handle.
    m_changed.wait(lock, [this] { return !m_readWaiting; });
    m_purgeFlags = flags;
    if (!Record("Purge")) return false;
    if (!m_open) return Fail(kErrorInvalidHandle);
    m_pending.clear();
    return true;
}

bool FakeSerialPort::Close() {
    std::lock_guard guard(m_lock);
    if (!Record("Close")) return false;
    if (!m_open) return Fail(kErrorInvalidHandle);
    m_open = false;
    return true;
}

std::uint32_t FakeSerialPort::LastError() const {
    return tLastError;
}

void FakeSerialPort::FailCall(const std::string& name, std::uint32_t error) {
    std::lock_guard guard(m_lock);
    m_failing[name] = error;
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

void FakeSerialPort::FailReadsUntilCleared() {
    std::lock_guard guard(m_lock);
    m_lineError = true;
}

void FakeSerialPort::IgnoreCancel() {
    std::lock_guard guard(m_lock);
    m_ignoreCancel = true;
}

bool FakeSerialPort::EndPendingRead() {
    std::lock_guard guard(m_lock);
    if (!m_readWaiting) return false;
    m_readEnded = true;
    m_changed.notify_all();
    return true;
}

void FakeSerialPort::CancelPendingRead() {
    std::lock_guard guard(m_lock);
    // Between two reads there is nothing to cancel, and the next read is not affected.
    if (!m_readWaiting || m_ignoreCancel) return;
    m_readEnded = true;
    m_readCancelled = true;
    m_changed.notify_all();
}

ThreadStarter FakeSerialPort::ReaderThreads() {
    return [this](std::function<void()> body) -> std::unique_ptr<WorkerThread> {
        {
            std::lock_guard guard(m_lock);
            ++m_readersRunning;
        }
        auto thread = StartStdThread([this, body = std::move(body)] {
            body();
            std::lock_guard guard(m_lock);
            --m_readersRunning;
            m_changed.notify_all();
        });
        if (!thread) {
            std::lock_guard guard(m_lock);
            --m_readersRunning;
            return nullptr;
        }
        return std::make_unique<FakeReaderThread>(*this, std::move(thread));
    };
}

bool FakeSerialPort::WaitUntilDrained(std::chrono::milliseconds timeout) {
    return WaitUntil(timeout, [this] { return m_pending.empty(); });
}

bool FakeSerialPort::WaitUntilReaderIdle(std::chrono::milliseconds timeout) {
    return WaitUntil(
        timeout, [this] { return (m_pending.empty() && m_readWaiting) || m_readersRunning == 0; });
}

bool FakeSerialPort::WaitUntilReadersEnded(std::chrono::milliseconds timeout) {
    return WaitUntil(timeout, [this] { return m_readersRunning == 0; });
}

bool FakeSerialPort::WaitForStatusCalls(int count, std::chrono::milliseconds timeout) {
    return WaitUntil(timeout, [this, count] { return m_statusCalls >= count; });
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

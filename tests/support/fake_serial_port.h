// A scripted serial port: bytes to deliver, failures of any single call, and a record of every
// call in order. Thread-safe, since the reader reads while the UI thread cancels or closes. Its
// reads end as a Windows port's do: with a byte, by the read time-out, by a cancel of the reading
// thread or by the script; never by a purge, which instead waits for them to end.
#pragma once

#include <chrono>
#include <condition_variable>
#include <deque>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "serial_port.h"
#include "worker_thread.h"

namespace mirl::test {

class FakeSerialPort final : public SerialPort {
  public:
    // How a ReadByte with nothing to deliver behaves: it waits for a byte, at most its time-out;
    // fails at once; or waits for a byte with no time-out, as a driver that ignores it.
    enum class IdleRead { TimeOut, Fail, Block };

    // Fails while the port is open already: the device is opened for exclusive use.
    bool Open(const std::string& devicePath) override;
    bool IsOpen() const override;
    bool GetCommState(LineState& state) override;
    bool SetCommState(const LineState& state) override;
    bool GetCommTimeouts(CommTimeouts& timeouts) override;
    bool SetCommTimeouts(const CommTimeouts& timeouts) override;
    bool ReadByte(std::uint8_t& cell, std::uint32_t& bytesRead) override;
    // Counted, not recorded among the calls: the reader makes one after every empty read.
    bool ClearCommError() override;
    bool Purge(std::uint32_t flags) override;
    bool Close() override;
    std::uint32_t LastError() const override;

    // Makes the named call ("Open", "GetCommState", "ClearCommError", ...) fail from now on,
    // with `error` as its last error.
    void FailCall(const std::string& name, std::uint32_t error = 87);
    void ClearFailures();
    void Feed(const std::string& bytes);
    void SetIdleRead(IdleRead mode, std::chrono::milliseconds timeout);
    // From now on reads fail at once, keeping the bytes fed, until ClearCommError is called:
    // a port that aborts on a line error.
    void FailReadsUntilCleared();
    // Cancels of the reading thread leave its read pending, as some drivers do.
    void IgnoreCancel();
    // Ends the pending read without a byte; false when none is pending.
    bool EndPendingRead();
    // What a CancelSynchronousIo of the reading thread does to the read it has pending here.
    void CancelPendingRead();
    // Starts reader threads that the system would cancel here (CancelPendingRead), and whose end
    // WaitUntilReadersEnded sees.
    ThreadStarter ReaderThreads();

    // Each blocks until the named event, or `timeout` passes, and tells which.
    // Every fed byte has been read.
    bool WaitUntilDrained(std::chrono::milliseconds timeout);
    // Every fed byte has been read and the reader waits in a read with nothing to deliver, or
    // every reader has ended.
    bool WaitUntilReaderIdle(std::chrono::milliseconds timeout);
    bool WaitUntilReadersEnded(std::chrono::milliseconds timeout);
    bool WaitForStatusCalls(int count, std::chrono::milliseconds timeout);

    std::vector<std::string> Calls() const;
    int ReadCalls() const;
    std::string LastDevicePath() const;
    LineState AppliedState() const;
    CommTimeouts AppliedTimeouts() const;
    std::uint32_t LastPurgeFlags() const;
    int OpenCount() const;
    // True when a read was in progress or begun while the port was closed.
    bool ReadAfterClose() const;

  private:
    bool Record(const std::string& name);  // false when that call is set to fail
    bool TakeByte(std::uint8_t& cell);
    template <typename Condition>
    bool WaitUntil(std::chrono::milliseconds timeout, Condition condition);

    mutable std::mutex m_lock;
    std::condition_variable m_changed;
    std::vector<std::string> m_calls;
    std::map<std::string, std::uint32_t> m_failing;
    std::deque<std::uint8_t> m_pending;
    IdleRead m_idleRead = IdleRead::TimeOut;
    std::chrono::milliseconds m_readTimeout{5};
    bool m_open = false;
    int m_openCount = 0;
    int m_readCalls = 0;
    int m_statusCalls = 0;
    int m_readersRunning = 0;
    bool m_lineError = false;
    bool m_ignoreCancel = false;
    bool m_readWaiting = false;
    bool m_readEnded = false;  // by a cancel or by the script
    bool m_readCancelled = false;
    bool m_readAfterClose = false;
    std::string m_lastPath;
    LineState m_state{9600, 8, 0, 0};
    CommTimeouts m_timeouts{};
    std::uint32_t m_purgeFlags = 0;
};

}  // namespace mirl::test

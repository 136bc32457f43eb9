// A scripted serial port: bytes to deliver, failures of any single call, and a record of every
// call in order. Thread-safe, since the reader reads while the UI thread purges.
#pragma once

#include <condition_variable>
#include <deque>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "serial_port.h"

namespace mirl::test {

class FakeSerialPort final : public SerialPort {
  public:
    // How a ReadByte with nothing scripted behaves.
    enum class IdleRead { TimeOut, Fail };

    // Fails while the port is open already: the device is opened for exclusive use.
    bool Open(const std::string& devicePath) override;
    bool IsOpen() const override;
    bool GetCommState(LineState& state) override;
    bool SetCommState(const LineState& state) override;
    bool GetCommTimeouts(CommTimeouts& timeouts) override;
    bool SetCommTimeouts(const CommTimeouts& timeouts) override;
    bool ReadByte(std::uint8_t& cell, std::uint32_t& bytesRead) override;
    bool Purge(std::uint32_t flags) override;
    bool Close() override;

    // Makes the named call ("Open", "GetCommState", ...) fail from now on.
    void FailCall(const std::string& name);
    void ClearFailures();
    void Feed(const std::string& bytes);
    void SetIdleRead(IdleRead mode, std::chrono::milliseconds timeout);
    // Blocks until every fed byte has been read, or `timeout` passes.
    bool WaitUntilDrained(std::chrono::milliseconds timeout);

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

    mutable std::mutex m_lock;
    std::condition_variable m_changed;
    std::vector<std::string> m_calls;
    std::set<std::string> m_failing;
    std::deque<std::uint8_t> m_pending;
    IdleRead m_idleRead = IdleRead::TimeOut;
    std::chrono::milliseconds m_readTimeout{5};
    bool m_open = false;
    int m_openCount = 0;
    int m_readCalls = 0;
    bool m_purged = false;
    bool m_readAfterClose = false;
    std::string m_lastPath;
    LineState m_state{9600, 8, 0, 0};
    CommTimeouts m_timeouts{};
    std::uint32_t m_purgeFlags = 0;
};

}  // namespace mirl::test

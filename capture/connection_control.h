// The Connect/Disconnect toggle, the one-second tick that shows received bytes and ends the
// capture at the limit, and the commands that act on the captured data.
#pragma once

#include <chrono>
#include <memory>
#include <string>

#include "capture_host.h"
#include "debug_trace.h"
#include "line_assembly.h"
#include "reader_thread.h"
#include "receive_buffer.h"
#include "resource.h"
#include "serial_port.h"
#include "worker_thread.h"

namespace mirl {

// The objects that live for the whole run and are shared with the reader thread.
struct CaptureState {
    ReceiveBuffer buffer;
    ReaderState readerState{ReaderStatus::Idle};
    int connected = 0;  // UI thread only
};

inline constexpr unsigned kTimerId = 1;
inline constexpr unsigned kTimerPeriodMs = 1000;
// The longest the disconnect waits for the reader; each read returns within 100 ms.
inline constexpr std::chrono::milliseconds kStopWait{500};
// A driver that ignores the read time-out keeps the reader in its read: after the wait (none at
// the end of the program) its pending call is cancelled, again every retry period, for at most
// this long before the port is handed to the reader.
inline constexpr std::chrono::milliseconds kCancelBound{500};
inline constexpr std::chrono::milliseconds kCancelRetry{10};
inline constexpr CommTimeouts kCaptureTimeouts{0, 0, 100, 0, 0};
// Settings controls locked during a capture, in the order they are locked and unlocked.
inline constexpr int kLockedControls[] = {IDC_PORT,     IDC_BAUD,     IDC_PARITY,
                                          IDC_DATABITS, IDC_STOPBITS, IDC_DEFAULT};

class ConnectionControl {
  public:
    // `trace` is told why a Connect failed and when a device was found gone.
    ConnectionControl(CaptureState& state, SerialPort& port, CaptureHost& host,
                      ThreadStarter startThread = StartStdThread, DebugTrace trace = {});
    // Stops a reader still running and releases the port, without a word to the host: the window
    // is gone by now. Waits at most about kCancelBound; a reader still stuck in a call after that
    // is handed the port and let go, and Stop stays in the reader state: whoever owns the port and
    // the buffer must then not destroy them, but end the process.
    ~ConnectionControl();
    ConnectionControl(const ConnectionControl&) = delete;
    ConnectionControl& operator=(const ConnectionControl&) = delete;

    void OnConnect();
    // After the default handling of WM_TIMER.
    void OnTimer();
    void OnDelete();
    void OnCount();
    void MoveToLines();
    void ClearData();

    const std::string& PendingLine() const { return m_lines.PendingLine(); }

  private:
    void Connect();
    void Disconnect();
    bool OpenAndConfigure(const PortSettings& settings);
    // Leaves the failed call and its error code in the trace; returns false.
    bool ConnectFailed(const std::string& call);
    void Trace(const std::string& text) const;
    void StartReader();
    void LockSettings(bool lock);
    // With the stop requested: waits `patience` for the reader, then cancels its pending call
    // until it ends, within kCancelBound. m_reader is reset once it has ended.
    void WaitForReader(std::chrono::milliseconds patience);
    // Closes the port, or hands it to a reader still inside a call, which closes it when the call
    // returns.
    void ReleasePort();

    CaptureState& m_state;
    SerialPort& m_port;
    CaptureHost& m_host;
    ThreadStarter m_startThread;
    DebugTrace m_trace;
    LineAssembler m_lines;
    CommTimeouts m_savedTimeouts{};
    // The running reader, or one that was handed the port and has not ended yet; the hand-over
    // is shared with it, so that it lives as long as either side needs it.
    std::unique_ptr<WorkerThread> m_reader;
    std::shared_ptr<PortHandOver> m_handOver;
};

}  // namespace mirl

// The Connect/Disconnect toggle, the one-second tick that shows received bytes and ends the
// capture at the limit, and the commands that act on the captured data.
#pragma once

#include <chrono>
#include <string>

#include "capture_host.h"
#include "debug_trace.h"
#include "line_assembly.h"
#include "reader_lifetime.h"
#include "reader_thread.h"
#include "receive_buffer.h"
#include "serial_port.h"
#include "worker_thread.h"

namespace mirl {

// The process-wide objects besides the port: they live for the whole run and are shared with the
// reader thread. The reader's lifetime is one of them, since a reader given up on outlives the
// window.
struct CaptureState {
    ReceiveBuffer buffer;
    ReaderState readerState{ReaderStatus::Idle};
    int connected = 0;  // UI thread only
    ReaderLifetime reader{buffer, readerState};
};

inline constexpr unsigned kTimerId = 1;
inline constexpr unsigned kTimerPeriodMs = 1000;
// The longest the disconnect waits for the reader before it cancels the reader's call; each read
// returns within 100 ms.
inline constexpr std::chrono::milliseconds kStopWait{500};
inline constexpr CommTimeouts kCaptureTimeouts{0, 0, 100, 0, 0};

class ConnectionControl {
  public:
    // `lines` holds the pending line, the window's as long as it lives. `trace` is told why a
    // Connect failed and when a device was found gone.
    ConnectionControl(CaptureState& state, SerialPort& port, CaptureHost& host,
                      LineAssembler& lines, ThreadStarter startThread = StartStdThread,
                      DebugTrace trace = {});
    // Ends a capture still running without a word to the host, since the window is gone by now,
    // and without the stop wait: at most about kCancelBound. A reader stuck in a call after that
    // keeps the port (CaptureState::reader's PortIsFree tells).
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

  private:
    void Connect();
    void Disconnect();
    bool OpenAndConfigure(const PortSettings& settings);
    // Leaves the failed call and its error code in the trace; returns false.
    bool ConnectFailed(const std::string& call);
    void Trace(const std::string& text) const;

    CaptureState& m_state;
    SerialPort& m_port;
    CaptureHost& m_host;
    LineAssembler& m_lines;
    ThreadStarter m_startThread;
    DebugTrace m_trace;
    CommTimeouts m_savedTimeouts{};
};

}  // namespace mirl

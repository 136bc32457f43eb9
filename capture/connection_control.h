// The Connect/Disconnect toggle, the one-second tick that shows received bytes and ends the
// capture at the limit, and the commands that act on the captured data.
#pragma once

#include <memory>
#include <string>

#include "capture_host.h"
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
inline constexpr CommTimeouts kCaptureTimeouts{0, 0, 100, 0, 0};
// Settings controls locked during a capture, in the order they are locked and unlocked.
inline constexpr int kLockedControls[] = {IDC_PORT,     IDC_BAUD,     IDC_PARITY,
                                          IDC_DATABITS, IDC_STOPBITS, IDC_DEFAULT};

class ConnectionControl {
  public:
    ConnectionControl(CaptureState& state, SerialPort& port, CaptureHost& host,
                      ThreadStarter startThread = StartStdThread);
    // Stops and joins a reader still running and releases the port, without a word to the
    // host: the window is gone by now.
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
    void LockSettings(bool lock);
    // With the stop already requested: purges and makes sure the reader has ended, so that the
    // port can be closed.
    void EndReader();

    CaptureState& m_state;
    SerialPort& m_port;
    CaptureHost& m_host;
    ThreadStarter m_startThread;
    LineAssembler m_lines;
    CommTimeouts m_savedTimeouts{};
    std::unique_ptr<WorkerThread> m_reader;
};

}  // namespace mirl

// The reader thread's whole life as the UI thread drives it: started on the open port, asked to
// stop, waited for with a bound, cancelled, and handed the port when nothing ends its call.
#pragma once

#include <chrono>
#include <memory>
#include <optional>

#include "debug_trace.h"
#include "port_hand_over.h"
#include "reader_thread.h"
#include "receive_buffer.h"
#include "serial_port.h"
#include "worker_thread.h"

namespace mirl {

// A driver that ignores the read time-out keeps the reader in its read: after the wait its
// pending call is cancelled, again every retry period, for at most this long.
inline constexpr std::chrono::milliseconds kCancelBound{500};
inline constexpr std::chrono::milliseconds kCancelRetry{10};

// One for the whole run, like the buffer, the state and the port it is given: a reader given up
// on may outlast every capture and window. UI thread only.
class ReaderLifetime {
  public:
    ReaderLifetime(ReceiveBuffer& buffer, ReaderState& state) : m_buffer(buffer), m_state(state) {}
    // Joins a reader that has ended. One that still holds the port is never waited for: its
    // owner ends the process instead (StillHoldsThePort).
    ~ReaderLifetime() = default;
    ReaderLifetime(const ReaderLifetime&) = delete;
    ReaderLifetime& operator=(const ReaderLifetime&) = delete;

    // Sets the state to reading and starts the reader on `port`, opened and configured, which it
    // reads until it is stopped. Only when no reader is left (WaitThenCancel). A reader that
    // cannot be started leaves the capture empty; the rest of the capture goes on as usual.
    void Start(SerialPort& port, const ThreadStarter& startThread, const DebugTrace& trace);
    // Sets the state to stop; a reader between two calls then ends without blocking.
    void RequestStop();
    // Waits `patience` for the reader to end, then cancels its pending call until it ends, within
    // kCancelBound. True when no reader is left; false while one is still inside its call.
    bool WaitThenCancel(std::chrono::milliseconds patience);
    // With the stop requested: closes the port once the reader has ended, or gives up on a reader
    // stuck inside a call and hands it the port, which it closes when that call returns. The
    // state becomes idle either way.
    void ReleasePort();
    // True while a reader given up on has not ended: it still holds the port, and the port and
    // buffer must not be destroyed under it.
    bool StillHoldsThePort();

  private:
    enum class Phase {
        None,     // no reader thread to wait for
        Started,  // reading, or ended by itself at the limit
        GivenUp,  // handed the port inside a call; closes it and ends when that call returns
    };

    // Joins the ended thread.
    void Forget();

    ReceiveBuffer& m_buffer;
    ReaderState& m_state;
    SerialPort* m_port = nullptr;  // the last one started on
    Phase m_phase = Phase::None;
    // A fresh one for each reader; it outlives the thread, since this object keeps the thread
    // until it has ended.
    std::optional<PortHandOver> m_handOver;
    std::unique_ptr<WorkerThread> m_thread;
};

}  // namespace mirl

// The reader thread's whole life as the UI thread drives it: started on the open port, then
// stopped in one call, which asks, waits with a bound, cancels, and closes the port or hands it to
// a reader that nothing ends.
#pragma once

#include <chrono>
#include <memory>
#include <optional>

#include "debug_trace.h"
#include "port_hand_over.h"
#include "reader_states.h"
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
    // owner ends the process instead (PortIsFree).
    ~ReaderLifetime() = default;
    ReaderLifetime(const ReaderLifetime&) = delete;
    ReaderLifetime& operator=(const ReaderLifetime&) = delete;

    // Sets the state to reading and starts the reader on `port`, opened and configured, which it
    // reads until it is stopped. Only when the port is free (PortIsFree). A reader that cannot be
    // started leaves the capture empty; the rest of the capture goes on as usual.
    void Start(SerialPort& port, const ThreadStarter& startThread, const DebugTrace& trace);
    // Ends the reading, in this order: asks the reader to stop, waits `patience` for it to end,
    // then cancels its pending call until it ends, within kCancelBound. A reader that ended leaves
    // the port to be purged (the driver's buffers discarded) and closed here; one still inside a
    // call that nothing ends is handed the port, which it closes when that call returns, since the
    // system would make a purge or close wait for that call. The state becomes idle either way.
    void Stop(std::chrono::milliseconds patience);
    // False while a reader handed the port has not ended: the port is not to be opened again, and
    // the port and buffer must not be destroyed under it.
    bool PortIsFree();

  private:
    // Waits `patience`, then cancels the pending call until the reader ends, within kCancelBound.
    // True when no reader is left.
    bool WaitThenCancel(std::chrono::milliseconds patience);
    // Joins the ended thread.
    void Forget();

    ReceiveBuffer& m_buffer;
    ReaderState& m_state;
    SerialPort* m_port = nullptr;  // the last one started on
    ReaderPhase m_phase = ReaderPhase::None;
    // A fresh one for each reader; it outlives the thread, since this object keeps the thread
    // until it has ended.
    std::optional<PortHandOver> m_handOver;
    std::unique_ptr<WorkerThread> m_thread;
};

}  // namespace mirl

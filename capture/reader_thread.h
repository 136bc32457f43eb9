// The background reader: one-byte reads from the open port into the receive buffer until the
// buffer is full or the UI thread asks it to stop.
#pragma once

#include <chrono>

#include "debug_trace.h"
#include "port_hand_over.h"
#include "reader_states.h"
#include "receive_buffer.h"
#include "serial_port.h"

namespace mirl {

struct ReaderOptions {
    // A failed read returns at once; the reader pauses this long before the next try, about one
    // read time-out, so that it does not spin. A stop request ends the pause.
    std::chrono::milliseconds failedReadPause{100};
    // When set, the UI thread may hand the port to the reader while it is stuck in a call
    // (ReaderLifetime does).
    PortHandOver* handOver = nullptr;
    // Told each time the device is newly found gone.
    DebugTrace trace;
};

// Returns 0 when it ends: at the limit (having set Stop), after it has seen Stop, or after it
// has closed a port handed over to it.
unsigned ReaderThreadProc(ReceiveBuffer& buffer, ReaderState& state, SerialPort& port,
                          const ReaderOptions& options = {});

}  // namespace mirl

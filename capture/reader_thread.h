// The background reader: one-byte reads from the open port into the receive buffer until the
// buffer is full or the UI thread asks it to stop.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>

#include "receive_buffer.h"
#include "serial_port.h"

namespace mirl {

// Shared by the UI thread and the reader; the reader only ever sets Stop.
enum class ReaderStatus : std::int32_t { Idle = 0, Stop = 1, Reading = 2 };
using ReaderState = std::atomic<ReaderStatus>;

// A failed read (device gone) returns at once; the reader pauses this long before the next try,
// about one read time-out, so that it does not spin.
inline constexpr std::chrono::milliseconds kFailedReadPause{100};

// Returns 0 when it ends: at the limit (having set Stop) or after it has seen Stop.
unsigned ReaderThreadProc(ReceiveBuffer& buffer, ReaderState& state, SerialPort& port);

}  // namespace mirl

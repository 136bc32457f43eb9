// The reader's states side by side: how a capture's reading goes, seen from each side.
//
//   ReaderStatus  shared by the UI thread and the reader, polled: reading, asked to stop (or ended
//                 at the limit), idle. The reader only ever sets Stop.
//   ReaderPhase   the UI thread's hold on the reader's thread (ReaderLifetime): none, started,
//                 or given up inside a call that nothing ends, with the port handed to it.
//   CallPhase     where the reader stands against its blocking port calls, which decides who
//                 closes the port (PortHandOver): between calls, in one, or handed the port in one.
#pragma once

#include <atomic>
#include <cstdint>

namespace mirl {

enum class ReaderStatus : std::int32_t { Idle = 0, Stop = 1, Reading = 2 };
using ReaderState = std::atomic<ReaderStatus>;

enum class ReaderPhase {
    None,     // no reader thread to wait for
    Started,  // reading, or ended by itself at the limit
    GivenUp,  // handed the port inside a call; closes it and ends when that call returns
};

enum class CallPhase { BetweenCalls, InCall, HandedOver };

}  // namespace mirl

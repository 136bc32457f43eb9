#include "reader_thread.h"

#include <thread>

namespace mirl {
namespace {

bool StopRequested(const ReaderState& state) {
    return state.load() == ReaderStatus::Stop;
}

// Sleeps for the failed-read pause in short slices, so that a stop request still ends the
// reader within about one read time-out.
void PauseAfterFailedRead(const ReaderState& state) {
    constexpr std::chrono::milliseconds kSlice{10};
    for (auto waited = std::chrono::milliseconds{0}; waited < kFailedReadPause; waited += kSlice) {
        if (StopRequested(state)) return;
        std::this_thread::sleep_for(kSlice);
    }
}

}  // namespace

unsigned ReaderThreadProc(ReceiveBuffer& buffer, ReaderState& state, SerialPort& port) {
    if (buffer.Count() >= kMaxRead) {
        state.store(ReaderStatus::Stop);
        return 0;
    }
    for (;;) {
        std::uint8_t cell = 0;
        std::uint32_t bytesRead = 0;
        const bool readOk = port.ReadByte(cell, bytesRead);
        if (bytesRead > 0) buffer.StoreByte(cell);
        if (buffer.Count() >= kMaxRead) {
            state.store(ReaderStatus::Stop);
            return 0;
        }
        if (StopRequested(state)) return 0;
        if (!readOk) PauseAfterFailedRead(state);
    }
}

}  // namespace mirl

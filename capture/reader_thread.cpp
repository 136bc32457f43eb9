#include "reader_thread.h"

#include <algorithm>
#include <string>
#include <thread>

#include "device_gone.h"

namespace mirl {
namespace {

class Reader {
  public:
    Reader(ReceiveBuffer& buffer, ReaderState& state, SerialPort& port,
           const ReaderOptions& options)
        : m_buffer(buffer), m_state(state), m_port(port), m_options(options) {}

    void Run() {
        if (AtLimit()) return;
        for (;;) {
            bool readOk = true;
            std::uint32_t bytesRead = 0;
            if (!m_deviceGone) {
                std::uint8_t cell = 0;
                if (!Call([&] { readOk = m_port.ReadByte(cell, bytesRead); })) return;
                if (bytesRead > 0) m_buffer.StoreByte(cell);
            }
            if (AtLimit() || StopRequested()) return;
            if (bytesRead > 0) continue;
            if (!Call([this] { CheckStatus(); })) return;
            if (m_deviceGone || !readOk) {
                PauseAfterFailedRead();
                if (StopRequested()) return;
            }
        }
    }

  private:
    bool AtLimit() {
        if (m_buffer.Count() < kMaxRead) return false;
        m_state.store(ReaderStatus::Stop);
        return true;
    }
    bool StopRequested() const { return m_state.load() == ReaderStatus::Stop; }

    // Runs a port call that may block. False when the UI thread handed the port over meanwhile:
    // the port is closed here then, and the reader must end without touching anything shared.
    template <typename PortCall>
    bool Call(PortCall call) {
        if (m_options.handOver == nullptr) {
            call();
            return true;
        }
        m_options.handOver->EnterCall();
        call();
        if (m_options.handOver->LeaveCall()) return true;
        m_port.Close();
        return false;
    }

    // After every read that brought nothing. Clearing the line errors lets a port that aborts on
    // them read again; and only the failure of this call tells a device that has gone from a
    // silent one, since Wine's read of a hung-up pseudo-terminal waits out its time-out on the CPU
    // and then looks like an ordinary empty read. While it is gone, the reader polls the status
    // instead of reading, between pauses, so that it does not keep a core busy.
    void CheckStatus() {
        const bool wasGone = m_deviceGone;
        std::uint32_t error = 0;
        if (!m_port.ClearCommError()) error = m_port.LastError();
        m_deviceGone = MeansDeviceGone(error);
        if (m_deviceGone && !wasGone && m_options.trace) {
            m_options.trace("the device behind the port has gone: ClearCommError failed, error " +
                            std::to_string(error));
        }
    }

    // Sleeps in short slices, so that a stop request ends the pause within one slice.
    void PauseAfterFailedRead() const {
        constexpr std::chrono::milliseconds kSlice{10};
        const auto end = std::chrono::steady_clock::now() + m_options.failedReadPause;
        while (!StopRequested()) {
            const auto left = end - std::chrono::steady_clock::now();
            if (left <= std::chrono::steady_clock::duration::zero()) return;
            std::this_thread::sleep_for(
                std::min<std::chrono::steady_clock::duration>(left, kSlice));
        }
    }

    ReceiveBuffer& m_buffer;
    ReaderState& m_state;
    SerialPort& m_port;
    const ReaderOptions& m_options;
    bool m_deviceGone = false;
};

}  // namespace

unsigned ReaderThreadProc(ReceiveBuffer& buffer, ReaderState& state, SerialPort& port,
                          const ReaderOptions& options) {
    Reader(buffer, state, port, options).Run();
    return 0;
}

}  // namespace mirl

#include "reader_lifetime.h"

namespace mirl {

void ReaderLifetime::Start(SerialPort& port, const ThreadStarter& startThread,
                           const DebugTrace& trace) {
    m_port = &port;
    m_state.store(ReaderStatus::Reading);
    m_handOver.emplace();
    ReaderOptions options;
    options.handOver = &*m_handOver;
    options.trace = trace;
    // The body holds only what outlives the thread: the process-wide buffer, state and port, and
    // this object's hand-over.
    m_thread = startThread([&buffer = m_buffer, &state = m_state, &port, options] {
        ReaderThreadProc(buffer, state, port, options);
    });
    m_phase = m_thread ? ReaderPhase::Started : ReaderPhase::None;
}

void ReaderLifetime::Stop(std::chrono::milliseconds patience) {
    m_state.store(ReaderStatus::Stop);
    if (WaitThenCancel(patience)) {
        m_port->Purge(kPurgeAll);
    } else {
        // Asked to stop, a reader between two calls ends without blocking: wait for that, or for
        // it to be inside a call, where it can take the port.
        while (m_phase == ReaderPhase::Started) {
            if (m_handOver->HandOver()) {
                m_phase = ReaderPhase::GivenUp;
            } else if (m_thread->WaitForEnd(kCancelRetry)) {
                Forget();
            }
        }
    }
    if (m_phase == ReaderPhase::None) m_port->Close();
    m_state.store(ReaderStatus::Idle);
}

bool ReaderLifetime::WaitThenCancel(std::chrono::milliseconds patience) {
    if (m_phase == ReaderPhase::None) return true;
    bool ended = m_thread->WaitForEnd(patience);
    // The cancel finds nothing while the reader is between two calls, and it may be about to
    // enter the next one, so it is tried again until the reader has ended.
    const auto giveUp = std::chrono::steady_clock::now() + kCancelBound;
    while (!ended && std::chrono::steady_clock::now() < giveUp) {
        m_thread->CancelSynchronousIo();
        ended = m_thread->WaitForEnd(kCancelRetry);
    }
    if (ended) Forget();
    return ended;
}

bool ReaderLifetime::PortIsFree() {
    if (m_phase == ReaderPhase::GivenUp && m_thread->WaitForEnd(std::chrono::milliseconds{0}))
        Forget();
    return m_phase != ReaderPhase::GivenUp;
}

void ReaderLifetime::Forget() {
    m_thread.reset();
    m_phase = ReaderPhase::None;
}

}  // namespace mirl

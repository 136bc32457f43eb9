// Lets the UI thread give the port to a reader stuck in a call that neither its time-out nor a
// cancel ends. The reader closes the port once that call returns, so the handle is never closed
// under a pending read, and the UI thread goes on without waiting for a driver that may never
// answer.
#pragma once

#include <atomic>

#include "reader_states.h"

namespace mirl {

class PortHandOver {
  public:
    // Reader thread: around each port call that may block.
    void EnterCall() { m_phase.store(CallPhase::InCall); }
    // False when the port was handed over during the call: closing it is then the reader's last
    // act, and nothing else it shares with the UI thread is its to touch any more.
    bool LeaveCall() {
        CallPhase inCall = CallPhase::InCall;
        return m_phase.compare_exchange_strong(inCall, CallPhase::BetweenCalls);
    }

    // UI thread: true when the reader was inside a call and now owns the port; false when it is
    // between two calls, from where, asked to stop, it ends without blocking.
    bool HandOver() {
        CallPhase inCall = CallPhase::InCall;
        return m_phase.compare_exchange_strong(inCall, CallPhase::HandedOver);
    }

  private:
    std::atomic<CallPhase> m_phase{CallPhase::BetweenCalls};
};

}  // namespace mirl

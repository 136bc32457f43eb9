// A background thread that can be waited for, with a bound, and the means to start one. The
// Windows program starts its reader through the class layer; tests and the host build use
// std::thread.
#pragma once

#include <chrono>
#include <functional>
#include <memory>

namespace mirl {

class WorkerThread {
  public:
    // Joins the thread: its owner destroys it only once the body has returned, or ends the process
    // instead.
    virtual ~WorkerThread() = default;
    // True once the thread's body has returned; waits at most `timeout` for that.
    virtual bool WaitForEnd(std::chrono::milliseconds timeout) = 0;
    // CancelSynchronousIo: asks the system to end the I/O call the thread is blocked in. Nothing
    // happens when the thread is between two calls, or when the driver ignores the request.
    virtual void CancelSynchronousIo() = 0;
    // Blocks until the body has returned. Idempotent.
    virtual void Join() = 0;
};

// Runs `body` on a new thread at once; nullptr when no thread could be started.
using ThreadStarter = std::function<std::unique_ptr<WorkerThread>(std::function<void()> body)>;

// Its threads have no I/O to cancel.
std::unique_ptr<WorkerThread> StartStdThread(std::function<void()> body);

}  // namespace mirl

// A background thread that can be waited for and joined, and the means to start one. The Windows
// program starts its reader through the class layer; tests and the host build use std::thread.
#pragma once

#include <chrono>
#include <functional>
#include <memory>

namespace mirl {

class WorkerThread {
  public:
    virtual ~WorkerThread() = default;
    // True once the thread's body has returned; waits at most `timeout` for that.
    virtual bool WaitForEnd(std::chrono::milliseconds timeout) = 0;
    // Blocks until the body has returned. Idempotent.
    virtual void Join() = 0;
};

// Runs `body` on a new thread at once; nullptr when no thread could be started.
using ThreadStarter = std::function<std::unique_ptr<WorkerThread>(std::function<void()> body)>;

std::unique_ptr<WorkerThread> StartStdThread(std::function<void()> body);

}  // namespace mirl

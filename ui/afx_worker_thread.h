// The capture's worker thread on the class layer's AfxBeginThread.
#pragma once

#include <functional>
#include <memory>

#include "worker_thread.h"

namespace mirl {

// A ThreadStarter: runs `body` at normal priority; nullptr when no thread could be started.
std::unique_ptr<WorkerThread> StartAfxThread(std::function<void()> body);

}  // namespace mirl

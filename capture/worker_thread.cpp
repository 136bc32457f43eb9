#include "worker_thread.h"

#include <condition_variable>
#include <mutex>
#include <system_error>
#include <thread>

namespace mirl {
namespace {

class StdWorkerThread final : public WorkerThread {
  public:
    explicit StdWorkerThread(std::function<void()> body)
        : m_end(std::make_shared<End>()), m_thread([end = m_end, body = std::move(body)] {
              body();
              std::lock_guard guard(end->lock);
              end->ended = true;
              end->changed.notify_all();
          }) {}

    ~StdWorkerThread() override {
        if (WaitForEnd(std::chrono::milliseconds{0})) {
            Join();
        } else {
            m_thread.detach();
        }
    }

    bool WaitForEnd(std::chrono::milliseconds timeout) override {
        std::unique_lock lock(m_end->lock);
        return m_end->changed.wait_for(lock, timeout, [this] { return m_end->ended; });
    }

    void CancelSynchronousIo() override {}

    void Join() override {
        if (m_thread.joinable()) m_thread.join();
    }

  private:
    // Shared with the thread, so that a thread let go can still say that it has ended.
    struct End {
        std::mutex lock;
        std::condition_variable changed;
        bool ended = false;
    };
    std::shared_ptr<End> m_end;
    std::thread m_thread;
};

}  // namespace

std::unique_ptr<WorkerThread> StartStdThread(std::function<void()> body) {
    try {
        return std::make_unique<StdWorkerThread>(std::move(body));
    } catch (const std::system_error&) {
        return nullptr;  // no thread could be started
    }
}

}  // namespace mirl

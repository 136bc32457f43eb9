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
        : m_thread([this, body = std::move(body)] {
              body();
              std::lock_guard guard(m_lock);
              m_ended = true;
              m_changed.notify_all();
          }) {}

    ~StdWorkerThread() override { Join(); }

    bool WaitForEnd(std::chrono::milliseconds timeout) override {
        std::unique_lock lock(m_lock);
        return m_changed.wait_for(lock, timeout, [this] { return m_ended; });
    }

    void CancelSynchronousIo() override {}

    void Join() override {
        if (m_thread.joinable()) m_thread.join();
    }

  private:
    std::mutex m_lock;
    std::condition_variable m_changed;
    bool m_ended = false;
    std::thread m_thread;  // last, so that it starts once what it signals exists
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

// The capture's worker thread on the class layer's AfxBeginThread.
#include "afx_worker_thread.h"

#include "afxwin.h"

namespace mirl {
namespace {

// What the thread runs and its thread object, shared by the owner and the thread itself, so that
// a thread let go by its owner still has both. The last of the two to let go frees them: the
// owner's thread object joins the ended thread, the thread's own closes only its handle.
struct ThreadShare {
    explicit ThreadShare(std::function<void()> run) : body(std::move(run)) {}
    std::function<void()> body;
    std::unique_ptr<CWinThread> thread;
    // The thread's own share until it starts, when it takes it over.
    std::shared_ptr<ThreadShare> forTheThread;
};

class AfxWorkerThread final : public WorkerThread {
  public:
    explicit AfxWorkerThread(std::function<void()> body)
        : m_share(std::make_shared<ThreadShare>(std::move(body))) {}

    bool Start() {
        m_share->forTheThread = m_share;
        m_share->thread = AfxBeginThread(&AfxWorkerThread::Run, m_share.get(),
                                         THREAD_PRIORITY_NORMAL, 0, 0, nullptr);
        if (!m_share->thread) m_share->forTheThread.reset();
        return m_share->thread != nullptr;
    }
    bool WaitForEnd(std::chrono::milliseconds timeout) override {
        return m_share->thread->WaitForEnd(static_cast<DWORD>(timeout.count())) != FALSE;
    }
    void CancelSynchronousIo() override {
        ::CancelSynchronousIo(m_share->thread->GetThreadHandle());
    }
    void Join() override { m_share->thread->Join(); }

  private:
    static UINT __cdecl Run(LPVOID param) {
        const std::shared_ptr<ThreadShare> share =
            std::move(static_cast<ThreadShare*>(param)->forTheThread);
        share->body();
        return 0;
    }

    std::shared_ptr<ThreadShare> m_share;
};

}  // namespace

std::unique_ptr<WorkerThread> StartAfxThread(std::function<void()> body) {
    auto worker = std::make_unique<AfxWorkerThread>(std::move(body));
    if (!worker->Start()) return nullptr;
    return worker;
}

}  // namespace mirl

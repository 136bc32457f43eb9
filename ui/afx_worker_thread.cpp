// The capture's worker thread on the class layer's AfxBeginThread.
#include "afx_worker_thread.h"

#include "afxwin.h"

namespace mirl {
namespace {

class AfxWorkerThread final : public WorkerThread {
  public:
    explicit AfxWorkerThread(std::function<void()> body) : m_body(std::move(body)) {}

    bool Start() {
        m_thread = AfxBeginThread(&AfxWorkerThread::Run, this);
        return m_thread != nullptr;
    }
    bool WaitForEnd(std::chrono::milliseconds timeout) override {
        return m_thread->WaitForEnd(static_cast<DWORD>(timeout.count())) != FALSE;
    }
    void CancelSynchronousIo() override { ::CancelSynchronousIo(m_thread->GetThreadHandle()); }
    void Join() override { m_thread->Join(); }

  private:
    static UINT __cdecl Run(LPVOID param) noexcept {
        static_cast<AfxWorkerThread*>(param)->m_body();
        return 0;
    }

    std::function<void()> m_body;
    // Joins as it goes, before the body it runs is destroyed.
    std::unique_ptr<CWinThread> m_thread;
};

}  // namespace

std::unique_ptr<WorkerThread> StartAfxThread(std::function<void()> body) {
    auto worker = std::make_unique<AfxWorkerThread>(std::move(body));
    if (!worker->Start()) return nullptr;
    return worker;
}

}  // namespace mirl

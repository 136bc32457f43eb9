// AfxBeginThread on _beginthreadex, so that the C runtime sets up its per-thread state.
#include "win_thread.h"

#include <process.h>

CWinThread::CWinThread(StartKey, AFX_THREADPROC pfnThreadProc, LPVOID pParam)
    : m_pfnThreadProc(pfnThreadProc), m_pThreadParams(pParam) {}

CWinThread::~CWinThread() {
    if (m_hThread) Join();
}

unsigned __stdcall CWinThread::Start(void* self) noexcept {
    auto* thread = static_cast<CWinThread*>(self);
    return thread->m_pfnThreadProc(thread->m_pThreadParams);
}

BOOL CWinThread::WaitForEnd(DWORD dwMilliseconds) {
    return ::WaitForSingleObject(m_hThread.get(), dwMilliseconds) == WAIT_OBJECT_0;
}

void CWinThread::Join() {
    ::WaitForSingleObject(m_hThread.get(), INFINITE);
}

std::unique_ptr<CWinThread> AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam) {
    if (pfnThreadProc == nullptr) return nullptr;
    auto thread = std::make_unique<CWinThread>(CWinThread::StartKey{}, pfnThreadProc, pParam);
    const uintptr_t handle =
        ::_beginthreadex(nullptr, 0, &CWinThread::Start, thread.get(), 0, nullptr);
    if (handle == 0) return nullptr;
    thread->m_hThread.reset(reinterpret_cast<HANDLE>(handle));
    return thread;
}

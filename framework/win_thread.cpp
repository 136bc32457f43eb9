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

std::unique_ptr<CWinThread> AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam,
                                           int nPriority, UINT nStackSize, DWORD,
                                           LPSECURITY_ATTRIBUTES lpSecurityAttrs) {
    if (pfnThreadProc == nullptr) return nullptr;
    auto thread = std::make_unique<CWinThread>(CWinThread::StartKey{}, pfnThreadProc, pParam);
    unsigned threadId = 0;
    // Created suspended so that the priority is in place before the function runs.
    uintptr_t handle = ::_beginthreadex(lpSecurityAttrs, nStackSize, &CWinThread::Start,
                                        thread.get(), CREATE_SUSPENDED, &threadId);
    if (handle == 0) return nullptr;
    thread->m_hThread.reset(reinterpret_cast<HANDLE>(handle));
    thread->m_nThreadID = threadId;
    ::SetThreadPriority(thread->m_hThread.get(), nPriority);
    ::ResumeThread(thread->m_hThread.get());
    return thread;
}

// AfxBeginThread on _beginthreadex, so that the C runtime sets up its per-thread state.
#include "win_thread.h"

#include <process.h>

CWinThread::CWinThread(StartKey, AFX_THREADPROC pfnThreadProc, LPVOID pParam)
    : m_pfnThreadProc(pfnThreadProc), m_pThreadParams(pParam) {}

CWinThread::~CWinThread() {
    if (!m_hThread) return;
    if (m_suspended) ResumeThread();  // a thread never resumed would never end
    // The thread itself may hold the last owner of its object; it cannot wait for its own end.
    if (::GetCurrentThreadId() != m_nThreadID) Join();
}

unsigned __stdcall CWinThread::Start(void* self) {
    auto* thread = static_cast<CWinThread*>(self);
    return thread->m_pfnThreadProc(thread->m_pThreadParams);
}

BOOL CWinThread::WaitForEnd(DWORD dwMilliseconds) {
    return ::WaitForSingleObject(m_hThread.get(), dwMilliseconds) == WAIT_OBJECT_0;
}

void CWinThread::Join() {
    ::WaitForSingleObject(m_hThread.get(), INFINITE);
}

BOOL CWinThread::GetExitCode(DWORD& exitCode) const {
    return ::GetExitCodeThread(m_hThread.get(), &exitCode) && exitCode != STILL_ACTIVE;
}

DWORD CWinThread::ResumeThread() {
    m_suspended = false;
    return ::ResumeThread(m_hThread.get());
}

BOOL CWinThread::SetThreadPriority(int nPriority) {
    return ::SetThreadPriority(m_hThread.get(), nPriority);
}

int CWinThread::GetThreadPriority() const {
    return ::GetThreadPriority(m_hThread.get());
}

std::unique_ptr<CWinThread> AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam,
                                           int nPriority, UINT nStackSize, DWORD dwCreateFlags,
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
    thread->m_suspended = true;
    thread->SetThreadPriority(nPriority);
    if ((dwCreateFlags & CREATE_SUSPENDED) == 0) thread->ResumeThread();
    return thread;
}

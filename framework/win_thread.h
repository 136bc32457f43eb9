// AfxBeginThread and CWinThread: a thread running a plain function, owned and joinable.
#pragma once

#include <windows.h>

#include <memory>

#include "win32_handles.h"

using AFX_THREADPROC = UINT(__cdecl*)(LPVOID);

class CWinThread {
    // Only AfxBeginThread can make one of these, so only it can construct a CWinThread.
    struct StartKey {
        explicit StartKey() = default;
    };

  public:
    CWinThread(StartKey, AFX_THREADPROC pfnThreadProc, LPVOID pParam);
    // Joins, since the function may use objects that die with the owner.
    ~CWinThread();
    CWinThread(const CWinThread&) = delete;
    CWinThread& operator=(const CWinThread&) = delete;

    HANDLE GetThreadHandle() const { return m_hThread.get(); }

    // TRUE once the function has returned; waits at most dwMilliseconds for that.
    BOOL WaitForEnd(DWORD dwMilliseconds);
    // Blocks until the function has returned.
    void Join();

  private:
    friend std::unique_ptr<CWinThread> AfxBeginThread(AFX_THREADPROC, LPVOID);
    // noexcept: an exception in the thread's function ends the program where it was thrown.
    static unsigned __stdcall Start(void* self) noexcept;

    AFX_THREADPROC m_pfnThreadProc;
    LPVOID m_pThreadParams;
    mirl::unique_handle m_hThread;
};

// Starts pfnThreadProc(pParam) on a new thread, at normal priority as every new thread is, which
// runs at once; nullptr if it could not be started. The program asks for nothing else of it.
std::unique_ptr<CWinThread> AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam);

// AfxBeginThread: the function runs with its parameter, can be waited for with a time-out, joins.
#include "win_thread.h"

#include <gtest/gtest.h>

#include <atomic>

#include "win32_handles.h"

namespace {

struct Shared {
    std::atomic<int> runs{0};
    mirl::unique_handle release{::CreateEventA(nullptr, TRUE, FALSE, nullptr)};
};

UINT __cdecl CountAndReturn(LPVOID param) {
    static_cast<Shared*>(param)->runs++;
    return 42;
}

UINT __cdecl WaitForRelease(LPVOID param) {
    auto* shared = static_cast<Shared*>(param);
    ::WaitForSingleObject(shared->release.get(), INFINITE);
    shared->runs++;
    return 7;
}

UINT __cdecl SleepThenCount(LPVOID param) {
    ::Sleep(200);
    static_cast<Shared*>(param)->runs++;
    return 0;
}

TEST(AfxBeginThread, RunsTheFunctionWithItsParameter) {
    Shared shared;
    auto thread = AfxBeginThread(&CountAndReturn, &shared);
    ASSERT_NE(thread, nullptr);
    EXPECT_TRUE(thread->WaitForEnd(5000));
    EXPECT_EQ(shared.runs, 1);
    DWORD code = 0;
    EXPECT_TRUE(thread->GetExitCode(code));
    EXPECT_EQ(code, 42u);
    EXPECT_NE(thread->GetThreadHandle(), nullptr);
    EXPECT_NE(thread->m_nThreadID, 0u);
}

TEST(AfxBeginThread, WaitForEndTimesOutWhileTheFunctionRuns) {
    Shared shared;
    auto thread = AfxBeginThread(&WaitForRelease, &shared);
    ASSERT_NE(thread, nullptr);
    DWORD start = ::GetTickCount();
    EXPECT_FALSE(thread->WaitForEnd(100));
    EXPECT_GE(::GetTickCount() - start, 90u);
    DWORD code = 0;
    EXPECT_FALSE(thread->GetExitCode(code));
    ::SetEvent(shared.release.get());
    EXPECT_TRUE(thread->WaitForEnd(5000));
    thread->Join();  // after the end, joining returns at once, and again
    thread->Join();
    EXPECT_EQ(shared.runs, 1);
}

TEST(AfxBeginThread, TheOwnerJoinsWhenItGoes) {
    Shared shared;
    {
        auto thread = AfxBeginThread(&SleepThenCount, &shared);
        ASSERT_NE(thread, nullptr);
    }
    EXPECT_EQ(shared.runs, 1);
}

TEST(AfxBeginThread, StartsAtTheGivenPriority) {
    Shared shared;
    auto normal = AfxBeginThread(&WaitForRelease, &shared);
    auto low = AfxBeginThread(&WaitForRelease, &shared, THREAD_PRIORITY_BELOW_NORMAL);
    ASSERT_NE(normal, nullptr);
    ASSERT_NE(low, nullptr);
    EXPECT_EQ(normal->GetThreadPriority(), THREAD_PRIORITY_NORMAL);
    EXPECT_EQ(low->GetThreadPriority(), THREAD_PRIORITY_BELOW_NORMAL);
    ::SetEvent(shared.release.get());
}

TEST(AfxBeginThread, CreateSuspendedWaitsForResume) {
    Shared shared;
    auto thread =
        AfxBeginThread(&CountAndReturn, &shared, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_NE(thread, nullptr);
    EXPECT_FALSE(thread->WaitForEnd(100));
    EXPECT_EQ(shared.runs, 0);
    thread->ResumeThread();
    EXPECT_TRUE(thread->WaitForEnd(5000));
    EXPECT_EQ(shared.runs, 1);
}

// A thread let go by its owner may hold the last owner of its own object.
struct OwnObject {
    std::unique_ptr<CWinThread> thread;
    mirl::unique_handle dropped{::CreateEventA(nullptr, TRUE, FALSE, nullptr)};
};

UINT __cdecl DropOwnObject(LPVOID param) {
    auto* own = static_cast<OwnObject*>(param);
    own->thread.reset();  // would wait for its own end, for ever
    ::SetEvent(own->dropped.get());
    return 0;
}

TEST(AfxBeginThread, TheThreadCanDestroyItsOwnObject) {
    OwnObject own;
    own.thread = AfxBeginThread(&DropOwnObject, &own, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_NE(own.thread, nullptr);
    const HANDLE handle = own.thread->GetThreadHandle();
    ::ResumeThread(handle);  // from here on the object is the thread's
    EXPECT_EQ(::WaitForSingleObject(own.dropped.get(), 5000), WAIT_OBJECT_0);
}

TEST(AfxBeginThread, NoFunctionNoThread) {
    EXPECT_EQ(AfxBeginThread(nullptr, nullptr), nullptr);
}

}  // namespace

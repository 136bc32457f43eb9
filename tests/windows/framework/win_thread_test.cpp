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
    EXPECT_TRUE(::GetExitCodeThread(thread->GetThreadHandle(), &code));
    EXPECT_EQ(code, 42u);
    EXPECT_EQ(::GetThreadPriority(thread->GetThreadHandle()), THREAD_PRIORITY_NORMAL);
}

TEST(AfxBeginThread, WaitForEndTimesOutWhileTheFunctionRuns) {
    Shared shared;
    auto thread = AfxBeginThread(&WaitForRelease, &shared);
    ASSERT_NE(thread, nullptr);
    DWORD start = ::GetTickCount();
    EXPECT_FALSE(thread->WaitForEnd(100));
    EXPECT_GE(::GetTickCount() - start, 90u);
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

TEST(AfxBeginThread, NoFunctionNoThread) {
    EXPECT_EQ(AfxBeginThread(nullptr, nullptr), nullptr);
}

}  // namespace

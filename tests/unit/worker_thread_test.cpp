// The host's worker thread: its end as WaitForEnd reports it, and a thread let go while it runs.
#include "worker_thread.h"

#include <gtest/gtest.h>

#include <future>

namespace mirl {
namespace {

using namespace std::chrono_literals;

TEST(StdWorkerThreadTest, WaitForEndTellsWhetherTheBodyHasReturned) {
    std::promise<void> release;
    auto thread = StartStdThread([released = release.get_future().share()] { released.wait(); });
    ASSERT_NE(thread, nullptr);
    EXPECT_FALSE(thread->WaitForEnd(20ms));
    release.set_value();
    EXPECT_TRUE(thread->WaitForEnd(10s));
    EXPECT_TRUE(thread->WaitForEnd(0ms));
}

TEST(StdWorkerThreadTest, OneLetGoWhileRunningStillRunsToItsEnd) {
    std::promise<void> release;
    // The thread's own, since it outlives its owner.
    const auto ended = std::make_shared<std::promise<void>>();
    auto hasEnded = ended->get_future();
    StartStdThread([released = release.get_future().share(), ended] {
        released.wait();
        ended->set_value();
    });  // the owner goes at once, without waiting
    release.set_value();
    EXPECT_EQ(hasEnded.wait_for(10s), std::future_status::ready);
}

}  // namespace
}  // namespace mirl

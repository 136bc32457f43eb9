// The host's worker thread: its end as WaitForEnd reports it, and its owner's join.
#include "worker_thread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <thread>

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

TEST(StdWorkerThreadTest, TheOwnerJoinsWhenItGoes) {
    std::atomic<bool> ended{false};
    StartStdThread([&ended] {
        std::this_thread::sleep_for(20ms);  // still running when its owner goes
        ended = true;
    });
    EXPECT_TRUE(ended);
}

}  // namespace
}  // namespace mirl

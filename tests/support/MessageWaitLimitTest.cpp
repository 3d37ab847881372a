#include "tests/support/MessageWaitLimit.h"

#include "platform/core/MessageLoop.h"

#include <gtest/gtest-spi.h>

#include <chrono>
#include <thread>

namespace {

using namespace std::chrono_literals;

TEST(MessageWaitLimitTest, EndsAGetMessageThatNothingWakesAndReportsIt) {
    MSG msg;
    PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE); // the thread's queue exists before the wait
    EXPECT_NONFATAL_FAILURE_ON_ALL_THREADS(
        {
            CMessageWaitLimit limit(50ms);
            EXPECT_EQ(GetMessage(&msg, nullptr, 0, 0), 0);
        },
        "still waiting for messages after 50 ms");
}

TEST(MessageWaitLimitTest, TakesBackTheQuitThatNoWaitUsed) {
    MSG msg;
    PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE);
    EXPECT_NONFATAL_FAILURE_ON_ALL_THREADS(
        {
            CMessageWaitLimit limit(20ms);
            // However late the watchdog runs on a busy machine, its quit is queued before the
            // limit goes (and takes it back).
            const auto deadline = std::chrono::steady_clock::now() + 5s;
            MSG pending;
            while (!PeekMessage(&pending, nullptr, 0, 0, PM_NOREMOVE) &&
                   std::chrono::steady_clock::now() < deadline) {
                std::this_thread::sleep_for(1ms);
            }
        },
        "still waiting for messages after 20 ms");
    EXPECT_FALSE(PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE));
}

TEST(MessageWaitLimitTest, DestroyedInTimeItLeavesTheQueueAlone) {
    { CMessageWaitLimit limit(5s); }
    std::this_thread::sleep_for(60ms);
    MSG msg;
    EXPECT_FALSE(PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE));
}

} // namespace

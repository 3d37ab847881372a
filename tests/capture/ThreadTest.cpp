#include "capture/Thread.h"

#include "tests/support/WaitUntil.h"

#include <gtest/gtest.h>

#include <chrono>

namespace {

// Runs until its started flag is cleared, then lingers a little, as a capture thread finishing
// its last frame does; notes whether two runs ever overlapped.
class CCountingThread : public CThread {
public:
    ~CCountingThread() override {
        ClearStarted();
        Join();
    }
    void run() override {
        if (m_active.fetch_add(1) != 0) {
            overlapped.store(true);
        }
        runs.fetch_add(1);
        while (IsStarted()) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(lingerMs.load()));
        m_active.fetch_sub(1);
    }
    std::atomic<int> lingerMs{50};
    std::atomic<int> runs{0};
    std::atomic<bool> overlapped{false};

private:
    std::atomic<int> m_active{0};
};

} // namespace

TEST(Thread, StartWhileStartedLeavesTheRunningThreadAlone) {
    CCountingThread thread;
    EXPECT_FALSE(thread.IsStarted());
    ASSERT_TRUE(thread.Start());
    EXPECT_TRUE(thread.IsStarted());
    EXPECT_TRUE(thread.Start());
    thread.ClearStarted();
    thread.Join();
    EXPECT_EQ(thread.runs.load(), 1);
    EXPECT_FALSE(thread.IsRunning());
}

TEST(Thread, StartAfterTheFlagWasClearedRunsAFreshThreadOnlyAfterThePreviousRunEnded) {
    CCountingThread thread;
    ASSERT_TRUE(thread.Start());
    ASSERT_TRUE(WaitUntil([&] { return thread.runs.load() > 0; }, kWaitLimit));
    thread.ClearStarted();
    // The first run is still lingering; the second start is run when it has returned.
    ASSERT_TRUE(thread.Start());
    EXPECT_TRUE(thread.IsRunning());
    ASSERT_TRUE(WaitUntil([&] { return thread.runs.load() == 2; }, kWaitLimit));
    EXPECT_TRUE(thread.IsStarted());
    thread.ClearStarted();
    thread.Join();
    EXPECT_EQ(thread.runs.load(), 2);
    EXPECT_FALSE(thread.overlapped.load());
}

TEST(Thread, StartBehindARunThatIsStillFinishingReturnsAtOnce) {
    CCountingThread thread;
    thread.lingerMs.store(1500);
    ASSERT_TRUE(thread.Start());
    ASSERT_TRUE(WaitUntil([&] { return thread.runs.load() > 0; }, kWaitLimit));
    thread.ClearStarted();

    const auto before = std::chrono::steady_clock::now();
    ASSERT_TRUE(thread.Start());
    EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::milliseconds(200));
    EXPECT_FALSE(thread.IsStarted()); // the lingering run must not take the flag for its own
    EXPECT_EQ(thread.runs.load(), 1);

    ASSERT_TRUE(WaitUntil([&] { return thread.runs.load() == 2; }, kWaitLimit));
    EXPECT_TRUE(thread.IsStarted());
    thread.lingerMs.store(0);
    thread.ClearStarted();
    thread.Join();
    EXPECT_FALSE(thread.overlapped.load());
    EXPECT_FALSE(thread.IsRunning());
}

TEST(Thread, ClearingTheFlagWithdrawsAStartThatWaitsForThePreviousRun) {
    CCountingThread thread;
    thread.lingerMs.store(300);
    ASSERT_TRUE(thread.Start());
    ASSERT_TRUE(WaitUntil([&] { return thread.runs.load() > 0; }, kWaitLimit));
    thread.ClearStarted();
    ASSERT_TRUE(thread.Start());
    thread.ClearStarted();
    ASSERT_TRUE(WaitUntil([&] { return !thread.IsRunning(); }, kWaitLimit));
    thread.Join();
    EXPECT_EQ(thread.runs.load(), 1);
}

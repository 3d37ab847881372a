#include "tests/support/WaitUntil.h"

#include "tests/support/TestWindow.h"
#include "tests/support/WindowOwner.h"

#include <gmock/gmock.h>

#include <atomic>
#include <thread>

namespace {

using namespace std::chrono_literals;

TEST(WaitUntilTest, FailsOnceItsTimeHasPassedAndSaysHowLongItWaited) {
    const auto start = std::chrono::steady_clock::now();
    const testing::AssertionResult result = WaitUntil([] { return false; }, 50ms);
    const auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_FALSE(result);
    EXPECT_THAT(result.message(), testing::HasSubstr("50 ms"));
    EXPECT_GE(waited, 50ms);
    EXPECT_LT(waited, kWaitLimit);
}

TEST(WaitUntilTest, SucceedsAsSoonAsAnotherThreadIsDone) {
    std::atomic<bool> done{false};
    std::thread other([&] {
        std::this_thread::sleep_for(20ms);
        done = true;
    });
    EXPECT_TRUE(WaitUntil([&] { return done.load(); }, kWaitLimit));
    other.join();
}

TEST(WaitUntilTest, DispatchesTheThreadsMessagesOnlyWhenAskedTo) {
    bool handled = false;
    CWindowOwner window(CreateTestWindow({[&](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
                                             handled |= m == WM_USER;
                                             return DefWindowProc(h, m, w, l);
                                         }},
                                         WS_POPUP, {0, 0, 1, 1}));
    PostMessage(window, WM_USER, 0, 0);
    EXPECT_FALSE(WaitUntil([&] { return handled; }, 20ms));
    EXPECT_TRUE(WaitUntil([&] { return handled; }, kWaitLimit, WaitMode::PumpMessages));
}

} // namespace

#include "app/SentMessageWait.h"

#include "platform/core/MessageLoop.h"
#include "platform/core/Window.h"
#include "tests/support/TestWindow.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

using namespace std::chrono_literals;

TEST(SentMessageWait, HandlesMessagesSentFromAnotherThreadUntilDone) {
    std::atomic<int> handled{0};
    CTestWindowSetup setup;
    setup.handler = [&](HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) -> LRESULT {
        if (msg == WM_NULL) {
            return ++handled;
        }
        return DefWindowProc(hwnd, msg, wParam, lParam);
    };
    const HWND window = CreateTestWindow(setup, WS_POPUP, {0, 0, 10, 10});
    std::atomic<bool> done{false};
    // Each send waits until this thread has handled it.
    std::thread sender([&] {
        for (int i = 0; i < 3; ++i) {
            SendMessage(window, WM_NULL, 0, 0);
        }
        std::this_thread::sleep_for(50ms);
        done.store(true);
    });
    const auto start = std::chrono::steady_clock::now();
    // Without bound: it ends when done, not at once.
    EXPECT_TRUE(
        WaitHandlingSentMessages([&] { return done.load(); }, std::chrono::milliseconds::max()));
    EXPECT_GE(std::chrono::steady_clock::now() - start, 50ms);
    sender.join();
    EXPECT_EQ(handled.load(), 3);
    DestroyWindow(window);
}

TEST(SentMessageWait, GivesUpAfterItsTimeout) {
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(WaitHandlingSentMessages([] { return false; }, 100ms));
    const auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_GE(waited, 100ms);
    EXPECT_LT(waited, 2s);
    EXPECT_TRUE(WaitHandlingSentMessages([] { return true; }, 0ms));
}

// Painting, timers and nested message loops.
#include "tests/support/MessageWaitLimit.h"
#include "tests/support/TestWindow.h"
#include "tests/support/WindowOwner.h"

#include "platform/core/Paint.h"
#include "platform/core/Timer.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

constexpr DWORD kShownPopup = WS_POPUP | WS_VISIBLE;

Handler Painter(std::vector<RECT>* painted) {
    return [painted](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
        if (m == WM_PAINT) {
            PAINTSTRUCT ps;
            BeginPaint(h, &ps);
            painted->push_back(ps.rcPaint);
            EndPaint(h, &ps);
            return 0;
        }
        return DefWindowProc(h, m, w, l);
    };
}

TEST(PaintTest, ManyInvalidationsMakeOnePaintAfterPostedMessages) {
    std::vector<RECT> painted;
    CMessageLog log;
    CWindowOwner hwnd(CreateTestWindow({Painter(&painted), &log}, kShownPopup, {0, 0, 100, 100}));
    Pump();
    painted.clear();
    log.Clear();
    RECT a{10, 10, 20, 20}, b{30, 5, 40, 15};
    InvalidateRect(hwnd, &a, false);
    PostMessage(hwnd, WM_USER, 0, 0);
    InvalidateRect(hwnd, &b, false);
    InvalidateRect(hwnd, &a, false);
    Pump();
    EXPECT_EQ(log.Only({WM_USER, WM_PAINT}),
              (std::vector<std::pair<HWND, UINT>>{{hwnd, WM_USER}, {hwnd, WM_PAINT}}));
    ASSERT_EQ(painted.size(), 1u);
    EXPECT_EQ(painted[0], (RECT{10, 5, 40, 20}));
    EXPECT_FALSE(GetUpdateRect(hwnd, nullptr));
}

TEST(PaintTest, ParentsPaintBeforeChildrenAndHiddenWindowsWait) {
    CMessageLog log;
    CWindowOwner top(CreateTestWindow({nullptr, &log}, kShownPopup, {0, 0, 100, 100}));
    HWND child = CreateTestWindow({nullptr, &log}, WS_CHILD | WS_VISIBLE, {50, 50, 80, 80}, top);
    Pump();
    log.Clear();
    RECT overChild{40, 40, 60, 60};
    InvalidateRect(top, &overChild, false);
    EXPECT_EQ(GetUpdateRegion(child), CRegion({0, 0, 10, 10}));
    Pump();
    EXPECT_EQ(log.Only({WM_PAINT}),
              (std::vector<std::pair<HWND, UINT>>{{top, WM_PAINT}, {child, WM_PAINT}}));

    ShowWindow(top, SW_HIDE);
    log.Clear();
    InvalidateRect(top, nullptr, false);
    Pump();
    EXPECT_EQ(log.Count(WM_PAINT), 0);
    ShowWindow(top, SW_SHOW);
    Pump();
    EXPECT_EQ(log.Count(WM_PAINT, top), 1);
}

TEST(PaintTest, VisibleRegionExcludesClippedChildrenAndTheParentEdge) {
    CWindowOwner top(CreateTestWindow({}, kShownPopup | WS_CLIPCHILDREN, {0, 0, 100, 100}));
    HWND child = CreateTestWindow({}, WS_CHILD | WS_VISIBLE, {90, 90, 120, 120}, top);
    EXPECT_EQ(GetVisibleRegion(child), CRegion({0, 0, 10, 10}));
    CRegion topVisible = GetVisibleRegion(top);
    EXPECT_FALSE(topVisible.Contains({95, 95}));
    EXPECT_TRUE(topVisible.Contains({89, 95}));
}

TEST(PaintTest, InvalidationFromAnotherThreadWakesTheOwner) {
    std::vector<RECT> painted;
    CWindowOwner hwnd(CreateTestWindow({Painter(&painted)}, kShownPopup, {0, 0, 10, 10}));
    Pump();
    painted.clear();
    std::thread other([hwnd = hwnd.Get()] { InvalidateRect(hwnd, nullptr, false); });
    CMessageWaitLimit limit;
    MSG msg;
    ASSERT_EQ(GetMessage(&msg, nullptr, 0, 0), 1);
    EXPECT_EQ(msg.message, UINT(WM_PAINT));
    DispatchMessage(&msg);
    other.join();
    EXPECT_EQ(painted.size(), 1u);
}

TEST(TimerTest, WindowTimersFollowPostedMessagesAndDoNotPileUp) {
    CMessageLog log;
    CWindowOwner hwnd(CreateTestWindow({nullptr, &log}, WS_POPUP, {0, 0, 1, 1}));
    EXPECT_EQ(SetTimer(hwnd, 1003, 5, nullptr), 1003u);
    std::this_thread::sleep_for(std::chrono::milliseconds(30)); // several periods pass
    PostMessage(hwnd, WM_USER, 0, 0);
    Pump();
    EXPECT_EQ(log.Only({WM_USER, WM_TIMER}),
              (std::vector<std::pair<HWND, UINT>>{{hwnd, WM_USER}, {hwnd, WM_TIMER}}));
    EXPECT_TRUE(KillTimer(hwnd, 1003));
    EXPECT_FALSE(KillTimer(hwnd, 1003));
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    log.Clear();
    Pump();
    EXPECT_EQ(log.Count(WM_TIMER), 0);
}

int g_threadTimerCalls = 0;
void CountTick(HWND, UINT, UINT_PTR, DWORD) {
    ++g_threadTimerCalls;
}

TEST(TimerTest, ThreadTimerCallsItsCallbackFromGetMessage) {
    g_threadTimerCalls = 0;
    const UINT_PTR id = SetTimer(nullptr, 0, 2, CountTick);
    ASSERT_NE(id, 0u);
    CMessageWaitLimit limit;
    MSG msg;
    while (g_threadTimerCalls < 3 && GetMessage(&msg, nullptr, 0, 0)) { // blocks until it is due
        DispatchMessage(&msg);
    }
    EXPECT_TRUE(KillTimer(nullptr, id));
}

TEST(TimerTest, DestroyingTheWindowStopsItsTimers) {
    HWND hwnd = CreateTestWindow({}, WS_POPUP, {0, 0, 1, 1});
    SetTimer(hwnd, 1, 1, nullptr);
    DestroyWindow(hwnd);
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    MSG msg;
    EXPECT_FALSE(PeekMessage(&msg, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE));
}

TEST(ModalLoopTest, EndsOnItsWakeUpAndLeavesQuitForTheOuterLoop) {
    // A handler runs a modal loop; another thread ends it with a flag and a WM_NULL.
    CMessageWaitLimit limit;
    std::atomic<bool> ended{false};
    bool modalFinished = false;
    std::thread waker;
    Handler h = [&](HWND hw, UINT m, WPARAM w, LPARAM l) -> LRESULT {
        if (m == WM_USER) {
            waker = std::thread([&, hw] {
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
                ended = true;
                PostMessage(hw, WM_NULL, 0, 0);
            });
            modalFinished = RunModalLoop([&] { return ended.load(); });
            return 0;
        }
        return DefWindowProc(hw, m, w, l);
    };
    CWindowOwner hwnd(CreateTestWindow({h}, WS_POPUP, {0, 0, 1, 1}));
    PostMessage(hwnd, WM_USER, 0, 0);
    MSG msg;
    ASSERT_EQ(GetMessage(&msg, nullptr, 0, 0), 1);
    DispatchMessage(&msg);
    waker.join();
    EXPECT_TRUE(modalFinished);

    // A quit inside the modal loop ends it and is seen again by the outer loop.
    ended = false;
    Handler quitter = [&](HWND hw, UINT m, WPARAM w, LPARAM l) -> LRESULT {
        if (m == WM_USER) {
            PostQuitMessage(9);
            modalFinished = RunModalLoop([&] { return ended.load(); });
            return 0;
        }
        return DefWindowProc(hw, m, w, l);
    };
    CWindowOwner second(CreateTestWindow({quitter}, WS_POPUP, {0, 0, 1, 1}));
    PostMessage(second, WM_USER, 0, 0);
    while (GetMessage(&msg, nullptr, 0, 0)) {
        DispatchMessage(&msg);
    }
    EXPECT_FALSE(modalFinished);
    EXPECT_EQ(msg.wParam, 9u);
}

} // namespace

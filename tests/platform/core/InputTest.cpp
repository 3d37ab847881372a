// Mouse and keyboard routing on the headless screen.
#include "tests/support/TestWindow.h"

#include "platform/core/Input.h"
#include "platform/core/headless/HeadlessScreen.h"

#include <gtest/gtest.h>

namespace {

using Seen = std::vector<std::pair<HWND, UINT>>;

class InputTest : public ::testing::Test {
protected:
    void SetUp() override {
        top = CreateTestWindow({nullptr, &log}, WS_POPUP | WS_VISIBLE, {100, 100, 300, 300});
        left = CreateTestWindow({nullptr, &log}, WS_CHILD | WS_VISIBLE, {0, 0, 100, 200}, top, 1);
        inner = CreateTestWindow({nullptr, &log}, WS_CHILD | WS_VISIBLE, {10, 10, 50, 50}, left, 2);
        right =
            CreateTestWindow({nullptr, &log}, WS_CHILD | WS_VISIBLE, {100, 0, 200, 200}, top, 3);
        headless::MoveMouse(0, 0);
        Pump();
        log.Clear();
    }
    void TearDown() override {
        DestroyWindow(top);
        Pump();
    }

    CMessageLog log;
    HWND top = nullptr, left = nullptr, inner = nullptr, right = nullptr;
};

TEST_F(InputTest, MouseGoesToTheDeepestVisibleEnabledWindowInClientCoordinates) {
    headless::MoveMouse(125, 130);
    Pump();
    auto entries = log.Entries();
    ASSERT_FALSE(entries.empty());
    EXPECT_EQ(log.Only({WM_SETCURSOR, WM_MOUSEMOVE}), (Seen{{inner, WM_SETCURSOR},
                                                            {left, WM_SETCURSOR},
                                                            {top, WM_SETCURSOR},
                                                            {inner, WM_MOUSEMOVE}}));
    EXPECT_EQ(entries.back().lParam, MAKELPARAM(15, 20));

    log.Clear();
    EnableWindow(inner, false);
    headless::MoveMouse(126, 130);
    Pump();
    EXPECT_EQ(log.Count(WM_MOUSEMOVE, left), 1); // the disabled child passes it to its parent

    log.Clear();
    ShowWindow(left, SW_HIDE);
    headless::MoveMouse(126, 130);
    Pump();
    EXPECT_EQ(log.Count(WM_MOUSEMOVE, top), 1);

    log.Clear();
    EnableWindow(top, false); // a disabled top-level gets no input at all
    headless::Click(250, 150);
    Pump();
    EXPECT_EQ(log.Only({WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP}), Seen{});
}

TEST_F(InputTest, CaptureHolderGetsTheMouseEverywhereUntilReleased) {
    SetCapture(left);
    headless::MoveMouse(250, 150); // over `right`
    headless::PressButton();
    headless::ReleaseButton();
    Pump();
    EXPECT_EQ(log.Only({WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP}),
              (Seen{{left, WM_MOUSEMOVE}, {left, WM_LBUTTONDOWN}, {left, WM_LBUTTONUP}}));
    auto entries = log.Entries();
    EXPECT_EQ(entries.back().lParam, MAKELPARAM(150, 50));

    log.Clear();
    SetCapture(right);
    EXPECT_EQ(log.Only({WM_CAPTURECHANGED}), (Seen{{left, WM_CAPTURECHANGED}}));
    ReleaseCapture();
    EXPECT_EQ(GetCapture(), nullptr);
    log.Clear();
    headless::MoveMouse(120, 250);
    Pump();
    EXPECT_EQ(log.Count(WM_MOUSEMOVE, left), 1);
}

TEST_F(InputTest, LeaveTrackingReportsOnceWhenThePointerMovesOff) {
    headless::MoveMouse(150, 250); // over `left`, below `inner`
    TRACKMOUSEEVENT tme;
    tme.dwFlags = TME_LEAVE;
    tme.hwndTrack = left;
    EXPECT_TRUE(TrackMouseEvent(&tme));
    headless::MoveMouse(155, 250);
    Pump();
    EXPECT_EQ(log.Count(WM_MOUSELEAVE), 0);
    headless::MoveMouse(120, 120); // onto the child: `left` no longer gets the mouse
    headless::MoveMouse(250, 250);
    Pump();
    EXPECT_EQ(log.Only({WM_MOUSELEAVE}), (Seen{{left, WM_MOUSELEAVE}}));

    // Asking while the pointer is elsewhere reports the leave at once.
    log.Clear();
    TrackMouseEvent(&tme);
    Pump();
    EXPECT_EQ(log.Only({WM_MOUSELEAVE}), (Seen{{left, WM_MOUSELEAVE}}));
}

TEST_F(InputTest, DoubleClickNeedsTheClassStyleAndAClosePair) {
    headless::DoubleClick(250, 250);
    Pump();
    EXPECT_EQ(log.Only({WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK}),
              (Seen{{right, WM_LBUTTONDOWN},
                    {right, WM_LBUTTONUP},
                    {right, WM_LBUTTONDBLCLK},
                    {right, WM_LBUTTONUP}}));
    log.Clear();
    headless::Click(250, 250);
    Pump();
    EXPECT_EQ(log.Count(WM_LBUTTONDOWN), 1); // a third press starts a new pair
    log.Clear();
    headless::Click(200 + 50, 260); // too far from the previous press
    Pump();
    EXPECT_EQ(log.Count(WM_LBUTTONDBLCLK), 0);
}

TEST_F(InputTest, KeysGoToTheFocusWindowAndTranslateToCharacters) {
    SetFocus(inner); // showing the top-level activated it and gave it the focus
    EXPECT_EQ(log.Only({WM_KILLFOCUS, WM_SETFOCUS}),
              (Seen{{top, WM_KILLFOCUS}, {inner, WM_SETFOCUS}}));
    log.Clear();
    SetFocus(right);
    EXPECT_EQ(log.Only({WM_KILLFOCUS, WM_SETFOCUS}),
              (Seen{{inner, WM_KILLFOCUS}, {right, WM_SETFOCUS}}));
    log.Clear();
    headless::TypeText(L"a中");
    headless::TapKey(VK_RETURN);
    Pump();
    std::vector<WPARAM> chars;
    for (auto& e : log.Entries()) {
        if (e.msg == WM_CHAR) {
            EXPECT_EQ(e.hwnd, right);
            chars.push_back(e.wParam);
        }
    }
    EXPECT_EQ(chars, (std::vector<WPARAM>{L'a', L'中', L'\r'}));
    EXPECT_EQ(log.Only({WM_KEYDOWN, WM_CHAR, WM_KEYUP}).size(), 9u);
    auto seq = log.Only({WM_KEYDOWN, WM_CHAR, WM_KEYUP});
    EXPECT_EQ(seq[0].second, UINT(WM_KEYDOWN));
    EXPECT_EQ(seq[1].second, UINT(WM_CHAR)); // the character comes before the release
    EXPECT_EQ(seq[2].second, UINT(WM_KEYUP));

    // The key state follows the messages as they are retrieved, not the input as it arrives.
    headless::PressKey(VK_SHIFT);
    headless::ReleaseKey(VK_SHIFT);
    MSG msg;
    ASSERT_TRUE(PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_LT(GetKeyState(int(VK_SHIFT)), 0);
    ASSERT_TRUE(PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(GetKeyState(int(VK_SHIFT)), 0);
}

TEST_F(InputTest, DestroyingTheFocusOrCaptureWindowClearsThem) {
    SetFocus(inner);
    SetCapture(inner);
    DestroyWindow(left);
    EXPECT_EQ(GetFocus(), top); // hiding the dying window passed the focus to its parent
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_FALSE(IsWindow(inner));
}

TEST_F(InputTest, ClassCursorIsSetBeforeMoves) {
    WNDCLASS wc;
    wc.lpfnWndProc = DefWindowProc;
    wc.hCursor = IDC_HAND;
    wc.lpszClassName = L"HandCursorTest";
    RegisterClass(wc);
    HWND hand = CreateWindowEx(0, L"HandCursorTest", L"", WS_CHILD | WS_VISIBLE, 0, 0, 20, 20,
                               right, 9, nullptr);
    headless::MoveMouse(205, 105);
    Pump();
    EXPECT_EQ(GetCursor(), IDC_HAND);
    headless::MoveMouse(250, 250);
    Pump();
    EXPECT_EQ(GetCursor(), IDC_ARROW);
    DestroyWindow(hand);
}

} // namespace

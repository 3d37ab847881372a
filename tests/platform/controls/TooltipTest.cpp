#include "tests/support/TestWindow.h"
#include "tests/support/WaitUntil.h"
#include "tests/support/WindowOwner.h"

#include "platform/controls/Tooltip.h"
#include "platform/core/Input.h"
#include "platform/core/PaintDC.h"
#include "platform/core/Screenshot.h"
#include "platform/core/Timer.h"
#include "platform/core/headless/HeadlessScreen.h"
#include "platform/draw/Gdi.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <iterator>

namespace {

constexpr UINT kTestHoverMs = 40;
const RECT kOwnerRect{100, 100, 400, 300};
const RECT kWorkArea{0, 0, 1280, 760}; // the headless screen's

using namespace std::chrono_literals;

// How wide and tall the tip for `text` is: its text in the default GUI font, wrapped at 300
// pixels, with a 4 x 2 pixel inset inside a one-pixel frame.
SIZE ExpectedTipSize(const WString& text) {
    CMemoryDC dc;
    SelectObject(dc, static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
    RECT r{0, 0, 300, 0};
    DrawText(dc, text, &r, DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS | DT_CALCRECT);
    return {r.Width() + 10, r.Height() + 6};
}

// An owner window with one tool (the whole window, callback or given text) that relays its
// mouse messages as the dialog view does, and answers text callbacks with `callbackText`.
class TooltipTest : public ::testing::Test {
protected:
    void SetUp() override {
        headless::MoveMouse(5, 5); // away from every window
        Pump();
        callbackAsks = 0;
        CTestWindowSetup setup;
        setup.handler = [this](HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) -> LRESULT {
            const bool relayed = (msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST) ||
                                 (msg == WM_MOUSELEAVE && relayLeave);
            if (relayed && tooltip) {
                Relay(hwnd, msg, wParam, lParam);
            }
            if (msg == WM_MOUSEMOVE) {
                TRACKMOUSEEVENT track{TME_LEAVE, hwnd, 0};
                TrackMouseEvent(&track);
            }
            if (msg == WM_NOTIFY) {
                auto* info = reinterpret_cast<NMTTDISPINFO*>(lParam);
                if (info->hdr.code == TTN_GETDISPINFOW) {
                    ++callbackAsks;
                    askedId = info->hdr.idFrom;
                    askedFrom = info->hdr.hwndFrom;
                    if (destroyInCallback) {
                        DestroyWindow(tooltip);
                        return 0;
                    }
                    if (answerInBuffer) {
                        callbackText.copy(info->szText, std::size(info->szText) - 1);
                    } else {
                        info->lpszText = callbackText.c_str();
                    }
                }
                return 0;
            }
            return DefWindowProc(hwnd, msg, wParam, lParam);
        };
        owner = CreateTestWindow(setup, WS_POPUP | WS_VISIBLE, kOwnerRect);
        other = CreateTestWindow({}, WS_POPUP | WS_VISIBLE, {500, 100, 700, 300});
        SetForegroundWindow(owner);
        SetFocus(owner);
        // As the dialog view makes it: no styles of its own, a plain window as its parent.
        tooltip = CreateWindowEx(0, TOOLTIPS_CLASS, L"", 0, 0, 0, 0, 0, owner, 0, nullptr);
        ASSERT_NE(tooltip, nullptr);
        SendMessage(tooltip, TTM_SETDELAYTIME, TTDT_INITIAL, kTestHoverMs);
        SendMessage(tooltip, TTM_ACTIVATE, 1, 0);
    }
    void TearDown() override {
        DestroyWindow(tooltip);
        DestroyWindow(owner);
        DestroyWindow(other);
        Pump();
    }

    // As the dialog view relays: the message without its time and point.
    void Relay(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        MSG m;
        m.hwnd = hwnd;
        m.message = msg;
        m.wParam = wParam;
        m.lParam = lParam;
        SendMessage(tooltip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&m));
    }
    bool AddTool(const wchar_t* text, UINT flags = TTF_IDISHWND) {
        TOOLINFO info;
        info.cbSize = sizeof(info);
        info.uFlags = flags;
        info.hwnd = owner;
        info.uId = reinterpret_cast<UINT_PTR>(owner);
        info.lpszText = text;
        return SendMessage(tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info)) != 0;
    }
    void UpdateText(const wchar_t* text) {
        TOOLINFO info;
        info.cbSize = sizeof(info);
        info.hwnd = owner;
        info.uId = reinterpret_cast<UINT_PTR>(owner);
        info.lpszText = text;
        SendMessage(tooltip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
    }
    bool Shown() const { return IsWindowVisible(tooltip); }
    bool ShowsWithin(UINT ms) {
        return WaitUntil([this] { return Shown(); }, std::chrono::milliseconds(ms),
                         WaitMode::PumpMessages);
    }
    RECT TipRect() const {
        RECT r;
        GetWindowRect(tooltip, &r);
        return r;
    }

    HWND owner = nullptr;
    HWND other = nullptr;
    HWND tooltip = nullptr;
    bool relayLeave = true;
    bool answerInBuffer = false; // the owner fills szText instead of pointing lpszText
    bool destroyInCallback = false;
    WString callbackText;
    int callbackAsks = 0;
    UINT_PTR askedId = 0;
    HWND askedFrom = nullptr;
};

TEST_F(TooltipTest, ShowsAfterTheHoverDelayOnlyForToolsWithText) {
    struct Case {
        const wchar_t* given;
        const wchar_t* callbackAnswer;
        const wchar_t* shown; // null: nothing shows
        bool inBuffer = false;
    };
    const Case cases[] = {
        {L"Start recording", L"", L"Start recording"},
        {LPSTR_TEXTCALLBACKW, L"开始录像 (callback)", L"开始录像 (callback)"},
        {LPSTR_TEXTCALLBACKW, L"In the buffer", L"In the buffer", true},
        {L"", L"", nullptr},
        {nullptr, L"", nullptr},
        {LPSTR_TEXTCALLBACKW, L"", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.shown ? c.shown : L"(nothing)");
        TearDown();
        SetUp();
        ASSERT_TRUE(AddTool(c.given));
        callbackText = c.callbackAnswer;
        answerInBuffer = c.inBuffer;
        const DWORD start = GetTickCount();
        headless::MoveMouse(200, 150);
        if (!c.shown) {
            EXPECT_FALSE(ShowsWithin(5 * kTestHoverMs));
            continue;
        }
        ASSERT_TRUE(ShowsWithin(2000));
        EXPECT_GE(GetTickCount() - start, kTestHoverMs); // not before the delay
        const RECT tip = TipRect();
        const SIZE expected = ExpectedTipSize(c.shown);
        EXPECT_EQ(tip.Width(), expected.cx);
        EXPECT_EQ(tip.Height(), expected.cy);
        EXPECT_GT(tip.left, 200); // below and to the right of the pointer
        EXPECT_GE(tip.top, 150 + 16);
        if (c.given == LPSTR_TEXTCALLBACKW) {
            EXPECT_EQ(callbackAsks, 1);
            EXPECT_EQ(askedFrom, tooltip);
            EXPECT_EQ(askedId, reinterpret_cast<UINT_PTR>(owner));
        }
    }
}

TEST_F(TooltipTest, ShowingNeverTakesTheFocusOrTheActivation) {
    ASSERT_TRUE(AddTool(L"A tip"));
    headless::MoveMouse(200, 150);
    ASSERT_TRUE(ShowsWithin(2000));
    EXPECT_EQ(GetActiveWindow(), owner);
    EXPECT_EQ(GetFocus(), owner);
    const auto exStyle = DWORD(GetWindowLongPtr(tooltip, GWL_EXSTYLE));
    EXPECT_EQ(exStyle & (WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE),
              WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE);
    EXPECT_TRUE(GetWindowLongPtr(tooltip, GWL_STYLE) & WS_POPUP);
    EXPECT_EQ(GetParent(tooltip), owner); // owned, so it goes with its owner
}

TEST_F(TooltipTest, DrawsTheTextOnLightYellowInsideAFrame) {
    ASSERT_TRUE(AddTool(L"Record all cameras"));
    headless::MoveMouse(200, 150);
    ASSERT_TRUE(ShowsWithin(2000));
    Pump();
    const CBitmap* surface = GetWindowSurface(tooltip);
    ASSERT_NE(surface, nullptr);
    auto pixel = [&](int x, int y) {
        return reinterpret_cast<const std::uint32_t*>(surface->Row(y))[x] & 0xFFFFFF;
    };
    const RECT tip = TipRect();
    EXPECT_EQ(pixel(0, 0), 0x000000u);
    EXPECT_EQ(pixel(tip.Width() - 1, tip.Height() - 1), 0x000000u);
    EXPECT_EQ(pixel(2, 2), 0xFFFFE1u); // COLOR_INFOBK as BGRX
    int dark = 0;
    for (int y = 3; y < tip.Height() - 3; ++y) {
        for (int x = 5; x < tip.Width() - 5; ++x) {
            dark += (pixel(x, y) & 0xFF) < 0x80;
        }
    }
    EXPECT_GT(dark, 30); // the text is there
    EXPECT_TRUE(WriteWindowPng(tooltip, ::testing::TempDir() + "tooltip.png"));
}

TEST_F(TooltipTest, LongTextWrapsAtTheMaximumWidth) {
    const WString text = L"The recording folder holds one stream file per camera and session; "
                         L"choose it on the settings tab and press the set-path button.";
    ASSERT_TRUE(AddTool(text.c_str()));
    headless::MoveMouse(200, 150);
    ASSERT_TRUE(ShowsWithin(2000));
    const SIZE oneLine = ExpectedTipSize(L"The");
    EXPECT_LE(TipRect().Width(), 310);
    EXPECT_GT(TipRect().Height(), 2 * (oneLine.cy - 6));
    EXPECT_EQ(TipRect().Height(), ExpectedTipSize(text).cy);
    Pump();
    EXPECT_TRUE(WriteWindowPng(tooltip, ::testing::TempDir() + "tooltip-wrapped.png"));
}

TEST_F(TooltipTest, StaysInsideTheWorkAreaNearItsEdges) {
    SetWindowPos(owner, nullptr, 1000, 600, 280, 160, SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_TRUE(AddTool(L"A tip near the corner of the work area"));
    headless::MoveMouse(1275, 755);
    ASSERT_TRUE(ShowsWithin(2000));
    const RECT tip = TipRect();
    EXPECT_LE(tip.right, kWorkArea.right);
    EXPECT_LE(tip.bottom, 755); // no room below: above the pointer
    EXPECT_GE(tip.left, kWorkArea.left);
}

TEST_F(TooltipTest, HidesOnClickAndStaysHiddenWhileThePointerStaysOnTheTool) {
    ASSERT_TRUE(AddTool(L"A tip"));
    headless::MoveMouse(200, 150);
    ASSERT_TRUE(ShowsWithin(2000));
    headless::Click(200, 150);
    Pump();
    EXPECT_FALSE(Shown());
    headless::MoveMouse(210, 160);
    EXPECT_FALSE(ShowsWithin(5 * kTestHoverMs));
    // Another tool, or coming back, shows it again.
    headless::MoveMouse(600, 150);
    Pump();
    headless::MoveMouse(200, 150);
    EXPECT_TRUE(ShowsWithin(2000));
}

TEST_F(TooltipTest, HidesWhenThePointerLeavesTheTool) {
    for (bool relayLeaveMessage : {true, false}) {
        SCOPED_TRACE(relayLeaveMessage ? "leave relayed" : "leave not relayed");
        TearDown();
        SetUp();
        relayLeave = relayLeaveMessage;
        ASSERT_TRUE(AddTool(L"A tip"));
        headless::MoveMouse(200, 150);
        ASSERT_TRUE(ShowsWithin(2000));
        headless::MoveMouse(600, 150); // onto the other window
        EXPECT_TRUE(WaitUntil([this] { return !Shown(); }, 2000ms, WaitMode::PumpMessages));
        EXPECT_FALSE(ShowsWithin(5 * kTestHoverMs));
    }
}

TEST_F(TooltipTest, HidesBeforeShowingWhenThePointerLeavesDuringTheDelay) {
    ASSERT_TRUE(AddTool(L"A tip"));
    relayLeave = false;
    headless::MoveMouse(200, 150);
    Pump();
    headless::MoveMouse(600, 150);
    EXPECT_FALSE(ShowsWithin(5 * kTestHoverMs));
}

TEST_F(TooltipTest, TipGoesByItselfAfterTenHoverDelays) {
    ASSERT_TRUE(AddTool(L"A tip"));
    headless::MoveMouse(200, 150);
    ASSERT_TRUE(ShowsWithin(2000));
    const DWORD shown = GetTickCount();
    EXPECT_TRUE(WaitUntil([this] { return !Shown(); }, 4000ms, WaitMode::PumpMessages));
    EXPECT_GE(GetTickCount() - shown, 5 * kTestHoverMs); // not at once
    headless::MoveMouse(210, 160);                       // still on the tool: it stays away
    EXPECT_FALSE(ShowsWithin(5 * kTestHoverMs));
}

TEST_F(TooltipTest, UpdatedTextReplacesTheTip) {
    ASSERT_TRUE(AddTool(LPSTR_TEXTCALLBACKW));
    headless::MoveMouse(200, 150);
    EXPECT_FALSE(ShowsWithin(5 * kTestHoverMs)); // the callback answers nothing
    UpdateText(L"Short");
    ASSERT_TRUE(ShowsWithin(2000));
    EXPECT_EQ(TipRect().Width(), ExpectedTipSize(L"Short").cx);

    const WString longer = L"A much longer tip for another element";
    UpdateText(longer.c_str());
    EXPECT_FALSE(Shown()); // the old text goes at once
    ASSERT_TRUE(ShowsWithin(2000));
    EXPECT_EQ(TipRect().Width(), ExpectedTipSize(longer).cx);

    UpdateText(L""); // an element without a tip
    EXPECT_FALSE(Shown());
    EXPECT_FALSE(ShowsWithin(5 * kTestHoverMs));
    EXPECT_EQ(callbackAsks, 1);
}

TEST_F(TooltipTest, InactiveTooltipStaysHidden) {
    ASSERT_TRUE(AddTool(L"A tip"));
    headless::MoveMouse(200, 150);
    ASSERT_TRUE(ShowsWithin(2000));
    SendMessage(tooltip, TTM_ACTIVATE, 0, 0);
    EXPECT_FALSE(Shown());
    headless::MoveMouse(600, 150);
    Pump();
    headless::MoveMouse(200, 150);
    EXPECT_FALSE(ShowsWithin(5 * kTestHoverMs));

    SendMessage(tooltip, TTM_ACTIVATE, 1, 0);
    headless::MoveMouse(600, 150);
    Pump();
    headless::MoveMouse(200, 150);
    EXPECT_TRUE(ShowsWithin(2000));
    SendMessage(tooltip, TTM_POP, 0, 0);
    EXPECT_FALSE(Shown());
}

TEST_F(TooltipTest, AreaToolsOfOneWindowShowTheirOwnTexts) {
    TOOLINFO left;
    left.cbSize = sizeof(left);
    left.hwnd = owner;
    left.uId = 1;
    left.rect = {0, 0, 150, 200};
    left.lpszText = L"Left half";
    TOOLINFO right = left;
    right.uId = 2;
    right.rect = {150, 0, 300, 200};
    right.lpszText = L"The right half of the window";
    ASSERT_TRUE(SendMessage(tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&left)));
    ASSERT_TRUE(SendMessage(tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&right)));
    EXPECT_FALSE(SendMessage(tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&right)));
    TOOLINFO unsized = left;
    unsized.cbSize = 0;
    unsized.uId = 3;
    EXPECT_FALSE(SendMessage(tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&unsized)));

    headless::MoveMouse(150, 150);
    ASSERT_TRUE(ShowsWithin(2000));
    EXPECT_EQ(TipRect().Width(), ExpectedTipSize(L"Left half").cx);
    headless::MoveMouse(350, 150);
    ASSERT_TRUE(
        WaitUntil([&] { return Shown() && TipRect().Width() != ExpectedTipSize(L"Left half").cx; },
                  2000ms, WaitMode::PumpMessages));
    EXPECT_EQ(TipRect().Width(), ExpectedTipSize(L"The right half of the window").cx);
}

TEST_F(TooltipTest, OwnerMayDestroyTheTooltipWhileAnsweringForIt) {
    ASSERT_TRUE(AddTool(LPSTR_TEXTCALLBACKW));
    destroyInCallback = true;
    headless::MoveMouse(200, 150);
    EXPECT_TRUE(WaitUntil([this] { return !IsWindow(tooltip); }, 2000ms, WaitMode::PumpMessages));
    EXPECT_EQ(callbackAsks, 1);
}

TEST(TooltipSubclassTest, SubclassedToolShowsWithoutRelayingAndGetsItsProcedureBack) {
    headless::MoveMouse(5, 5);
    CMessageLog log;
    CWindowOwner owner(CreateTestWindow({nullptr, &log}, WS_POPUP | WS_VISIBLE, kOwnerRect));
    const LPARAM originalProc = GetWindowLongPtr(owner, GWLP_WNDPROC);
    CWindowOwner tooltip(CreateWindowEx(0, TOOLTIPS_CLASS, L"", 0, 0, 0, 0, 0, owner, 0, nullptr));
    SendMessage(tooltip, TTM_SETDELAYTIME, TTDT_AUTOMATIC, kTestHoverMs);
    TOOLINFO info;
    info.cbSize = sizeof(info);
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = owner;
    info.uId = reinterpret_cast<UINT_PTR>(owner.Get());
    info.lpszText = L"Subclassed";
    ASSERT_TRUE(SendMessage(tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info)));
    EXPECT_NE(GetWindowLongPtr(owner, GWLP_WNDPROC), originalProc);

    headless::MoveMouse(200, 150);
    EXPECT_TRUE(
        WaitUntil([&] { return IsWindowVisible(tooltip); }, 2000ms, WaitMode::PumpMessages));
    EXPECT_GT(log.Count(WM_MOUSEMOVE, owner), 0); // the window still gets its messages
    headless::Click(200, 150);
    Pump();
    EXPECT_FALSE(IsWindowVisible(tooltip));

    DestroyWindow(tooltip);
    EXPECT_EQ(GetWindowLongPtr(owner, GWLP_WNDPROC), originalProc);
}

TEST(TooltipSubclassTest, ToolWindowDestroyedBeforeTheTooltipIsHarmless) {
    CWindowOwner owner(CreateTestWindow({}, WS_POPUP | WS_VISIBLE, kOwnerRect));
    CWindowOwner tooltip(
        CreateWindowEx(0, TOOLTIPS_CLASS, L"", 0, 0, 0, 0, 0, nullptr, 0, nullptr));
    TOOLINFO info;
    info.cbSize = sizeof(info);
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = owner;
    info.uId = reinterpret_cast<UINT_PTR>(owner.Get());
    info.lpszText = L"Gone soon";
    ASSERT_TRUE(SendMessage(tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info)));
    headless::MoveMouse(200, 150);
    Pump();
    DestroyWindow(owner);
    EXPECT_FALSE(
        WaitUntil([&] { return IsWindowVisible(tooltip); }, 200ms, WaitMode::PumpMessages));
    EXPECT_TRUE(DestroyWindow(tooltip));
    Pump();
}

} // namespace

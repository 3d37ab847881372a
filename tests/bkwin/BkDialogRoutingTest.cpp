// Messages the dialog view routes: back to the controls that sent them, on to the dialog
// window, the cursor of the element under the mouse, and the tooltip of elements with a tip.
#include "BkTestDialog.h"
#include "BkTestElements.h"

#include "platform/controls/Tooltip.h"
#include "platform/core/Input.h"
#include "platform/core/MessageLoop.h"
#include "platform/core/Window.h"
#include "tests/support/WaitUntil.h"

#include <gtest/gtest.h>

#include <chrono>

namespace {

// A real child window of the view that records what reaches it.
struct ControlLog {
    std::vector<UINT> messages;
    LRESULT ctlColorAnswer = 0;
    LRESULT customDrawAnswer = 0;
};
ControlLog g_control;

LRESULT ControlProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case OCM_BASE + WM_CTLCOLOREDIT:
        g_control.messages.push_back(msg);
        return g_control.ctlColorAnswer;
    case OCM_BASE + WM_NOTIFY:
        g_control.messages.push_back(msg);
        return g_control.customDrawAnswer;
    case WM_SETCURSOR:
        g_control.messages.push_back(msg);
        SetCursor(LoadCursor(IDC_CROSS));
        return 1;
    default:
        return DefWindowProc(hwnd, msg, wParam, lParam);
    }
}

class DialogRoutingTest : public ::testing::Test {
protected:
    void SetUp() override {
        g_control = {};
        RegisterWindowClass(L"BkTestControl", &ControlProc, 0, IDC_ARROW);
        ASSERT_TRUE(dialog.LoadLayout());
        auto* real =
            dialog.view.Section(BkSection::Body).AppendChild(std::make_unique<CTestRealWindow>());
        real->id = 41;
        real->ApplyAttribute("pos", "200,100,240,120", true);
        const RECT place{100, 100, 110, 110};
        hwnd = dialog.CreateDialogWindow(nullptr, &place);
        ASSERT_NE(hwnd, nullptr);
        control = CreateWindowEx(0, L"BkTestControl", L"", WS_CHILD | WS_VISIBLE, 300, 150, 20, 20,
                                 dialog.view.Window(), 41, nullptr);
        ASSERT_NE(control, nullptr);
        ShowWindow(hwnd, SW_SHOW);
        headless::PumpMessages();
    }
    void TearDown() override {
        headless::MoveMouse(1000, 700);
        headless::PumpMessages();
    }

    LRESULT SendToView(UINT msg, WPARAM wParam, LPARAM lParam) {
        return SendMessage(dialog.view.Window(), msg, wParam, lParam);
    }

    HCURSOR CursorAt(int x, int y) {
        MoveTo(hwnd, x, y);
        SetCursor(LoadCursor(IDC_WAIT));
        SendToView(WM_SETCURSOR, WPARAM(dialog.view.Window()), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        return GetCursor();
    }

    CTestDialog dialog{9300};
    HWND hwnd = nullptr;
    HWND control = nullptr;
};

} // namespace

TEST_F(DialogRoutingTest, ColourMessagesAndCustomDrawAreReflectedToTheirControl) {
    g_control.ctlColorAnswer = 0x55;
    EXPECT_EQ(SendToView(WM_CTLCOLOREDIT, 0, LPARAM(control)), 0x55);
    g_control.ctlColorAnswer = 0; // not handled: the default answer
    EXPECT_EQ(SendToView(WM_CTLCOLOREDIT, 0, LPARAM(control)), 0);
    EXPECT_EQ(g_control.messages, (std::vector<UINT>{0x2133, 0x2133}));

    NMHDR customDraw{control, 41, NM_CUSTOMDRAW};
    g_control.customDrawAnswer = 4;
    EXPECT_EQ(SendToView(WM_NOTIFY, 41, LPARAM(&customDraw)), 4);
    EXPECT_TRUE(dialog.notifyRecords.empty());
    // Left at zero by the control, it goes on to the dialog.
    g_control.customDrawAnswer = 0;
    SendToView(WM_NOTIFY, 41, LPARAM(&customDraw));
    EXPECT_EQ(dialog.notifyRecords, (std::vector<LPARAM>{LPARAM(&customDraw)}));
}

TEST_F(DialogRoutingTest, OtherNotificationsAndCommandsGoToTheDialogUnchanged) {
    NMHDR moved{control, VIEW_CTRL_ID, 2};
    SendToView(WM_NOTIFY, VIEW_CTRL_ID, LPARAM(&moved));
    EXPECT_EQ(dialog.notifyRecords, (std::vector<LPARAM>{LPARAM(&moved)}));
    EXPECT_EQ(dialog.viewCodes, (std::vector<UINT>{2}));
    SendToView(WM_COMMAND, 1234, 0);
    EXPECT_EQ(dialog.commands, (std::vector<WPARAM>{1234}));
    EXPECT_TRUE(dialog.clicks.empty());
    SendToView(WM_VSCROLL, 1, LPARAM(control));
    EXPECT_TRUE(g_control.messages.empty());
}

TEST_F(DialogRoutingTest, TheCursorComesFromTheElementUnderTheMouse) {
    dialog.view.FindElement(21)->style.cursor = IDC_HAND;
    EXPECT_EQ(CursorAt(20, 50), LoadCursor(IDC_HAND));
    EXPECT_EQ(CursorAt(120, 50), LoadCursor(IDC_ARROW));
    // A real-window element hands the message to its window.
    EXPECT_EQ(CursorAt(210, 140), LoadCursor(IDC_CROSS));
    ASSERT_FALSE(g_control.messages.empty());
    EXPECT_EQ(g_control.messages.back(), WM_SETCURSOR);
    // A disabled element shows the arrow.
    dialog.view.FindElement(21)->state |= STATE_DISABLED;
    EXPECT_EQ(CursorAt(20, 50), LoadCursor(IDC_ARROW));
    // A resizable dialog's own choice comes first.
    dialog.frameCursor = IDC_SIZEWE;
    EXPECT_EQ(CursorAt(120, 50), LoadCursor(IDC_SIZEWE));
}

TEST_F(DialogRoutingTest, AnElementsTipShowsInTheTooltip) {
    const HWND tooltip = FindWindow(TOOLTIPS_CLASS, nullptr);
    ASSERT_NE(tooltip, nullptr);
    EXPECT_EQ(GetParent(tooltip), hwnd); // owned by the view's top-level window
    SendMessage(tooltip, TTM_SETDELAYTIME, TTDT_INITIAL, 10);
    dialog.view.FindElement(22)->tip = L"A tip";

    const auto hoverAt = [&](int x, int y) {
        MoveTo(hwnd, x, y);
        MoveTo(hwnd, x + 1, y);
        return WaitUntil([&] { return IsWindowVisible(tooltip); }, std::chrono::milliseconds(200),
                         WaitMode::PumpMessages);
    };
    EXPECT_FALSE(hoverAt(20, 50)); // no tip
    EXPECT_TRUE(hoverAt(120, 50));
}

// The view's mouse states at their edges: disabled elements (and elements inside disabled
// containers) are neither hovered, pressed nor clicked, and leaving the view with the button
// held forgets the press.
#include "BkTestDialog.h"

#include "platform/core/Input.h"
#include "platform/core/MessageLoop.h"
#include "platform/core/Window.h"

#include <gtest/gtest.h>

namespace {

// Layout 9300 (350 x 240, header 31): body element 21 at (10, 41, 60, 71), element 22 at
// (100, 41, 150, 71).
class DialogMouseStateTest : public ::testing::Test {
protected:
    void SetUp() override {
        hwnd = dialog.LoadAndShow();
        ASSERT_NE(hwnd, nullptr);
    }
    void TearDown() override {
        headless::MoveMouse(1000, 700);
        headless::PumpMessages();
    }

    CBkWindow& Element(std::int32_t id) { return *dialog.view.FindElement(id); }

    CTestDialog dialog{9300};
    HWND hwnd = nullptr;
};

} // namespace

TEST_F(DialogMouseStateTest, ADisabledElementGetsNoHoverNoPressAndNoClick) {
    // Element 31 sits inside element 22: disabling 22 disables it too.
    ASSERT_TRUE(dialog.view.LoadElementChildren(22, "<dlg id='31' pos='0,0,20,20'/>"));
    struct Case {
        std::int32_t disabled; // the element whose state is set
        std::int32_t target;   // the element under the mouse
        POINT point;
        POINT later; // far enough from `point` for a press not to make a double click
    };
    const Case cases[] = {{21, 21, {20, 50}, {45, 65}}, {22, 31, {103, 44}, {116, 58}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.target);
        Element(c.disabled).ModifyState(STATE_DISABLED, 0);
        MoveTo(hwnd, c.point.x, c.point.y);
        EXPECT_FALSE(Element(c.target).state & STATE_HOVER);
        MoveTo(hwnd, c.point.x, c.point.y);
        headless::PressButton();
        headless::PumpMessages();
        EXPECT_FALSE(Element(c.target).state & STATE_PUSHED);
        EXPECT_EQ(dialog.view.PushedHandle(), 0u);
        headless::ReleaseButton();
        headless::PumpMessages();
        EXPECT_TRUE(dialog.clicks.empty());

        // Enabled again, the same press and release clicks it.
        Element(c.disabled).ModifyState(0, STATE_DISABLED);
        MoveTo(hwnd, 300, 200);
        MoveTo(hwnd, c.point.x, c.point.y);
        EXPECT_TRUE(Element(c.target).state & STATE_HOVER);
        ClickAt(hwnd, c.later.x, c.later.y);
        ASSERT_EQ(dialog.clicks.size(), 1u);
        EXPECT_EQ(dialog.clicks[0].itemId, std::uint32_t(c.target));
        dialog.clicks.clear();
        MoveTo(hwnd, 300, 200);
    }
}

TEST_F(DialogMouseStateTest, LeavingTheViewWithTheButtonHeldForgetsThePress) {
    MoveTo(hwnd, 20, 50);
    headless::PressButton();
    headless::PumpMessages();
    ASSERT_TRUE(Element(21).state & STATE_PUSHED);
    ASSERT_EQ(dialog.view.PushedHandle(), Element(21).handle);

    headless::MoveMouse(1000, 700);
    headless::PumpMessages();
    EXPECT_FALSE(Element(21).state & STATE_PUSHED);
    EXPECT_EQ(dialog.view.PushedHandle(), 0u);
    EXPECT_EQ(dialog.view.HoverHandle(), 0u);
    EXPECT_EQ(dialog.viewCodes.back(), NOTIFY_VIEW_MOUSELEAVE);

    // Back over the element, the release clicks nothing.
    MoveTo(hwnd, 22, 52);
    headless::ReleaseButton();
    headless::PumpMessages();
    EXPECT_TRUE(dialog.clicks.empty());
    EXPECT_FALSE(Element(21).state & STATE_PUSHED);

    // The next whole click works as ever.
    ClickAt(hwnd, 25, 55);
    ASSERT_EQ(dialog.clicks.size(), 1u);
    EXPECT_EQ(dialog.clicks[0].itemId, 21u);
}

// The check box: its glyph in each state, the text beside it, its natural size and the click
// that toggles it through a real dialog view.
#include "BkControlTestSupport.h"
#include "BkTestDialog.h"

#include "bkwin/BkCheckBox.h"
#include "bkwin/BkSkinPool.h"
#include "platform/draw/DrawText.h"
#include "platform/draw/FrameControl.h"
#include "tests/support/WindowOwner.h"

#include <gtest/gtest.h>

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);

} // namespace

TEST(BkCheckBoxTest, TheGlyphFollowsTheElementsOwnStateBits) {
    struct Case {
        std::uint32_t state;
        UINT flags;
    } cases[] = {
        {0, 0},
        {STATE_HOVER, DFCS_HOT},
        {STATE_PUSHED | STATE_HOVER, DFCS_PUSHED | DFCS_HOT},
        {STATE_CHECKED, DFCS_CHECKED},
        {STATE_CHECKED | STATE_HOVER, DFCS_CHECKED | DFCS_HOT},
        {STATE_DISABLED, DFCS_INACTIVE},
        {STATE_DISABLED | STATE_CHECKED, DFCS_INACTIVE | DFCS_CHECKED},
    };
    for (const Case& c : cases) {
        CBkTestSurface painted(60, 20, kWhite);
        std::unique_ptr<CBkWindow> check = LoadElement("<check/>");
        check->rect = {2, 1, 60, 19};
        check->state = c.state;
        check->PaintRegion(painted.Dc(), nullptr);

        // The glyph rectangle is 13 pixels wide and as high as the element.
        CBkTestSurface expected(60, 20, kWhite);
        const RECT glyph{2, 1, 15, 19};
        DrawFrameControl(expected.Dc(), &glyph, DFC_BUTTON,
                         DFCS_BUTTONCHECK | DFCS_TRANSPARENT | c.flags);
        EXPECT_TRUE(SamePixels(painted, expected, {0, 0, 60, 20})) << c.state;
        EXPECT_FALSE(AllPixelsAre(painted, glyph, kWhite)) << c.state;
    }
}

TEST(BkCheckBoxTest, TheTextStartsSeventeenPixelsRightAndIsCentredVertically) {
    CBkTestSurface surface(80, 30, kWhite);
    std::unique_ptr<CBkWindow> check = LoadElement("<check crtext=\"FF0000\">\xE2\x96\x88</check>");
    check->style.textmode = DT_SINGLELINE | DT_LEFT | DT_BOTTOM;
    check->rect = {0, 0, 80, 30};
    check->PaintRegion(surface.Dc(), nullptr);
    // The mode change stays in the element's style; the rectangle is restored.
    EXPECT_EQ(check->style.textmode, DT_SINGLELINE | DT_LEFT | DT_VCENTER);
    EXPECT_EQ(check->rect, (RECT{0, 0, 80, 30}));
    EXPECT_FALSE(AnyPixelIs(surface, {0, 0, 17, 30}, kRed));
    EXPECT_TRUE(surface.At(17, 15) == kRed || surface.At(18, 15) == kRed);
    EXPECT_FALSE(AnyPixelIs(surface, {0, 28, 80, 30}, kRed));
}

TEST(BkCheckBoxTest, NaturalSizeIsTheTextPlusSeventeenAndAtLeastThirteenHigh) {
    // Two-item pos, as the message box layouts write it.
    std::unique_ptr<CBkWindow> check = LoadElement("<check pos=\"20,-20\">Remember me</check>");
    std::unique_ptr<CBkWindow> text = LoadElement("<text pos=\"20,-20\">Remember me</text>");
    const SIZE textSize = NaturalSize(*text);
    ASSERT_GT(textSize.cx, 0);
    EXPECT_EQ(NaturalSize(*check), (SIZE{textSize.cx + 17, std::max<LONG>(textSize.cy, 13)}));
    std::unique_ptr<CBkWindow> empty = LoadElement("<check pos=\"0,0\"/>");
    EXPECT_EQ(NaturalSize(*empty), (SIZE{17, 13}));
    // A four-item pos gives the base size, widened all the same.
    std::unique_ptr<CBkWindow> fixed = LoadElement("<check pos=\"0,0,40,5\"/>");
    EXPECT_EQ(NaturalSize(*fixed), (SIZE{57, 13}));
}

TEST(BkCheckBoxTest, TheCheckAttributeIsStoredOnly) {
    std::unique_ptr<CBkWindow> element = LoadElement("<check check=\"1\"/>");
    const auto& check = static_cast<CBkCheckBox&>(*element);
    EXPECT_EQ(check.checkValue, 1);
    EXPECT_EQ(check.state & STATE_CHECKED, 0u);
    EXPECT_TRUE(element->RepaintsOnStateChange());
}

TEST(BkCheckBoxTest, AClickTogglesItAndIsReportedWithItsTag) {
    ASSERT_TRUE(LoadSkins(9020));
    CTestDialog dialog{9400};
    CWindowOwner hwnd(dialog.LoadAndShow());
    ASSERT_NE(hwnd, nullptr);
    CBkWindow* check = dialog.view.FindElement(36);
    ASSERT_NE(check, nullptr);
    const COLORREF uncheckedLook = PaintedAt(hwnd, 16, 60);

    ClickAt(hwnd, 30, 60);
    EXPECT_TRUE(check->state & STATE_CHECKED);
    EXPECT_TRUE(dialog.view.IsElementChecked(36));
    // The tick is painted into the view's surface.
    MoveTo(hwnd, 250, 150);
    EXPECT_NE(PaintedAt(hwnd, 16, 60), uncheckedLook);
    // Far from the first click, so that it is no double click.
    ClickAt(hwnd, 80, 62);
    EXPECT_FALSE(check->state & STATE_CHECKED);
    ASSERT_EQ(dialog.clicks.size(), 2u);
    EXPECT_EQ(dialog.clicks[0].itemId, 36u);
    EXPECT_EQ(dialog.clicks[0].tag, "check");

    // Pressing on it and releasing elsewhere changes nothing.
    MoveTo(hwnd, 30, 60);
    headless::PressButton();
    MoveTo(hwnd, 250, 150);
    headless::ReleaseButton();
    headless::PumpMessages();
    EXPECT_FALSE(check->state & STATE_CHECKED);
    EXPECT_EQ(dialog.clicks.size(), 2u);
}

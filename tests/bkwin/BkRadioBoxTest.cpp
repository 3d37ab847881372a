// The radio box: its centred glyph, the text beside it, its natural size, and the groups in
// which a click checks one member and unchecks the others.
#include "BkControlTestSupport.h"
#include "BkTestDialog.h"

#include "bkwin/BkRadioBox.h"
#include "bkwin/BkSkinPool.h"
#include "platform/draw/DrawText.h"
#include "platform/draw/FrameControl.h"
#include "tests/support/WindowOwner.h"

#include <gtest/gtest.h>

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);

bool Checked(const CBkWindow& element) {
    return element.state & STATE_CHECKED;
}

void Click(CBkWindow& radio) {
    SendElementMessage(&radio, WM_LBUTTONUP, 0, 0);
}

} // namespace

TEST(BkRadioBoxTest, TheTwelvePixelGlyphIsCentredVerticallyAndFollowsTheState) {
    struct Case {
        std::uint32_t state;
        UINT flags;
    } cases[] = {
        {0, 0},
        {STATE_HOVER, DFCS_HOT},
        {STATE_PUSHED, DFCS_PUSHED},
        {STATE_CHECKED, DFCS_CHECKED},
        {STATE_DISABLED | STATE_CHECKED, DFCS_INACTIVE | DFCS_CHECKED},
    };
    for (const Case& c : cases) {
        CBkTestSurface painted(60, 30, kWhite);
        std::unique_ptr<CBkWindow> radio = LoadElement("<radio/>");
        radio->rect = {3, 2, 60, 27}; // height 25: the glyph starts (25 - 12) / 2 = 6 lower
        radio->state = c.state;
        radio->PaintRegion(painted.Dc(), nullptr);
        CBkTestSurface expected(60, 30, kWhite);
        const RECT glyph{3, 8, 15, 20};
        DrawFrameControl(expected.Dc(), &glyph, DFC_BUTTON,
                         DFCS_BUTTONRADIO | DFCS_TRANSPARENT | c.flags);
        EXPECT_TRUE(SamePixels(painted, expected, {0, 0, 60, 30})) << c.state;
    }
}

TEST(BkRadioBoxTest, TheTextStartsFourteenPixelsRightOnOneCentredLine) {
    CBkTestSurface surface(80, 30, kWhite);
    std::unique_ptr<CBkWindow> radio = LoadElement("<radio crtext=\"FF0000\">\xE2\x96\x88</radio>");
    radio->style.textmode = DT_LEFT | DT_BOTTOM;
    radio->rect = {0, 0, 80, 30};
    radio->PaintRegion(surface.Dc(), nullptr);
    EXPECT_EQ(radio->style.textmode, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    EXPECT_EQ(radio->rect, (RECT{0, 0, 80, 30}));
    EXPECT_FALSE(AnyPixelIs(surface, {0, 0, 14, 30}, kRed));
    EXPECT_TRUE(surface.At(14, 15) == kRed || surface.At(15, 15) == kRed);
}

TEST(BkRadioBoxTest, NaturalSizeIsTheTextPlusFourteenAndAtLeastTwelveHigh) {
    std::unique_ptr<CBkWindow> radio = LoadElement("<radio pos=\"0,0\">Daily</radio>");
    std::unique_ptr<CBkWindow> text = LoadElement("<text pos=\"0,0\">Daily</text>");
    const SIZE textSize = NaturalSize(*text);
    EXPECT_EQ(NaturalSize(*radio), (SIZE{textSize.cx + 14, std::max<LONG>(textSize.cy, 12)}));
    std::unique_ptr<CBkWindow> empty = LoadElement("<radio pos=\"0,0\"/>");
    EXPECT_EQ(NaturalSize(*empty), (SIZE{14, 12}));
}

TEST(BkRadioBoxTest, AClickSelectsWithinItsGroupOnly) {
    std::unique_ptr<CBkWindow> a1 = LoadElement("<radio group=\"a\" check=\"1\"/>");
    std::unique_ptr<CBkWindow> a2 = LoadElement("<radio group=\"a\"/>");
    std::unique_ptr<CBkWindow> b1 = LoadElement("<radio group=\"b\"/>");
    std::unique_ptr<CBkWindow> n1 = LoadElement("<radio/>");
    std::unique_ptr<CBkWindow> n2 = LoadElement("<radio/>");
    // The check attribute is stored, not applied.
    EXPECT_EQ(static_cast<CBkRadioBox&>(*a1).checkValue, 1);
    EXPECT_FALSE(Checked(*a1));

    Click(*a1);
    Click(*b1);
    Click(*n1);
    EXPECT_TRUE(Checked(*a1) && Checked(*b1) && Checked(*n1));
    // A checked radio stays checked when clicked again.
    Click(*a1);
    EXPECT_TRUE(Checked(*a1));
    Click(*a2);
    EXPECT_TRUE(Checked(*a2));
    EXPECT_FALSE(Checked(*a1));
    EXPECT_TRUE(Checked(*b1) && Checked(*n1));
    // Radios without a group share the group with the empty name.
    Click(*n2);
    EXPECT_FALSE(Checked(*n1));
    EXPECT_TRUE(Checked(*n2));
}

TEST(BkRadioBoxTest, ARadioThatNeverLoadedChecksOnlyItself) {
    std::unique_ptr<CBkWindow> n1 = LoadElement("<radio/>");
    Click(*n1);
    ASSERT_TRUE(Checked(*n1));
    CBkRadioBox unloaded;
    Click(unloaded);
    EXPECT_TRUE(Checked(unloaded));
    // It is no member of the empty-named group: the loaded member keeps its check both ways.
    EXPECT_TRUE(Checked(*n1));
    std::unique_ptr<CBkWindow> n2 = LoadElement("<radio/>");
    Click(*n2);
    EXPECT_FALSE(Checked(*n1));
    EXPECT_TRUE(Checked(unloaded));
}

TEST(BkRadioBoxTest, MembershipStaysWithTheGroupJoinedAtLoading) {
    std::unique_ptr<CBkWindow> first = LoadElement("<radio group=\"x\"/>");
    std::unique_ptr<CBkWindow> second = LoadElement("<radio group=\"x\"/>");
    std::unique_ptr<CBkWindow> other = LoadElement("<radio group=\"y\"/>");
    second->ApplyAttribute("group", "y", false);
    EXPECT_EQ(static_cast<CBkRadioBox&>(*second).group, "y");
    Click(*other);
    Click(*second);
    EXPECT_TRUE(Checked(*other));
    Click(*first);
    EXPECT_FALSE(Checked(*second));

    // A destroyed member leaves its group: clicking the others does not reach it.
    Click(*second);
    SendElementMessage(second.get(), WM_DESTROY, 0, 0);
    second.reset();
    Click(*first);
    EXPECT_TRUE(Checked(*first));
}

TEST(BkRadioBoxTest, ClicksThroughTheViewRepaintTheUncheckedMember) {
    ASSERT_TRUE(LoadSkins(9020));
    CTestDialog dialog{9400};
    CWindowOwner hwnd(dialog.LoadAndShow());
    ASSERT_NE(hwnd, nullptr);
    // The glyph centre of the first radio of group "a".
    const COLORREF unchecked = PaintedAt(hwnd, 16, 90);

    ClickAt(hwnd, 30, 90);
    MoveTo(hwnd, 250, 170);
    const COLORREF checked = PaintedAt(hwnd, 16, 90);
    EXPECT_NE(checked, unchecked);
    ClickAt(hwnd, 90, 90);
    ClickAt(hwnd, 150, 90);
    MoveTo(hwnd, 250, 170);
    EXPECT_FALSE(dialog.view.IsElementChecked(41));
    EXPECT_TRUE(dialog.view.IsElementChecked(42));
    EXPECT_TRUE(dialog.view.IsElementChecked(43));
    EXPECT_EQ(PaintedAt(hwnd, 16, 90), unchecked);
    EXPECT_EQ(PaintedAt(hwnd, 76, 90), checked);
    ASSERT_EQ(dialog.clicks.size(), 3u);
    EXPECT_EQ(dialog.clicks[2].itemId, 43u);
    EXPECT_EQ(dialog.clicks[2].tag, "radio");

    // A radio checked by the host is unchecked by a click on another of the empty group.
    EXPECT_TRUE(dialog.view.CheckElement(44, true));
    ClickAt(hwnd, 200, 120);
    EXPECT_TRUE(dialog.view.IsElementChecked(45));
    EXPECT_FALSE(dialog.view.IsElementChecked(44));
}

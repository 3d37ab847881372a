// The progress bar: the filled part by ratio, the built-in and skinned looks, the percentage
// text in two colours, the range and value it corrects, and its natural size.
#include "BkControlTestSupport.h"

#include "bkwin/BkProgress.h"

#include <gtest/gtest.h>

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBar = RGB(66, 97, 144);
constexpr COLORREF kGrey = RGB(112, 112, 112);

// A 104 x 20 bar at the origin: the built-in bar area is (2, 2) to (102, 18), 100 wide.
std::unique_ptr<CBkProgress> MakeBar(int min, int max, int value, bool percent) {
    auto bar = std::make_unique<CBkProgress>();
    bar->min = min;
    bar->max = max;
    bar->value = value;
    bar->showPercent = percent;
    bar->rect = {0, 0, 104, 20};
    return bar;
}

// The right edge of the filled part on row 10.
int FilledUpTo(const CBkTestSurface& surface) {
    int x = 2;
    while (x < 104 && surface.At(x, 10) == kBar) {
        ++x;
    }
    return x;
}

// Text is smoothed, so its colour is told by the channel that dominates.
enum class Tint { Red, Green, White };
bool AnyTinted(const CBkTestSurface& surface, const RECT& area, Tint tint) {
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            const COLORREF c = surface.At(x, y);
            const int r = GetRValue(c), g = GetGValue(c), b = GetBValue(c);
            if ((tint == Tint::Red && r - g >= 100 && r - b >= 100) ||
                (tint == Tint::Green && g - r >= 100 && g - b >= 100) ||
                (tint == Tint::White && r >= 200 && g >= 200 && b >= 200)) {
                return true;
            }
        }
    }
    return false;
}

} // namespace

TEST(BkProgressTest, TheBuiltInLookIsAGreyFrameAndABlueBarByRatio) {
    CBkTestSurface surface(104, 20, kWhite);
    std::unique_ptr<CBkProgress> bar = MakeBar(0, 200, 50, false);
    bar->PaintRegion(surface.Dc(), nullptr);
    EXPECT_EQ(surface.At(0, 10), kGrey);
    EXPECT_EQ(surface.At(103, 10), kGrey);
    EXPECT_EQ(surface.At(50, 0), kGrey);
    EXPECT_TRUE(AllPixelsAre(surface, {2, 2, 27, 18}, kBar));
    EXPECT_EQ(FilledUpTo(surface), 27);
    EXPECT_EQ(surface.At(1, 10), kWhite);
}

TEST(BkProgressTest, RangesAndValuesAreCorrectedAndStoredBack) {
    struct Case {
        int min, max, value;
        int storedMin, storedMax, storedValue;
        int filledTo;
    } cases[] = {
        {0, 70, 50, 0, 70, 50, 73},      // 0.714...: 71 of 100 pixels
        {5, 5, 9, 5, 5, 9, 2},           // an empty range: empty bar, nothing corrected
        {100, 0, 30, 0, 100, 30, 32},    // an inverted range is swapped
        {0, 100, 150, 0, 100, 100, 102}, // above max: clamped
        {0, 100, -5, 0, 100, 100, 102},  // negative: a huge unsigned number, clamped to max
        {10, 20, 3, 10, 20, 10, 2},      // below min: clamped
    };
    for (const Case& c : cases) {
        CBkTestSurface surface(104, 20, kWhite);
        std::unique_ptr<CBkProgress> bar = MakeBar(c.min, c.max, c.value, false);
        bar->PaintRegion(surface.Dc(), nullptr);
        EXPECT_EQ(bar->min, c.storedMin) << c.min << " " << c.max << " " << c.value;
        EXPECT_EQ(bar->max, c.storedMax) << c.min << " " << c.max << " " << c.value;
        EXPECT_EQ(bar->value, c.storedValue) << c.min << " " << c.max << " " << c.value;
        EXPECT_EQ(FilledUpTo(surface), c.filledTo) << c.min << " " << c.max << " " << c.value;
    }
}

TEST(BkProgressTest, ThePercentageIsTruncatedAndDrawnInBothColours) {
    // 50 of 0..70 shows the same picture as 71 of 0..100: "71%" and 71 filled pixels.
    const auto paint = [](int max, int value, COLORREF crbg) {
        auto surface = std::make_unique<CBkTestSurface>(104, 20, kWhite);
        std::unique_ptr<CBkProgress> bar = MakeBar(0, max, value, true);
        bar->style.crtext = kRed;
        bar->style.crbg = crbg;
        bar->style.textmode = 0;
        bar->PaintRegion(surface->Dc(), nullptr);
        return surface;
    };
    const auto seventy = paint(70, 50, CLR_INVALID);
    const auto hundred = paint(100, 71, CLR_INVALID);
    EXPECT_TRUE(SamePixels(*seventy, *hundred, {0, 0, 104, 20}));
    EXPECT_FALSE(SamePixels(*seventy, *paint(100, 72, CLR_INVALID), {0, 0, 104, 20}));
    // Half a bar cuts the centred "50%": in the text colour outside the bar, in white inside
    // it, never red over the bar.
    const auto half = paint(70, 35, CLR_INVALID);
    EXPECT_TRUE(AnyTinted(*half, {52, 2, 102, 18}, Tint::Red));
    EXPECT_TRUE(AnyTinted(*half, {2, 2, 52, 18}, Tint::White));
    EXPECT_FALSE(AnyTinted(*half, {2, 2, 52, 18}, Tint::Red));
    // With a background colour, that is the colour inside the bar.
    const auto green = paint(70, 35, RGB(0, 255, 0));
    EXPECT_TRUE(AnyTinted(*green, {2, 2, 52, 18}, Tint::Green));
    // An empty range shows "0%" over an empty bar.
    const auto empty = paint(0, 0, CLR_INVALID);
    EXPECT_TRUE(SamePixels(*empty, *paint(100, 0, CLR_INVALID), {0, 0, 104, 20}));
    EXPECT_TRUE(AnyTinted(*empty, {2, 2, 102, 18}, Tint::Red));
}

TEST(BkProgressTest, SkinsDrawTheBackgroundAndACentredBarOfTheirHeight) {
    CRecordingSkin background;
    background.natural = {0, 14};
    CRecordingSkin position;
    position.natural = {0, 7};
    std::unique_ptr<CBkProgress> bar = MakeBar(0, 100, 50, false);
    bar->backgroundSkin = &background;
    bar->positionSkin = &position;
    CBkTestSurface surface(104, 20, kWhite);
    bar->PaintRegion(surface.Dc(), nullptr);
    EXPECT_EQ(background.states, (std::vector<int>{0}));
    EXPECT_EQ(background.rects, (std::vector<RECT>{{0, 0, 104, 20}}));
    // Deflated by 2 across and (20 - 7) / 2 = 6 down; half of the 100 pixels.
    EXPECT_EQ(position.states, (std::vector<int>{0}));
    EXPECT_EQ(position.rects, (std::vector<RECT>{{2, 6, 52, 14}}));
    // Nothing of the built-in look is drawn.
    EXPECT_TRUE(AllPixelsAre(surface, {0, 0, 104, 20}, kWhite));
}

TEST(BkProgressTest, AttributesAndNaturalSize) {
    std::unique_ptr<CBkWindow> element = LoadElement(
        "<progress pos=\"0,0,120,30\" min=\"1\" max=\"9\" value=\"4\" showpercent=\"1\" "
        "bgskin=\"nosuchskin\" posskin=\"nosuchskin\"/>");
    auto& bar = static_cast<CBkProgress&>(*element);
    EXPECT_EQ(bar.min, 1);
    EXPECT_EQ(bar.max, 9);
    EXPECT_EQ(bar.value, 4);
    EXPECT_EQ(bar.showPercent, 1);
    EXPECT_EQ(bar.backgroundSkin, nullptr);
    EXPECT_EQ(bar.positionSkin, nullptr);
    EXPECT_EQ(NaturalSize(bar), (SIZE{120, 30}));
    CRecordingSkin background;
    background.natural = {50, 9};
    bar.backgroundSkin = &background;
    EXPECT_EQ(NaturalSize(bar), (SIZE{120, 9}));
}

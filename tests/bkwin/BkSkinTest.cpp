// The skin kinds drawn on small surfaces, and the skin list loader on broken lists. The test
// images (resources/bitmap, resources/png) use flat colours so each pixel tells which part of
// the image landed there.
#include "bkwin/BkSkinPool.h"

#include "BkTestSurface.h"
#include "bkwin/BkBmpPool.h"
#include "platform/draw/Blit.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr COLORREF kRed = RGB(200, 0, 0);
constexpr COLORREF kGreen = RGB(0, 200, 0);
constexpr COLORREF kBlue = RGB(0, 0, 200);
constexpr COLORREF kMagenta = RGB(255, 0, 255);
constexpr COLORREF kPaper = RGB(1, 2, 3); // what the surface holds before drawing

// The frame image 9103, cut at left 2 and top 2.
constexpr COLORREF kTopLeft = RGB(10, 10, 10), kTop = RGB(20, 20, 20), kTopRight = RGB(30, 30, 30);
constexpr COLORREF kLeft = RGB(40, 40, 40), kRight = RGB(60, 60, 60);
constexpr COLORREF kBottomLeft = RGB(70, 70, 70), kBottom = RGB(80, 80, 80);
constexpr COLORREF kBottomRight = RGB(90, 90, 90), kWhite = RGB(255, 255, 255);

// The bar image 9104: three states of left cap, middle and right cap.
constexpr COLORREF Bar(int state, int piece) {
    const BYTE v = BYTE(100 + 10 * piece);
    return state == 0 ? RGB(v, 0, 0) : state == 1 ? RGB(0, v, 0) : RGB(0, 0, v);
}

class BkSkinTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(LoadSkins(9020)); }

    static CBkSkinBase& Skin(const char* name) {
        CBkSkinBase* skin = BkSkinPool::Instance().Get(name);
        EXPECT_NE(skin, nullptr) << name;
        static CBkImageSkinPlaceholder none;
        return skin != nullptr ? *skin : none;
    }

    // Stands in for a missing skin so a failed lookup fails the test instead of crashing it.
    struct CBkImageSkinPlaceholder : CBkSkinBase {
        const char* TagName() const override { return ""; }
        void Draw(HDC, const RECT&, int) override {}
    };

    // The colours of one row of the surface from x0 to x1 (exclusive).
    static std::vector<COLORREF> Row(const CBkTestSurface& s, int y, int x0, int x1) {
        std::vector<COLORREF> row;
        for (int x = x0; x < x1; ++x) {
            row.push_back(s.At(x, y));
        }
        return row;
    }
};

TEST_F(BkSkinTest, LoadSkinsSkipsUnknownKindsAndUnnamedSkins) {
    BkSkinPool& pool = BkSkinPool::Instance();
    EXPECT_EQ(pool.Get("unknownkind"), nullptr);
    EXPECT_EQ(pool.Get(""), nullptr);
    ASSERT_NE(pool.Get("twice"), nullptr);
    EXPECT_STREQ(pool.Get("twice")->TagName(), "png"); // the later skin takes the name over
    const std::pair<const char*, const char*> kinds[] = {
        {"states", "imglst"}, {"frame", "imgframe"},     {"bar", "imghorzex"},
        {"face", "button"},   {"vertical", "gradation"}, {"columns", "png"},
    };
    for (const auto& [name, tag] : kinds) {
        ASSERT_NE(pool.Get(name), nullptr) << name;
        EXPECT_TRUE(pool.Get(name)->IsTag(tag)) << name;
    }
}

TEST_F(BkSkinTest, LoadSkinsEmptiesThePoolWhateverTheList) {
    const struct {
        int id;
        bool result;
    } lists[] = {{9021, true} /* root not "skins" */,
                 {9003, false} /* malformed */,
                 {9999, false} /* missing */};
    for (const auto& list : lists) {
        ASSERT_TRUE(LoadSkins(9020));
        EXPECT_EQ(LoadSkins(list.id), list.result) << list.id;
        EXPECT_EQ(BkSkinPool::Instance().Get("states"), nullptr) << list.id;
    }
}

TEST_F(BkSkinTest, ImageListDrawsOneSubImageOrTheWholeBitmap) {
    const struct {
        const char* skin;
        int state;
        std::vector<COLORREF> top; // row 0 from x 0 to 7
    } cases[] = {
        {"states", 0, {kRed, kRed, kPaper, kPaper, kPaper, kPaper, kPaper}},
        {"states", 2, {kBlue, kBlue, kPaper, kPaper, kPaper, kPaper, kPaper}},
        {"states", -1, {kRed, kRed, kGreen, kGreen, kBlue, kBlue, kPaper}},
        // Without subwidth only the whole bitmap (state -1) is drawn.
        {"whole", 0, {kPaper, kPaper, kPaper, kPaper, kPaper, kPaper, kPaper}},
        {"whole", -1, {kRed, kRed, kGreen, kGreen, kBlue, kBlue, kPaper}},
        // Mask pixels leave the destination as it was.
        {"masked", -1, {kRed, kPaper, kGreen, kPaper, kPaper, kPaper, kPaper}},
        // An unknown mode is ignored: the image stays opaque.
        {"badmode", -1, {kRed, kMagenta, kGreen, kMagenta, kPaper, kPaper, kPaper}},
    };
    for (const auto& c : cases) {
        CBkTestSurface surface(7, 3, kPaper);
        // The rectangle's size does not matter: the image is drawn at its own size.
        Skin(c.skin).Draw(surface.Dc(), RECT{0, 0, 1, 1}, c.state);
        EXPECT_EQ(Row(surface, 0, 0, 7), c.top) << c.skin << " state " << c.state;
        EXPECT_EQ(surface.At(0, 2), kPaper) << c.skin; // two rows high
    }
    EXPECT_EQ(Skin("states").NaturalSize(), (SIZE{2, 2}));
    EXPECT_FALSE(Skin("states").IsStateless());
    EXPECT_EQ(Skin("whole").NaturalSize(), (SIZE{6, 2}));
    EXPECT_TRUE(Skin("whole").IsStateless());
    EXPECT_EQ(Skin("nobitmap").NaturalSize(), (SIZE{0, 0}));
}

TEST_F(BkSkinTest, ImageListAlphaBlendsStraightAlpha) {
    CBkTestSurface surface(4, 2, kPaper);
    Skin("alpha").Draw(surface.Dc(), RECT{0, 0, 4, 2}, -1);
    EXPECT_EQ(surface.At(0, 0), kRed);
    EXPECT_EQ(surface.At(1, 0), RGB((1 * 127) / 255, (200 * 128 + 2 * 127) / 255, (3 * 127) / 255));
    EXPECT_EQ(surface.At(2, 0), kPaper); // alpha 0
    EXPECT_EQ(surface.At(0, 1), kPaper); // one row high

    // Alpha needs 32 bits per pixel; a 24-bit bitmap draws nothing.
    CBkTestSurface opaque(7, 2, kPaper);
    Skin("alpha24").Draw(opaque.Dc(), RECT{0, 0, 7, 2}, -1);
    EXPECT_EQ(opaque.At(0, 0), kPaper);
}

TEST_F(BkSkinTest, FrameDrawsCornersBandsAndFill) {
    // A 10 x 8 frame at (1, 1) on a 12 x 10 surface.
    CBkTestSurface surface(12, 10, kPaper);
    Skin("frame").Draw(surface.Dc(), RECT{1, 1, 11, 9}, 0);
    const std::vector<std::vector<COLORREF>> expected = {
        {kPaper, kPaper, kPaper, kPaper, kPaper, kPaper, kPaper, kPaper, kPaper, kPaper, kPaper,
         kPaper},
        {kPaper, kTopLeft, kTopLeft, kTop, kTop, kTop, kTop, kTop, kTop, kTopRight, kTopRight,
         kPaper},
        {kPaper, kTopLeft, kTopLeft, kTop, kTop, kTop, kTop, kTop, kTop, kTopRight, kTopRight,
         kPaper},
        {kPaper, kLeft, kLeft, kWhite, kWhite, kWhite, kWhite, kWhite, kWhite, kRight, kRight,
         kPaper},
        {kPaper, kLeft, kLeft, kWhite, kWhite, kWhite, kWhite, kWhite, kWhite, kRight, kRight,
         kPaper},
        {kPaper, kLeft, kLeft, kWhite, kWhite, kWhite, kWhite, kWhite, kWhite, kRight, kRight,
         kPaper},
        {kPaper, kLeft, kLeft, kWhite, kWhite, kWhite, kWhite, kWhite, kWhite, kRight, kRight,
         kPaper},
        {kPaper, kBottomLeft, kBottomLeft, kBottom, kBottom, kBottom, kBottom, kBottom, kBottom,
         kBottomRight, kBottomRight, kPaper},
        {kPaper, kBottomLeft, kBottomLeft, kBottom, kBottom, kBottom, kBottom, kBottom, kBottom,
         kBottomRight, kBottomRight, kPaper},
        {kPaper, kPaper, kPaper, kPaper, kPaper, kPaper, kPaper, kPaper, kPaper, kPaper, kPaper,
         kPaper},
    };
    for (int y = 0; y < 10; ++y) {
        EXPECT_EQ(Row(surface, y, 0, 12), expected[std::size_t(y)]) << "row " << y;
    }

    // An unknown part keeps every piece.
    CBkTestSurface again(12, 10, kPaper);
    Skin("badpart").Draw(again.Dc(), RECT{1, 1, 11, 9}, 0);
    EXPECT_EQ(again.At(1, 1), kTopLeft);
    EXPECT_EQ(again.At(10, 8), kBottomRight);
    EXPECT_EQ(again.At(5, 5), kPaper); // no crbg: the middle stays as it was
}

TEST_F(BkSkinTest, FrameMiddlePartDrawsOnlySidesAndFill) {
    CBkTestSurface surface(8, 6, kPaper);
    Skin("middleonly").Draw(surface.Dc(), RECT{0, 0, 8, 6}, 0);
    for (int y = 0; y < 6; ++y) {
        // No corners and no top or bottom band: the side bands run the full height.
        EXPECT_EQ(Row(surface, y, 0, 8), (std::vector<COLORREF>{kLeft, kLeft, kWhite, kWhite,
                                                                kWhite, kWhite, kRight, kRight}))
            << "row " << y;
    }
}

TEST_F(BkSkinTest, FrameLargerThanTheAreaNeverMirrors) {
    // The bands would have negative sizes; only what fits is drawn and nothing crashes.
    CBkTestSurface surface(6, 6, kPaper);
    Skin("frame").Draw(surface.Dc(), RECT{1, 1, 4, 4}, 0);
    EXPECT_EQ(surface.At(1, 1), kTopLeft);
    EXPECT_EQ(surface.At(5, 5), kPaper);
}

TEST_F(BkSkinTest, HorizontalBarPicksTheSubImageByState) {
    const struct {
        int state;
        int bar; // -1: nothing drawn
    } cases[] = {
        {0, 0},
        {STATE_HOVER, 1},
        {STATE_PUSHED, 2},
        {STATE_PUSHED | STATE_HOVER, 2},
        {-1, 0},
        {STATE_CHECKED, 0},
        {STATE_DISABLED | STATE_HOVER, -1}, // index 3 is past the image
    };
    for (const auto& c : cases) {
        CBkTestSurface surface(12, 3, kPaper);
        Skin("bar").Draw(surface.Dc(), RECT{0, 0, 10, 1}, c.state);
        std::vector<COLORREF> expected(12, kPaper);
        if (c.bar >= 0) {
            expected[0] = Bar(c.bar, 0);
            for (int x = 1; x < 9; ++x) {
                expected[std::size_t(x)] = Bar(c.bar, 1);
            }
            expected[9] = Bar(c.bar, 2);
        }
        EXPECT_EQ(Row(surface, 0, 0, 12), expected) << "state " << c.state;
        EXPECT_EQ(surface.At(0, 1), expected[0]); // drawn at the bitmap's own height, 2
        EXPECT_EQ(surface.At(0, 2), kPaper);
    }
    EXPECT_EQ(Skin("bar").NaturalSize(), (SIZE{0, 2}));
    EXPECT_FALSE(Skin("bar").IsStateless());
    EXPECT_TRUE(Skin("wholebar").IsStateless());
}

TEST_F(BkSkinTest, HorizontalBarNarrowerThanItsBitmapIsDrawnAtFullWidth) {
    CBkTestSurface surface(12, 2, kPaper);
    Skin("wholebar").Draw(surface.Dc(), RECT{0, 0, 4, 2}, 0);
    std::vector<COLORREF> expected;
    for (int x = 0; x < 9; ++x) {
        expected.push_back(Bar(x / 3, x % 3));
    }
    expected.insert(expected.end(), 3, kPaper);
    EXPECT_EQ(Row(surface, 0, 0, 12), expected);
}

TEST_F(BkSkinTest, ButtonFaceFollowsTheState) {
    const COLORREF bg = RGB(0x10, 0x20, 0x30), border = RGB(0x40, 0x50, 0x60);
    const struct {
        int state;
        COLORREF top;
        COLORREF bottom;
    } cases[] = {
        {0, RGB(0xEE, 0xEE, 0xEE), RGB(0xD6, 0xD6, 0xD6)},
        {STATE_HOVER, RGB(0xEE, 0xEE, 0xEE), RGB(0xE0, 0xE0, 0xE0)},
        {STATE_PUSHED | STATE_HOVER, RGB(0xCE, 0xCE, 0xCE), RGB(0xC0, 0xC0, 0xC0)},
        {STATE_DISABLED | STATE_PUSHED, bg, bg}, // only the background and the border
    };
    for (const auto& c : cases) {
        CBkTestSurface surface(20, 12, kPaper);
        Skin("face").Draw(surface.Dc(), RECT{0, 0, 20, 12}, c.state);
        EXPECT_EQ(surface.At(0, 0), border) << c.state;
        EXPECT_EQ(surface.At(19, 11), border) << c.state;
        EXPECT_EQ(surface.At(1, 1), bg) << c.state; // the ring between border and face
        EXPECT_EQ(surface.At(2, 2), c.top) << c.state;
        EXPECT_EQ(surface.At(17, 9), c.bottom) << c.state;
    }
    EXPECT_FALSE(Skin("face").IsStateless());
}

TEST_F(BkSkinTest, GradationWithSizeFillsTheBandAndTheRestWithTo) {
    const COLORREF to = RGB(0xF0, 0xF0, 0xF0);
    CBkTestSurface surface(4, 22, kPaper);
    Skin("vertical").Draw(surface.Dc(), RECT{0, 1, 3, 21}, 0);
    EXPECT_EQ(surface.At(0, 0), kPaper);
    EXPECT_EQ(surface.At(0, 1), RGB(0, 0, 0)); // the top row has "from"
    EXPECT_EQ(surface.At(0, 10), to);          // the band's last row, "to"
    const COLORREF middle = surface.At(1, 5);
    EXPECT_GT(GetRValue(middle), 0);
    EXPECT_LT(GetRValue(middle), 0xF0);
    for (int y = 11; y < 21; ++y) {
        EXPECT_EQ(surface.At(2, y), to) << y;
    }
    EXPECT_EQ(surface.At(3, 5), kPaper);
    EXPECT_EQ(surface.At(0, 21), kPaper);

    // A band longer than the rectangle is clipped to it.
    CBkTestSurface small(4, 8, kPaper);
    Skin("vertical").Draw(small.Dc(), RECT{0, 0, 4, 4}, 0);
    EXPECT_EQ(small.At(0, 4), kPaper);

    // An unknown direction is ignored: the gradient stays horizontal.
    CBkTestSurface wide(10, 2, kPaper);
    Skin("baddirection").Draw(wide.Dc(), RECT{0, 0, 10, 2}, 0);
    EXPECT_EQ(wide.At(0, 1), RGB(0, 0, 0));
    EXPECT_EQ(wide.At(9, 0), to);

    // Colours that were never set paint nothing rather than an invalid colour.
    CBkTestSurface unset(4, 4, kPaper);
    Skin("unset").Draw(unset.Dc(), RECT{0, 0, 4, 4}, 0);
    EXPECT_EQ(unset.At(0, 0), kPaper);
    EXPECT_EQ(unset.At(3, 3), kPaper);
}

TEST_F(BkSkinTest, PngSubImageHonoursAlpha) {
    CBkTestSurface surface(40, 6, kPaper);
    Skin("columns").Draw(surface.Dc(), RECT{1, 1, 2, 2}, 2); // the third 30-pixel column
    EXPECT_EQ(surface.At(0, 1), kPaper);
    EXPECT_EQ(surface.At(1, 1), kBlue);
    EXPECT_EQ(surface.At(30, 4), kBlue);
    EXPECT_EQ(surface.At(31, 4), kPaper);
    EXPECT_EQ(surface.At(1, 5), kPaper);

    CBkTestSurface blended(32, 6, kPaper);
    Skin("columns").Draw(blended.Dc(), RECT{0, 0, 1, 1}, 1); // green at alpha 128
    EXPECT_EQ(blended.At(0, 0), RGB((1 * 127) / 255, (200 * 128 + 2 * 127) / 255, (3 * 127) / 255));

    EXPECT_EQ(Skin("columns").NaturalSize(), (SIZE{30, 4}));
    EXPECT_FALSE(Skin("columns").IsStateless());
    EXPECT_EQ(Skin("nopng").NaturalSize(), (SIZE{0, 0}));
    CBkTestSurface untouched(4, 4, kPaper);
    Skin("nopng").Draw(untouched.Dc(), RECT{0, 0, 4, 4}, 0);
    EXPECT_EQ(untouched.At(0, 0), kPaper);
}

TEST_F(BkSkinTest, ExtremeSubImageWidthsAndIndicesDrawOnlyWhatLiesInTheImage) {
    const struct {
        const char* skin;
        int state;
    } nothing[] = {
        {"hugestates", 1},  {"hugestates", 2},       {"hugestates", 0x7FFFFFFF},
        {"states", -2},     {"states", 0x40000000},  {"hugebar", STATE_PUSHED},
        {"hugecolumns", 2}, {"columns", 0x7FFFFFFF}, {"columns", -5},
    };
    for (const auto& c : nothing) {
        CBkTestSurface surface(12, 6, kPaper);
        Skin(c.skin).Draw(surface.Dc(), RECT{0, 0, 12, 6}, c.state);
        EXPECT_EQ(Row(surface, 0, 0, 12), std::vector<COLORREF>(12, kPaper))
            << c.skin << " state " << c.state;
    }
    // The first sub-image of a width beyond the image is the whole image.
    CBkTestSurface first(7, 3, kPaper);
    Skin("hugestates").Draw(first.Dc(), RECT{0, 0, 1, 1}, 0);
    EXPECT_EQ(Row(first, 0, 0, 7),
              (std::vector<COLORREF>{kRed, kRed, kGreen, kGreen, kBlue, kBlue, kPaper}));
    CBkTestSurface column(40, 6, kPaper);
    Skin("hugecolumns").Draw(column.Dc(), RECT{1, 1, 2, 2}, 0);
    EXPECT_NE(column.At(1, 1), kPaper);
    EXPECT_EQ(column.At(0, 0), kPaper);
    // A bar whose cap is as wide as everything still draws within its bitmap's width.
    CBkTestSurface bar(12, 3, kPaper);
    Skin("hugebar").Draw(bar.Dc(), RECT{0, 0, 10, 1}, 0);
    EXPECT_NE(bar.At(0, 0), kPaper);
    EXPECT_EQ(bar.At(11, 0), kPaper);
}

TEST(BkShippedSkinTest, MainBodyFrameHasItsBandSizes) {
    // "mainbgbody": a 15 x 90 bitmap cut at top 88 and left 7, so the top band is 88 pixels
    // high, the bottom band and corners 1, and the side bands 7 wide.
    ASSERT_TRUE(LoadSkins(100));
    CBkSkinBase* skin = BkSkinPool::Instance().Get("mainbgbody");
    ASSERT_NE(skin, nullptr);
    HBITMAP bitmap = BkBmpPool::Instance().Get(10002);
    ASSERT_NE(bitmap, nullptr);
    CMemoryDC source;
    SelectObject(source, bitmap);
    auto expected = [&](int x, int y) -> COLORREF {
        if (x >= 40 || y >= 120) {
            return kPaper;
        }
        const int sy = y < 88 ? y : y < 119 ? 88 : 89;
        const int sx = x < 7 ? x : x < 33 ? 7 : 8 + (x - 33);
        if (sy == 88 && sx == 7) {
            return RGB(0xFB, 0xFC, 0xFD); // the middle is filled with crbg
        }
        const COLORREF c = GetPixel(source, sx, sy);
        return c == kMagenta ? kPaper : c; // mask pixels leave the destination
    };
    CBkTestSurface surface(42, 122, kPaper);
    skin->Draw(surface.Dc(), RECT{0, 0, 40, 120}, 0);
    int wrong = 0;
    for (int y = 0; y < 122; ++y) {
        for (int x = 0; x < 42; ++x) {
            if (surface.At(x, y) != expected(x, y) && ++wrong < 5) {
                ADD_FAILURE() << "pixel " << x << "," << y;
            }
        }
    }
    EXPECT_EQ(wrong, 0);
}

} // namespace

// The line element: horizontal rules and diagonals in the background colour, pen width and
// style attributes, and painting through a region that meets only the line.
#include "BkControlTestSupport.h"

#include "bkwin/BkLine.h"
#include "platform/draw/GdiRegion.h"
#include "platform/draw/Pen.h"

#include <gtest/gtest.h>

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kLine = RGB(10, 120, 200);

} // namespace

TEST(BkLineTest, AnEqualTopAndBottomDrawAHorizontalRule) {
    CBkTestSurface surface(220, 100, kWhite);
    std::unique_ptr<CBkWindow> line = LoadElement("<hr crbg=\"0A78C8\" pos=\"10,90,200,90\"/>");
    line->rect = {10, 90, 200, 90};
    // Painted through a region that holds only the rule's row.
    CGdiHandle<HRGN> row(CreateRectRgn(0, 90, 220, 91));
    EXPECT_TRUE(line->PaintRegion(surface.Dc(), row.Get()));
    // The last point is excluded, as every line of the platform.
    EXPECT_TRUE(AllPixelsAre(surface, {10, 90, 200, 91}, kLine));
    EXPECT_TRUE(AllPixelsAre(surface, {0, 0, 220, 90}, kWhite));
    EXPECT_TRUE(AllPixelsAre(surface, {0, 91, 220, 100}, kWhite));
    EXPECT_EQ(surface.At(9, 90), kWhite);
    EXPECT_EQ(surface.At(200, 90), kWhite);
}

TEST(BkLineTest, ASquareRectangleGivesADiagonalWithoutBackground) {
    CBkTestSurface surface(100, 100, kWhite);
    std::unique_ptr<CBkWindow> line = LoadElement("<hr crbg=\"0A78C8\"/>");
    line->rect = {0, 0, 100, 100};
    line->PaintRegion(surface.Dc(), nullptr);
    for (int i : {0, 1, 50, 98}) {
        EXPECT_EQ(surface.At(i, i), kLine) << i;
    }
    EXPECT_EQ(surface.At(90, 10), kWhite);
    EXPECT_EQ(surface.At(10, 90), kWhite);
}

TEST(BkLineTest, SizeAndStyleAttributes) {
    struct Case {
        const char* style;
        int penStyle;
        bool handled;
    } cases[] = {{"solid", PS_SOLID, true},
                 {"dash", PS_DASH, true},
                 {"dot", PS_DOT, true},
                 {"dashdot", PS_DASHDOT, true},
                 {"dashdotdot", PS_DASHDOTDOT, true},
                 {"Dash", PS_DOT, false},
                 {"wavy", PS_DOT, false}};
    for (const Case& c : cases) {
        CBkLine line;
        line.penStyle = PS_DOT;
        EXPECT_EQ(SUCCEEDED(line.ApplyAttribute("style", c.style, false)), c.handled) << c.style;
        EXPECT_EQ(line.penStyle, c.penStyle) << c.style;
    }
    CBkLine thick;
    EXPECT_EQ(thick.penWidth, 1);
    thick.ApplyAttribute("size", "3", false);
    thick.ApplyAttribute("crbg", "0A78C8", false);
    thick.rect = {5, 10, 40, 10};
    CBkTestSurface surface(50, 20, kWhite);
    thick.PaintRegion(surface.Dc(), nullptr);
    EXPECT_EQ(surface.At(20, 9), kLine);
    EXPECT_EQ(surface.At(20, 11), kLine);
    EXPECT_EQ(surface.At(20, 13), kWhite);

    // A dashed rule leaves gaps.
    CBkTestSurface dashed(100, 5, kWhite);
    std::unique_ptr<CBkWindow> dash = LoadElement("<hr crbg=\"0A78C8\" style=\"dash\"/>");
    dash->rect = {0, 2, 100, 2};
    dash->PaintRegion(dashed.Dc(), nullptr);
    EXPECT_TRUE(AnyPixelIs(dashed, {0, 2, 100, 3}, kLine));
    EXPECT_TRUE(AnyPixelIs(dashed, {0, 2, 100, 3}, kWhite));
}

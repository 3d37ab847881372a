#include "tests/support/Canvas.h"

namespace {

using Picture = std::vector<std::string>;

TEST(Shapes, FillRectExcludesRightAndBottomEdgesAndNullBrushFillsNothing) {
    CCanvas canvas(6, 4);
    CGdiHandle<HBRUSH> red(CreateSolidBrush(kRed));
    RECT r{1, 1, 4, 3};
    EXPECT_TRUE(FillRect(canvas.Dc(), &r, red));
    RECT all{0, 0, 6, 4};
    EXPECT_TRUE(FillRect(canvas.Dc(), &all, static_cast<HBRUSH>(GetStockObject(NULL_BRUSH))));
    EXPECT_EQ(canvas.Picture(BasicKey()), (Picture{
                                              "......",
                                              ".rrr..",
                                              ".rrr..",
                                              "......",
                                          }));
}

TEST(Shapes, RectangleOutlinesWithThePenAndFillsWithTheBrush) {
    struct Case {
        const char* name;
        int style;
        int width;
        Picture expected;
    } cases[] = {
        {"solid 1",
         PS_SOLID,
         1,
         {
             "........",
             ".rrrrr..",
             ".rbbbr..",
             ".rbbbr..",
             ".rrrrr..",
             "........",
         }},
        // An inside-frame pen keeps the whole outline inside the rectangle.
        {"insideframe 2",
         PS_INSIDEFRAME,
         2,
         {
             "........",
             ".rrrrrr.",
             ".rrrrrr.",
             ".rrbbrr.",
             ".rrrrrr.",
             ".rrrrrr.",
         }},
        // The null pen fills one pixel less on the right and at the bottom.
        {"null",
         PS_NULL,
         1,
         {
             "........",
             ".bbbbb..",
             ".bbbbb..",
             ".bbbbb..",
             ".bbbbb..",
             "........",
         }},
    };
    for (const Case& c : cases) {
        CCanvas canvas(8, 6);
        CGdiHandle<HPEN> pen(CreatePen(c.style, c.width, kRed));
        CGdiHandle<HBRUSH> brush(CreateSolidBrush(kBlue));
        HPEN oldPen = SelectObject(canvas.Dc(), pen.Get());
        HBRUSH oldBrush = SelectObject(canvas.Dc(), brush.Get());
        const int right = c.style == PS_SOLID ? 6 : 7;
        const int bottom = c.style == PS_SOLID ? 5 : 6;
        EXPECT_TRUE(Rectangle(canvas.Dc(), 1, 1, right, bottom));
        EXPECT_EQ(canvas.Picture(BasicKey()), c.expected) << c.name;
        SelectObject(canvas.Dc(), oldPen);
        SelectObject(canvas.Dc(), oldBrush);
    }
}

TEST(Shapes, RectangleWithNullBrushLeavesTheInside) {
    CCanvas canvas(5, 5, kGreen);
    SelectObject(canvas.Dc(), static_cast<HBRUSH>(GetStockObject(NULL_BRUSH)));
    Rectangle(canvas.Dc(), 0, 0, 5, 5);
    EXPECT_EQ(canvas.Picture(BasicKey()), (Picture{
                                              "#####",
                                              "#ggg#",
                                              "#ggg#",
                                              "#ggg#",
                                              "#####",
                                          }));
}

TEST(Shapes, RoundRectCutsTheCorners) {
    CCanvas canvas(8, 7);
    CGdiHandle<HBRUSH> brush(CreateSolidBrush(kBlue));
    SelectObject(canvas.Dc(), brush.Get());
    RoundRect(canvas.Dc(), 0, 0, 8, 7, 4, 4);
    EXPECT_EQ(canvas.Picture(BasicKey()), (Picture{
                                              ".######.",
                                              "#bbbbbb#",
                                              "#bbbbbb#",
                                              "#bbbbbb#",
                                              "#bbbbbb#",
                                              "#bbbbbb#",
                                              ".######.",
                                          }));
}

TEST(Shapes, LinesExcludeTheirEndPointAndFollowThePenPattern) {
    struct Case {
        const char* name;
        int style;
        int width;
        POINT from;
        POINT to;
        Picture expected;
    } cases[] = {
        {"horizontal", PS_SOLID, 1, {1, 1}, {7, 1}, {"..........", ".######...", ".........."}},
        {"diagonal", PS_SOLID, 1, {0, 0}, {3, 3}, {"#.........", ".#........", "..#......."}},
        {"wide", PS_SOLID, 3, {2, 1}, {5, 1}, {"..###.....", "..###.....", "..###....."}},
        // A dot pen of width 1: three on, three off.
        {"dot", PS_DOT, 1, {0, 1}, {10, 1}, {"..........", "###...###.", ".........."}},
        // Wider pens scale the pattern: a dash of width 1 is three widths on, one off.
        {"dash 2", PS_DASH, 2, {0, 1}, {10, 1}, {"######..##", "######..##", ".........."}},
        {"dash dot dot",
         PS_DASHDOTDOT,
         1,
         {0, 1},
         {10, 1},
         {"..........", "#########.", ".........."}},
        {"right to left", PS_DOT, 1, {9, 1}, {0, 1}, {"..........", ".###...###", ".........."}},
    };
    for (const Case& c : cases) {
        CCanvas canvas(10, 3);
        CGdiHandle<HPEN> pen(CreatePen(c.style, c.width, kBlack));
        SelectObject(canvas.Dc(), pen.Get());
        SetBkMode(canvas.Dc(), TRANSPARENT);
        MoveToEx(canvas.Dc(), c.from.x, c.from.y, nullptr);
        LineTo(canvas.Dc(), c.to.x, c.to.y);
        EXPECT_EQ(canvas.Picture(BasicKey()), c.expected) << c.name;
        SelectObject(canvas.Dc(), static_cast<HPEN>(GetStockObject(BLACK_PEN)));
    }
}

TEST(Shapes, ClippedLinesKeepTheirPixelsAndHugeLinesEndQuickly) {
    // A steep dashed line drawn whole, and again with only a band of rows visible.
    CCanvas whole(12, 30), band(12, 30);
    for (CCanvas* canvas : {&whole, &band}) {
        CGdiHandle<HPEN> pen(CreatePen(PS_DASHDOT, 1, kBlack));
        SelectObject(canvas->Dc(), pen.Get());
        SetBkMode(canvas->Dc(), TRANSPARENT);
        if (canvas == &band) {
            IntersectClipRect(canvas->Dc(), 0, 11, 12, 23);
        }
        MoveToEx(canvas->Dc(), 1, 0, nullptr);
        LineTo(canvas->Dc(), 10, 30);
        SelectObject(canvas->Dc(), static_cast<HPEN>(GetStockObject(BLACK_PEN)));
    }
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 12; ++x) {
            EXPECT_EQ(band.At(x, y), y >= 11 && y < 23 ? whole.At(x, y) : kWhite) << x << "," << y;
        }
    }
    // A line billions of pixels long is walked only where it can be seen.
    CCanvas canvas(4, 3);
    MoveToEx(canvas.Dc(), -2000000000, 1, nullptr);
    LineTo(canvas.Dc(), 2000000000, 1);
    EXPECT_EQ(canvas.Picture(BasicKey()), (Picture{"....", "####", "...."}));
    RECT huge{-2147483647, -2147483647, 2147483647, 2147483647};
    CGdiHandle<HBRUSH> red(CreateSolidBrush(kRed));
    EXPECT_TRUE(FillRect(canvas.Dc(), &huge, red));
    EXPECT_EQ(canvas.At(3, 2), kRed);
    SelectObject(canvas.Dc(), static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    EXPECT_TRUE(RoundRect(canvas.Dc(), -2000000000, -2000000000, 2000000000, 2000000000, 8, 8));
    EXPECT_EQ(canvas.At(3, 2), kWhite);
}

TEST(Shapes, DashGapsTakeTheBackgroundColourInOpaqueMode) {
    CCanvas canvas(8, 1);
    CGdiHandle<HPEN> pen(CreatePen(PS_DOT, 1, kBlack));
    SelectObject(canvas.Dc(), pen.Get());
    SetBkColor(canvas.Dc(), kRed);
    MoveToEx(canvas.Dc(), 0, 0, nullptr);
    LineTo(canvas.Dc(), 8, 0);
    EXPECT_EQ(canvas.Picture(BasicKey()), (Picture{"###rrr##"}));
    SelectObject(canvas.Dc(), static_cast<HPEN>(GetStockObject(BLACK_PEN)));
}

TEST(Shapes, OpaqueExtTextOutFillsTheRectangleWithTheBackgroundColour) {
    CCanvas canvas(5, 3);
    const COLORREF previous = SetBkColor(canvas.Dc(), RGB(110, 110, 110));
    RECT r{1, 0, 4, 2};
    EXPECT_TRUE(ExtTextOut(canvas.Dc(), 0, 0, ETO_OPAQUE, &r, L""));
    SetBkColor(canvas.Dc(), previous);
    EXPECT_EQ(canvas.At(0, 0), kWhite);
    EXPECT_EQ(canvas.At(1, 0), RGB(110, 110, 110));
    EXPECT_EQ(canvas.At(3, 1), RGB(110, 110, 110));
    EXPECT_EQ(canvas.At(4, 1), kWhite);
    EXPECT_EQ(canvas.At(1, 2), kWhite);
}

} // namespace

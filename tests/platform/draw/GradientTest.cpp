#include "tests/support/Canvas.h"

namespace {

TRIVERTEX Vertex(int x, int y, COLORREF c) {
    return TRIVERTEX{
        x, y, COLOR16(GetRValue(c) << 8), COLOR16(GetGValue(c) << 8), COLOR16(GetBValue(c) << 8),
        0};
}

TEST(Gradient, RectanglesRunFromTheFirstColourToTheSecondInclusive) {
    const COLORREF from = RGB(255, 255, 255), to = RGB(0xE4, 0xE5, 0xF0);
    struct Case {
        ULONG mode;
        int width;
        int height;
    } cases[] = {{GRADIENT_FILL_RECT_V, 3, 10}, {GRADIENT_FILL_RECT_H, 10, 3}};
    for (const Case& c : cases) {
        CCanvas canvas(c.width + 2, c.height + 2, kBlack);
        TRIVERTEX v[2] = {Vertex(1, 1, from), Vertex(1 + c.width, 1 + c.height, to)};
        GRADIENT_RECT r{0, 1};
        ASSERT_TRUE(GradientFill(canvas.Dc(), v, 2, &r, 1, c.mode));
        const bool vertical = c.mode == GRADIENT_FILL_RECT_V;
        const int last = vertical ? c.height : c.width;
        auto at = [&](int i) { return vertical ? canvas.At(2, 1 + i) : canvas.At(1 + i, 2); };
        EXPECT_EQ(at(0), from);
        EXPECT_EQ(at(last - 1), to);
        for (int i = 1; i < last; ++i) {
            EXPECT_LE(GetBValue(at(i)), GetBValue(at(i - 1)));
            EXPECT_LE(GetRValue(at(i)), GetRValue(at(i - 1)));
        }
        // Across the gradient the colour is constant; outside it nothing changed.
        EXPECT_EQ(vertical ? canvas.At(1, 5) : canvas.At(5, 1),
                  vertical ? canvas.At(3, 5) : canvas.At(5, 3));
        EXPECT_EQ(canvas.At(0, 0), kBlack);
        EXPECT_EQ(canvas.At(c.width + 1, c.height + 1), kBlack);
    }
}

TEST(Gradient, ReversedVerticesSwapTheColoursAndBadMeshesFail) {
    CCanvas canvas(4, 1);
    TRIVERTEX v[2] = {Vertex(4, 1, kRed), Vertex(0, 0, kBlue)};
    GRADIENT_RECT r{0, 1};
    ASSERT_TRUE(GradientFill(canvas.Dc(), v, 2, &r, 1, GRADIENT_FILL_RECT_H));
    EXPECT_EQ(canvas.At(0, 0), kBlue);
    EXPECT_EQ(canvas.At(3, 0), kRed);
    GRADIENT_RECT bad{0, 2};
    EXPECT_FALSE(GradientFill(canvas.Dc(), v, 2, &bad, 1, GRADIENT_FILL_RECT_H));
    EXPECT_FALSE(GradientFill(canvas.Dc(), v, 2, &r, 1, 2));
}

} // namespace

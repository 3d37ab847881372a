#include "tests/support/Canvas.h"

namespace {

using Picture = std::vector<std::string>;

void FillAll(HDC hdc, COLORREF colour, int width, int height) {
    CGdiHandle<HBRUSH> brush(CreateSolidBrush(colour));
    RECT all{0, 0, width, height};
    FillRect(hdc, &all, brush);
}

TEST(Clip, DrawingStaysInsideTheSelectedRegion) {
    CCanvas canvas(6, 4);
    CGdiHandle<HRGN> a(CreateRectRgn(0, 0, 2, 2));
    CGdiHandle<HRGN> b(CreateRectRgn(3, 1, 6, 4));
    CGdiHandle<HRGN> both(CreateRectRgn(0, 0, 0, 0));
    EXPECT_EQ(CombineRgn(both, a, b, RGN_OR), COMPLEXREGION);
    EXPECT_EQ(SelectClipRgn(canvas.Dc(), both), COMPLEXREGION);
    // The clip is a copy: changing the region afterwards changes nothing.
    SetRectRgn(both, 0, 0, 6, 4);
    FillAll(canvas.Dc(), kRed, 6, 4);
    EXPECT_EQ(canvas.Picture(BasicKey()), (Picture{"rr....", "rr.rrr", "...rrr", "...rrr"}));
    EXPECT_EQ(SelectClipRgn(canvas.Dc(), nullptr), SIMPLEREGION);
}

TEST(Clip, IntersectAndExcludeNarrowTheClip) {
    CCanvas canvas(5, 3);
    EXPECT_EQ(IntersectClipRect(canvas.Dc(), 1, 0, 5, 3), SIMPLEREGION);
    EXPECT_EQ(ExcludeClipRect(canvas.Dc(), 2, 1, 4, 2), COMPLEXREGION);
    RECT box;
    EXPECT_EQ(GetClipBox(canvas.Dc(), &box), COMPLEXREGION);
    EXPECT_EQ(box, (RECT{1, 0, 5, 3}));
    FillAll(canvas.Dc(), kBlue, 5, 3);
    EXPECT_EQ(canvas.Picture(BasicKey()), (Picture{".bbbb", ".b..b", ".bbbb"}));
    EXPECT_EQ(IntersectClipRect(canvas.Dc(), 0, 0, 1, 1), NULLREGION);
    // With nothing left to draw, drawing calls still succeed and change nothing.
    SetPixel(canvas.Dc(), 0, 0, kRed);
    EXPECT_EQ(canvas.At(0, 0), kWhite);
    EXPECT_EQ(GetPixel(canvas.Dc(), 0, 0), CLR_INVALID);
}

TEST(Clip, SaveAndRestoreBringBackClipColoursAndObjects) {
    CCanvas canvas(4, 1);
    HDC dc = canvas.Dc();
    const LOGFONT description;
    CGdiHandle<HFONT> font(CreateFontIndirect(&description));
    CGdiHandle<HPEN> pen(CreatePen(PS_SOLID, 1, kRed));
    const HGDIOBJ originalPen = GetCurrentObject(dc, OBJ_PEN);
    const int first = SaveDC(dc);
    EXPECT_EQ(first, 1);
    SetTextColor(dc, kRed);
    SetBkMode(dc, TRANSPARENT);
    SelectObject(dc, pen.Get());
    SelectObject(dc, font.Get());
    IntersectClipRect(dc, 0, 0, 1, 1);
    EXPECT_EQ(SaveDC(dc), 2);
    SetBkColor(dc, kBlue);
    SelectClipRgn(dc, nullptr);
    IntersectClipRect(dc, 3, 0, 4, 1);
    EXPECT_TRUE(RestoreDC(dc, -1));
    EXPECT_EQ(GetBkColor(dc), kWhite);
    FillAll(dc, kGreen, 4, 1);
    EXPECT_EQ(canvas.Picture(BasicKey()), (Picture{"g..."}));
    EXPECT_TRUE(RestoreDC(dc, first));
    EXPECT_EQ(GetTextColor(dc), kBlack);
    EXPECT_EQ(GetBkMode(dc), OPAQUE);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), originalPen);
    EXPECT_NE(GetCurrentObject(dc, OBJ_FONT), font.Get());
    CGdiHandle<HRGN> probe(CreateRectRgn(0, 0, 0, 0));
    EXPECT_EQ(GetClipRgn(dc, probe), 0);
    EXPECT_FALSE(RestoreDC(dc, 1)); // nothing saved any more
    {
        CDcStateSaver saver(dc);
        SetTextColor(dc, kBlue);
    }
    EXPECT_EQ(GetTextColor(dc), kBlack);
}

TEST(Clip, RegionCombinationsAndQueries) {
    struct Case {
        int mode;
        int kind;
        RECT box;
    } cases[] = {
        {RGN_AND, SIMPLEREGION, {2, 2, 4, 4}},  {RGN_OR, COMPLEXREGION, {0, 0, 6, 6}},
        {RGN_XOR, COMPLEXREGION, {0, 0, 6, 6}}, {RGN_DIFF, COMPLEXREGION, {0, 0, 4, 4}},
        {RGN_COPY, SIMPLEREGION, {0, 0, 4, 4}},
    };
    CGdiHandle<HRGN> a(CreateRectRgn(0, 0, 4, 4));
    CGdiHandle<HRGN> b(CreateRectRgn(2, 2, 6, 6));
    for (const Case& c : cases) {
        CGdiHandle<HRGN> out(CreateRectRgn(0, 0, 0, 0));
        EXPECT_EQ(CombineRgn(out, a, b, c.mode), c.kind) << c.mode;
        RECT box;
        EXPECT_EQ(GetRgnBox(out, &box), c.kind);
        EXPECT_EQ(box, c.box) << c.mode;
    }
    CGdiHandle<HRGN> out(CreateRectRgn(0, 0, 0, 0));
    EXPECT_EQ(CombineRgn(out, a, a, RGN_DIFF), NULLREGION);
    EXPECT_EQ(CombineRgn(out, a, nullptr, RGN_OR), ERROR);
    EXPECT_TRUE(PtInRegion(a, 3, 3));
    EXPECT_FALSE(PtInRegion(a, 4, 3));
    EXPECT_EQ(OffsetRgn(a, 10, 0), SIMPLEREGION);
    EXPECT_TRUE(PtInRegion(a, 13, 3));
}

TEST(Clip, FillRgnPaintsEveryRectangleOfTheRegion) {
    CCanvas canvas(4, 2);
    CGdiHandle<HRGN> a(CreateRectRgn(0, 0, 1, 1));
    CGdiHandle<HRGN> b(CreateRectRgn(2, 1, 4, 2));
    CombineRgn(a, a, b, RGN_OR);
    CGdiHandle<HBRUSH> red(CreateSolidBrush(kRed));
    EXPECT_TRUE(FillRgn(canvas.Dc(), a, red));
    EXPECT_EQ(canvas.Picture(BasicKey()), (Picture{"r...", "..rr"}));
}

} // namespace

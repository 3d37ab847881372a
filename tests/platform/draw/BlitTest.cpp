#include "tests/support/Canvas.h"

namespace {

using Picture = std::vector<std::string>;

// A canvas holding a 4 x 2 source: red green / blue black, in a 6 x 4 white frame.
void PaintSource(CCanvas& source) {
    SetPixel(source.Dc(), 0, 0, kRed);
    SetPixel(source.Dc(), 1, 0, kGreen);
    SetPixel(source.Dc(), 0, 1, kBlue);
    SetPixel(source.Dc(), 1, 1, kBlack);
}

TEST(Blit, RasterOperationsCombineSourceAndDestination) {
    struct Case {
        const char* name;
        DWORD rop;
        COLORREF dest;
        COLORREF source;
        COLORREF expected;
    } cases[] = {
        {"copy", SRCCOPY, RGB(10, 20, 30), RGB(200, 100, 50), RGB(200, 100, 50)},
        {"and", SRCAND, RGB(0xF0, 0x0F, 0xFF), RGB(0x3C, 0x3C, 0x00), RGB(0x30, 0x0C, 0x00)},
        {"paint", SRCPAINT, RGB(0xF0, 0x0F, 0x00), RGB(0x0F, 0x30, 0x01), RGB(0xFF, 0x3F, 0x01)},
        {"invert", SRCINVERT, RGB(0xFF, 0x00, 0x0F), RGB(0x0F, 0x0F, 0x0F), RGB(0xF0, 0x0F, 0x00)},
        {"not copy", NOTSRCCOPY, RGB(1, 2, 3), RGB(0, 0x80, 0xFF), RGB(0xFF, 0x7F, 0x00)},
        {"erase", SRCERASE, RGB(0x0F, 0, 0), RGB(0xFF, 0, 0), RGB(0xF0, 0, 0)},
        {"dest invert", DSTINVERT, RGB(0, 0x10, 0xFF), RGB(9, 9, 9), RGB(0xFF, 0xEF, 0x00)},
        {"blackness", BLACKNESS, RGB(5, 5, 5), RGB(9, 9, 9), RGB(0, 0, 0)},
        {"whiteness", WHITENESS, RGB(5, 5, 5), RGB(9, 9, 9), RGB(255, 255, 255)},
    };
    for (const Case& c : cases) {
        CCanvas dest(2, 1, c.dest);
        CCanvas source(2, 1, c.source);
        EXPECT_TRUE(BitBlt(dest.Dc(), 0, 0, 1, 1, source.Dc(), 0, 0, c.rop)) << c.name;
        EXPECT_EQ(dest.At(0, 0), c.expected) << c.name;
        EXPECT_EQ(dest.At(1, 0), c.dest) << c.name << ": outside the block";
    }
}

TEST(Blit, PatternOperationsUseTheSelectedBrush) {
    CCanvas canvas(3, 1, RGB(0x0F, 0xF0, 0x00));
    CGdiHandle<HBRUSH> brush(CreateSolidBrush(RGB(0xFF, 0x00, 0x0F)));
    SelectObject(canvas.Dc(), brush.Get());
    EXPECT_TRUE(PatBlt(canvas.Dc(), 0, 0, 1, 1, PATCOPY));
    EXPECT_TRUE(PatBlt(canvas.Dc(), 1, 0, 1, 1, PATINVERT));
    EXPECT_FALSE(PatBlt(canvas.Dc(), 2, 0, 1, 1, SRCCOPY)); // needs a source
    EXPECT_EQ(canvas.At(0, 0), RGB(0xFF, 0x00, 0x0F));
    EXPECT_EQ(canvas.At(1, 0), RGB(0xF0, 0xF0, 0x0F));
    EXPECT_EQ(canvas.At(2, 0), RGB(0x0F, 0xF0, 0x00));
    SelectObject(canvas.Dc(), static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
}

TEST(Blit, CopyClipsToTheSourceBitmap) {
    CCanvas source(2, 2, kRed);
    CCanvas dest(4, 3);
    // Half the block lies beyond the source's right edge: that half stays as it was.
    BitBlt(dest.Dc(), 0, 0, 4, 2, source.Dc(), 0, 0, SRCCOPY);
    BitBlt(dest.Dc(), 0, 2, 4, 1, source.Dc(), -2, 0, SRCCOPY);
    EXPECT_EQ(dest.Picture(BasicKey()), (Picture{"rr..", "rr..", "..rr"}));
    // Absurd sizes are bounded, not overflowed.
    EXPECT_TRUE(BitBlt(dest.Dc(), 10, 10, 2147483647, 2147483647, source.Dc(), 0, 0, SRCCOPY));
    EXPECT_TRUE(
        StretchBlt(dest.Dc(), -2147483647, 0, -2147483647, 3, source.Dc(), 0, 0, 2, 2, SRCCOPY));
}

TEST(Blit, StretchUsesNearestPixelsAndMirrorsNegativeSizes) {
    CCanvas source(2, 2);
    PaintSource(source);
    CCanvas dest(4, 4);
    EXPECT_TRUE(StretchBlt(dest.Dc(), 0, 0, 4, 4, source.Dc(), 0, 0, 2, 2, SRCCOPY));
    EXPECT_EQ(dest.Picture(BasicKey()), (Picture{"rrgg", "rrgg", "bb##", "bb##"}));
    CCanvas mirrored(2, 2);
    StretchBlt(mirrored.Dc(), 2, 0, -2, 2, source.Dc(), 0, 0, 2, 2, SRCCOPY);
    EXPECT_EQ(mirrored.Picture(BasicKey()), (Picture{"gr", "#b"}));
    CCanvas shrunk(1, 1);
    StretchBlt(shrunk.Dc(), 0, 0, 1, 1, source.Dc(), 0, 0, 2, 2, SRCCOPY);
    EXPECT_EQ(shrunk.At(0, 0), kBlack); // the pixel under the centre
}

TEST(Blit, TransparentCopyLeavesKeyColouredPixels) {
    CCanvas source(2, 2, RGB(255, 0, 255));
    SetPixel(source.Dc(), 0, 0, kRed);
    SetPixel(source.Dc(), 1, 1, kBlue);
    CCanvas dest(4, 4, kGreen);
    EXPECT_TRUE(TransparentBlt(dest.Dc(), 0, 0, 4, 4, source.Dc(), 0, 0, 2, 2, RGB(255, 0, 255)));
    EXPECT_EQ(dest.Picture(BasicKey()), (Picture{"rrgg", "rrgg", "ggbb", "ggbb"}));
}

// The masked copy of the skins: a monochrome mask from the key colour, the key pixels of the
// colour copy blacked out, then destination AND mask, OR colour.
TEST(Blit, MaskedCopyThroughAMonochromeMaskKeepsTheDestinationUnderTheKey) {
    const COLORREF key = RGB(255, 0, 255);
    CCanvas source(3, 1, key);
    SetPixel(source.Dc(), 1, 0, kRed);
    SetPixel(source.Dc(), 2, 0, RGB(254, 0, 255)); // close to the key, but not the key

    CGdiHandle<HBITMAP> mask(CreateBitmap(3, 1, 1, 1, nullptr));
    CMemoryDC maskDc;
    HBITMAP oldMask = SelectObject(maskDc, mask.Get());
    SetBkColor(source.Dc(), key);
    EXPECT_TRUE(BitBlt(maskDc, 0, 0, 3, 1, source.Dc(), 0, 0, SRCCOPY));
    EXPECT_EQ(GetPixel(maskDc, 0, 0), kWhite);
    EXPECT_EQ(GetPixel(maskDc, 1, 0), kBlack);
    EXPECT_EQ(GetPixel(maskDc, 2, 0), kBlack);

    CCanvas colour(3, 1);
    BitBlt(colour.Dc(), 0, 0, 3, 1, source.Dc(), 0, 0, SRCCOPY);
    SetTextColor(colour.Dc(), kWhite);
    SetBkColor(colour.Dc(), kBlack);
    BitBlt(colour.Dc(), 0, 0, 3, 1, maskDc, 0, 0, SRCAND);
    EXPECT_EQ(colour.At(0, 0), kBlack);

    CCanvas dest(3, 1, kGreen);
    SetTextColor(dest.Dc(), kBlack);
    SetBkColor(dest.Dc(), kWhite);
    BitBlt(dest.Dc(), 0, 0, 3, 1, maskDc, 0, 0, SRCAND);
    BitBlt(dest.Dc(), 0, 0, 3, 1, colour.Dc(), 0, 0, SRCPAINT);
    EXPECT_EQ(dest.At(0, 0), kGreen);
    EXPECT_EQ(dest.At(1, 0), kRed);
    EXPECT_EQ(dest.At(2, 0), RGB(254, 0, 255));
    SelectObject(maskDc, oldMask);
}

// A 1 x 1 32-bit source pixel with straight alpha.
CGdiHandle<HBITMAP> AlphaPixel(COLORREF colour, BYTE alpha) {
    BITMAPINFO info;
    info.bmiHeader.biWidth = 1;
    info.bmiHeader.biHeight = -1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    CGdiHandle<HBITMAP> bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits));
    auto* p = static_cast<std::uint8_t*>(bits);
    p[0] = GetBValue(colour);
    p[1] = GetGValue(colour);
    p[2] = GetRValue(colour);
    p[3] = alpha;
    return bitmap;
}

TEST(Blit, AlphaBlendIsStraightAlphaWithTruncatingDivision) {
    struct Case {
        BYTE source;
        BYTE dest;
        BYTE alpha;
        BYTE expected; // (source * a + dest * (255 - a)) / 255, truncated
    } cases[] = {
        {255, 0, 128, 128}, {0, 255, 128, 127}, {200, 100, 77, 130},  {10, 250, 1, 249},
        {77, 99, 0, 99},    {77, 99, 255, 77},  {255, 255, 200, 255}, {1, 0, 254, 0},
    };
    for (const Case& c : cases) {
        CCanvas dest(1, 1, RGB(c.dest, c.dest, 0));
        CGdiHandle<HBITMAP> pixel = AlphaPixel(RGB(c.source, 0, c.source), c.alpha);
        CMemoryDC source;
        HBITMAP old = SelectObject(source, pixel.Get());
        BLENDFUNCTION blend;
        blend.AlphaFormat = AC_SRC_ALPHA;
        EXPECT_TRUE(AlphaBlend(dest.Dc(), 0, 0, 1, 1, source, 0, 0, 1, 1, blend));
        const COLORREF got = dest.At(0, 0);
        EXPECT_EQ(GetRValue(got), c.expected) << int(c.source) << " " << int(c.alpha);
        EXPECT_EQ(GetBValue(got), c.source * c.alpha / 255);
        EXPECT_EQ(GetGValue(got), c.dest * (255 - c.alpha) / 255);
        SelectObject(source, old);
    }
}

TEST(Blit, AlphaBlendRoundingHoldsForEveryAlphaLevel) {
    BITMAPINFO info;
    info.bmiHeader.biWidth = 256;
    info.bmiHeader.biHeight = -1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    CGdiHandle<HBITMAP> ramp(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits));
    CMemoryDC source;
    HBITMAP old = SelectObject(source, ramp.Get());
    const BYTE levels[] = {0, 1, 77, 127, 128, 200, 254, 255};
    for (BYTE s : levels) {
        for (BYTE d : levels) {
            auto* p = static_cast<std::uint32_t*>(bits);
            for (std::uint32_t a = 0; a < 256; ++a) {
                p[a] = (a << 24) | (std::uint32_t(s) << 16) | (std::uint32_t(255 - s) << 8) | s;
            }
            CCanvas dest(256, 1, RGB(d, 255 - d, d));
            BLENDFUNCTION blend;
            blend.AlphaFormat = AC_SRC_ALPHA;
            AlphaBlend(dest.Dc(), 0, 0, 256, 1, source, 0, 0, 256, 1, blend);
            for (int a = 0; a < 256; ++a) {
                const COLORREF got = dest.At(a, 0);
                ASSERT_EQ(GetRValue(got), (s * a + d * (255 - a)) / 255) << int(s) << " " << a;
                ASSERT_EQ(GetBValue(got), (s * a + d * (255 - a)) / 255);
                ASSERT_EQ(GetGValue(got), ((255 - s) * a + (255 - d) * (255 - a)) / 255);
            }
        }
    }
    SelectObject(source, old);
}

TEST(Blit, PerPixelAlphaNeedsA32BitSource) {
    CCanvas dest(1, 1);
    BITMAPINFO info;
    info.bmiHeader.biWidth = 1;
    info.bmiHeader.biHeight = 1;
    info.bmiHeader.biBitCount = 24;
    CGdiHandle<HBITMAP> rgb(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, nullptr));
    CMemoryDC source;
    HBITMAP old = SelectObject(source, rgb.Get());
    BLENDFUNCTION blend;
    blend.AlphaFormat = AC_SRC_ALPHA;
    EXPECT_FALSE(AlphaBlend(dest.Dc(), 0, 0, 1, 1, source, 0, 0, 1, 1, blend));
    EXPECT_EQ(dest.At(0, 0), kWhite);
    // A constant alpha works with any source.
    blend.AlphaFormat = 0;
    blend.SourceConstantAlpha = 51;
    EXPECT_TRUE(AlphaBlend(dest.Dc(), 0, 0, 1, 1, source, 0, 0, 1, 1, blend));
    EXPECT_EQ(dest.At(0, 0), RGB(204, 204, 204));
    SelectObject(source, old);
}

TEST(Blit, AlphaBlendOfASubImageColumnAtItsSize) {
    // A 4 x 1 strip of two 2-pixel sub-images: opaque red, half-transparent blue.
    BITMAPINFO info;
    info.bmiHeader.biWidth = 4;
    info.bmiHeader.biHeight = -1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    CGdiHandle<HBITMAP> strip(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits));
    const std::uint32_t pixels[] = {0xFFFF0000, 0x00FF0000, 0x800000FF, 0x800000FF};
    std::memcpy(bits, pixels, sizeof(pixels));
    CMemoryDC source;
    HBITMAP old = SelectObject(source, strip.Get());
    CCanvas dest(3, 1, kBlack);
    BLENDFUNCTION blend;
    blend.AlphaFormat = AC_SRC_ALPHA;
    AlphaBlend(dest.Dc(), 1, 0, 2, 1, source, 2, 0, 2, 1, blend);
    EXPECT_EQ(dest.At(0, 0), kBlack);
    EXPECT_EQ(dest.At(1, 0), RGB(0, 0, 128));
    EXPECT_EQ(dest.At(2, 0), RGB(0, 0, 128));
    SelectObject(source, old);
}

} // namespace

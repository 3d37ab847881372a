#include "tests/support/Canvas.h"

namespace {

using Picture = std::vector<std::string>;

BITMAPINFO Header(int width, int height, int bits) {
    BITMAPINFO info;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biBitCount = WORD(bits);
    return info;
}

// Shows a bitmap by copying it into a canvas.
std::vector<std::string> Show(HBITMAP bitmap, int width, int height) {
    CCanvas canvas(width, height);
    CMemoryDC dc;
    HBITMAP old = SelectObject(dc, bitmap);
    BitBlt(canvas.Dc(), 0, 0, width, height, dc, 0, 0, SRCCOPY);
    SelectObject(dc, old);
    return canvas.Picture(BasicKey());
}

TEST(Bitmap, SectionsKeepTheirDepthAndRowOrder) {
    // Two rows: red over blue. Memory rows of a bottom-up section start with the bottom row.
    struct Case {
        int bits;
        int height;
        std::vector<std::uint8_t> rows; // memory order, padded to 4 bytes
    } cases[] = {
        {24, 2, {255, 0, 0, 0, 0, 0, 255, 0}},  // bottom-up: blue row first
        {24, -2, {0, 0, 255, 0, 255, 0, 0, 0}}, // top-down: red row first
        {32, 2, {255, 0, 0, 0, 0, 0, 255, 0}},  // bottom-up
        {8, 2, {1, 0, 0, 0, 0, 0, 0, 0}},       // palette: 0 red, 1 blue
    };
    for (const Case& c : cases) {
        BITMAPINFO info = Header(1, c.height, c.bits);
        if (c.bits == 8) {
            info.bmiHeader.biClrUsed = 2;
            info.bmiColors[0] = RGBQUAD{0, 0, 255, 0};
            info.bmiColors[1] = RGBQUAD{255, 0, 0, 0};
        }
        void* bits = nullptr;
        CGdiHandle<HBITMAP> bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits));
        ASSERT_TRUE(bitmap) << c.bits;
        const int stride = c.bits == 32 ? 4 : 4;
        for (std::size_t row = 0; row < 2; ++row) {
            std::memcpy(static_cast<std::uint8_t*>(bits) + row * stride,
                        c.rows.data() + row * (c.rows.size() / 2), std::size_t(c.bits / 8));
        }
        BITMAP described;
        ASSERT_TRUE(GetObject(bitmap.Get(), &described));
        EXPECT_EQ(described.bmBitsPixel, c.bits);
        EXPECT_EQ(described.bmBits, bits);
        EXPECT_EQ(Show(bitmap, 1, 2), (Picture{"r", "b"})) << c.bits << " " << c.height;
    }
}

TEST(Bitmap, SetDIBitsFillsABottomUpSectionFromRowsInTheSameOrder) {
    // The video wall's way: a 24-bit bottom-up picture handed over with SetDIBits.
    const int width = 2, height = 3;
    BITMAPINFO info = Header(width, height, 24);
    CGdiHandle<HBITMAP> bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, nullptr));
    const int stride = DibStride(width, 24);
    std::vector<std::uint8_t> rows(std::size_t(stride * height));
    // Memory row 0 is the bottom line: green; then black; the top line is red.
    const std::uint8_t colours[3][3] = {{0, 255, 0}, {0, 0, 0}, {0, 0, 255}};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            std::memcpy(&rows[std::size_t(y * stride + x * 3)], colours[y], 3);
        }
    }
    EXPECT_EQ(SetDIBits(nullptr, bitmap, 0, height, rows.data(), &info, DIB_RGB_COLORS), height);
    EXPECT_EQ(Show(bitmap, width, height), (Picture{"rr", "##", "gg"}));

    // GetDIBits gives the rows back in the format asked for.
    BITMAPINFO asked = Header(width, -height, 32);
    std::vector<std::uint32_t> back(std::size_t(width * height));
    EXPECT_EQ(GetDIBits(nullptr, bitmap, 0, height, back.data(), &asked, DIB_RGB_COLORS), height);
    EXPECT_EQ(back[0] & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(back[5] & 0xFFFFFF, 0x00FF00u);
    // In the bitmap's own layout the rows come back byte for byte.
    std::vector<std::uint8_t> same(rows.size(), 0xEE);
    EXPECT_EQ(GetDIBits(nullptr, bitmap, 0, height, same.data(), &info, DIB_RGB_COLORS), height);
    for (int y = 0; y < height; ++y) {
        EXPECT_TRUE(std::equal(rows.begin() + y * stride, rows.begin() + y * stride + width * 3,
                               same.begin() + y * stride))
            << y;
    }
}

TEST(Bitmap, EightBitSectionsDrawnIntoPickTheNearestPaletteEntry) {
    BITMAPINFO info = Header(2, 1, 8);
    for (int i = 0; i < 256; ++i) {
        info.bmiColors[i] = RGBQUAD{BYTE(i), BYTE(i), BYTE(i), 0}; // a grey ramp
    }
    void* bits = nullptr;
    CGdiHandle<HBITMAP> bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits));
    CMemoryDC dc;
    HBITMAP old = SelectObject(dc, bitmap.Get());
    SetPixel(dc, 0, 0, RGB(110, 110, 110));
    SetPixel(dc, 1, 0, RGB(200, 202, 204));
    EXPECT_EQ(static_cast<std::uint8_t*>(bits)[0], 110);
    EXPECT_EQ(static_cast<std::uint8_t*>(bits)[1], 202);
    SelectObject(dc, old);
}

TEST(Bitmap, BadHeadersAndHandlesAreRefused) {
    const BITMAPINFO bad[] = {Header(0, 1, 24), Header(1, 0, 24), Header(1, 1, 16),
                              Header(1 << 20, 1, 32)};
    for (const BITMAPINFO& info : bad) {
        void* bits = reinterpret_cast<void*>(1);
        EXPECT_EQ(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits), nullptr);
        EXPECT_EQ(bits, nullptr);
    }
    EXPECT_EQ(CreateCompatibleBitmap(nullptr, 0, 5), nullptr);
    HBITMAP gone = CreateCompatibleBitmap(nullptr, 1, 1);
    EXPECT_TRUE(DeleteObject(gone));
    EXPECT_FALSE(DeleteObject(gone));
    BITMAP described;
    EXPECT_FALSE(GetObject(gone, &described));
    CMemoryDC dc;
    EXPECT_EQ(SelectObject(dc, gone), nullptr);
}

TEST(Bitmap, AnObjectDeletedWhileSelectedStaysUsableUntilDeselected) {
    CCanvas canvas(3, 1);
    HPEN pen = CreatePen(PS_SOLID, 1, kRed);
    HPEN old = SelectObject(canvas.Dc(), pen);
    EXPECT_TRUE(DeleteObject(pen));
    EXPECT_FALSE(IsGdiObject(pen)); // the handle is dead at once
    MoveToEx(canvas.Dc(), 0, 0, nullptr);
    LineTo(canvas.Dc(), 2, 0);
    EXPECT_EQ(canvas.Picture(BasicKey()), (Picture{"rr."}));
    SelectObject(canvas.Dc(), old); // frees the pen
}

TEST(Bitmap, CompatibleBitmapsAreColourEvenForAFreshMemoryContext) {
    CMemoryDC dc;
    CGdiHandle<HBITMAP> bitmap(CreateCompatibleBitmap(dc, 4, 4));
    BITMAP described;
    ASSERT_TRUE(GetObject(bitmap.Get(), &described));
    EXPECT_EQ(described.bmBitsPixel, 32);
    EXPECT_EQ(described.bmBits, nullptr);
}

} // namespace

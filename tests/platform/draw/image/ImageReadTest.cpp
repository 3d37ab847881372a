#include "platform/draw/Gdi.h"
#include "platform/draw/image/BmpRead.h"
#include "platform/draw/image/PngRead.h"

#include <gtest/gtest.h>
#include <png.h>

#include <cstring>
#include <vector>

namespace {

// A PNG made with libpng from RGBA pixels.
std::vector<std::uint8_t> EncodePng(int width, int height, const std::vector<std::uint8_t>& rgba,
                                    bool alpha) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = png_uint_32(width);
    image.height = png_uint_32(height);
    image.format = alpha ? PNG_FORMAT_RGBA : PNG_FORMAT_RGB;
    std::vector<std::uint8_t> rows;
    for (std::size_t i = 0; i < rgba.size(); i += 4) {
        rows.insert(rows.end(), rgba.begin() + std::ptrdiff_t(i),
                    rgba.begin() + std::ptrdiff_t(i + (alpha ? 4 : 3)));
    }
    png_alloc_size_t size = 0;
    png_image_write_to_memory(&image, nullptr, &size, 0, rows.data(), 0, nullptr);
    std::vector<std::uint8_t> bytes(size);
    EXPECT_TRUE(png_image_write_to_memory(&image, bytes.data(), &size, 0, rows.data(), 0, nullptr));
    bytes.resize(size);
    return bytes;
}

std::uint32_t PixelOf(HBITMAP bitmap, int x, int y) {
    std::uint32_t p = 0;
    bitmap->ReadSpan(x, y, 1, &p);
    return p;
}

TEST(PngRead, DecodesToStraightAlphaTopRowFirst) {
    const std::vector<std::uint8_t> rgba = {255, 0, 0,   255, 0,  255, 0,  128, //
                                            0,   0, 255, 0,   10, 20,  30, 77};
    CGdiHandle<HBITMAP> bitmap(
        LoadPngBitmap(EncodePng(2, 2, rgba, true).data(), EncodePng(2, 2, rgba, true).size()));
    ASSERT_TRUE(bitmap);
    BITMAP described;
    GetObject(bitmap.Get(), &described);
    EXPECT_EQ(described.bmBitsPixel, 32);
    EXPECT_EQ(described.bmWidth, 2);
    EXPECT_EQ(PixelOf(bitmap, 0, 0), 0xFFFF0000u);
    EXPECT_EQ(PixelOf(bitmap, 1, 0), 0x8000FF00u); // not premultiplied
    EXPECT_EQ(PixelOf(bitmap, 0, 1) >> 24, 0u);
    EXPECT_EQ(PixelOf(bitmap, 1, 1), 0x4D0A141Eu);
}

TEST(PngRead, ImagesWithoutAlphaAreOpaqueAndGarbageIsRefused) {
    const std::vector<std::uint8_t> rgba = {1, 2, 3, 0};
    const std::vector<std::uint8_t> png = EncodePng(1, 1, rgba, false);
    CGdiHandle<HBITMAP> bitmap(LoadPngBitmap(png.data(), png.size()));
    ASSERT_TRUE(bitmap);
    EXPECT_EQ(PixelOf(bitmap, 0, 0), 0xFF010203u);
    EXPECT_EQ(LoadPngBitmap(png.data(), png.size() / 2), nullptr);
    const std::uint8_t junk[] = {1, 2, 3, 4, 5, 6, 7, 8};
    EXPECT_EQ(LoadPngBitmap(junk, sizeof(junk)), nullptr);
    EXPECT_EQ(LoadPngBitmap(nullptr, 0), nullptr);
    EXPECT_EQ(LoadPngFile("/nonexistent.png"), nullptr);
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) {
        out.push_back(std::uint8_t(v >> (8 * i)));
    }
}
void Put16(std::vector<std::uint8_t>& out, std::uint16_t v) {
    out.push_back(std::uint8_t(v));
    out.push_back(std::uint8_t(v >> 8));
}

// A BMP file: file header, 40-byte info header, palette, rows.
std::vector<std::uint8_t> Bmp(int width, int height, int bits, const std::vector<RGBQUAD>& palette,
                              const std::vector<std::uint8_t>& rows) {
    std::vector<std::uint8_t> out = {'B', 'M'};
    const std::uint32_t offset = 14 + 40 + std::uint32_t(palette.size() * 4);
    Put32(out, offset + std::uint32_t(rows.size()));
    Put32(out, 0);
    Put32(out, offset);
    Put32(out, 40);
    Put32(out, std::uint32_t(width));
    Put32(out, std::uint32_t(height));
    Put16(out, 1);
    Put16(out, std::uint16_t(bits));
    Put32(out, 0);
    Put32(out, std::uint32_t(rows.size()));
    Put32(out, 2835);
    Put32(out, 2835);
    Put32(out, std::uint32_t(palette.size()));
    Put32(out, 0);
    for (const RGBQUAD& q : palette) {
        out.insert(out.end(), {q.rgbBlue, q.rgbGreen, q.rgbRed, 0});
    }
    out.insert(out.end(), rows.begin(), rows.end());
    return out;
}

TEST(BmpRead, KeepsDepthPaletteAndRowOrder) {
    struct Case {
        int bits;
        int height;
        std::vector<RGBQUAD> palette;
        std::vector<std::uint8_t> rows;
        std::uint32_t top;    // the pixel of the top row
        std::uint32_t bottom; // and of the bottom row
    } cases[] = {
        {8, 2, {{0, 0, 255, 0}, {255, 0, 0, 0}}, {1, 0, 0, 0, 0, 0, 0, 0}, 0xFF0000, 0x0000FF},
        {24, 2, {}, {1, 2, 3, 0, 4, 5, 6, 0}, 0x060504, 0x030201},
        {24, -2, {}, {1, 2, 3, 0, 4, 5, 6, 0}, 0x030201, 0x060504},
        {32, 2, {}, {1, 2, 3, 9, 4, 5, 6, 9}, 0x09060504, 0x09030201},
    };
    for (const Case& c : cases) {
        const std::vector<std::uint8_t> file = Bmp(1, c.height, c.bits, c.palette, c.rows);
        CGdiHandle<HBITMAP> bitmap(LoadBmpBitmap(file.data(), file.size()));
        ASSERT_TRUE(bitmap) << c.bits;
        EXPECT_EQ(bitmap.Get()->BitsPerPixel(), c.bits);
        EXPECT_EQ(bitmap.Get()->BottomUp(), c.height > 0);
        EXPECT_EQ(PixelOf(bitmap, 0, 0), c.top) << c.bits << " " << c.height;
        EXPECT_EQ(PixelOf(bitmap, 0, 1), c.bottom) << c.bits << " " << c.height;
        // A bare DIB, as bitmap resources hold them, reads the same.
        CGdiHandle<HBITMAP> bare(LoadBmpBitmap(file.data() + 14, file.size() - 14));
        ASSERT_TRUE(bare);
        EXPECT_EQ(PixelOf(bare, 0, 0), c.top);
    }
}

TEST(BmpRead, RefusesTruncatedCompressedAndUnsupportedImages) {
    const std::vector<std::uint8_t> good = Bmp(2, 2, 24, {}, std::vector<std::uint8_t>(16, 7));
    EXPECT_TRUE(CGdiHandle<HBITMAP>(LoadBmpBitmap(good.data(), good.size())));
    EXPECT_EQ(LoadBmpBitmap(good.data(), good.size() - 1), nullptr);
    EXPECT_EQ(LoadBmpBitmap(good.data(), 20), nullptr);
    std::vector<std::uint8_t> compressed = good;
    compressed[14 + 16] = 1; // BI_RLE8
    EXPECT_EQ(LoadBmpBitmap(compressed.data(), compressed.size()), nullptr);
    const std::vector<std::uint8_t> fourBit = Bmp(2, 2, 4, {}, std::vector<std::uint8_t>(8, 0));
    EXPECT_EQ(LoadBmpBitmap(fourBit.data(), fourBit.size()), nullptr);
    std::vector<std::uint8_t> hugePalette = Bmp(1, 1, 8, {{0, 0, 0, 0}}, {0, 0, 0, 0});
    hugePalette[14 + 32] = 0xFF;
    hugePalette[14 + 33] = 0xFF;
    EXPECT_EQ(LoadBmpBitmap(hugePalette.data(), hugePalette.size()), nullptr);
    std::vector<std::uint8_t> badOffset = good;
    badOffset[10] = 0xFF;
    badOffset[11] = 0xFF;
    EXPECT_EQ(LoadBmpBitmap(badOffset.data(), badOffset.size()), nullptr);
}

// Every header byte of a valid file set to extreme values, and every length cut: the
// decoders must refuse or decode, never read outside the data.
TEST(BmpRead, CorruptedHeadersAreHandledSafely) {
    const std::vector<std::uint8_t> valid =
        Bmp(3, 2, 8, {{0, 0, 255, 0}, {255, 0, 0, 0}}, std::vector<std::uint8_t>(8, 1));
    for (std::size_t at = 0; at < 14 + 40 + 8; ++at) {
        for (std::uint8_t value : {0x00, 0x01, 0x7F, 0x80, 0xFF}) {
            std::vector<std::uint8_t> bytes = valid;
            bytes[at] = value;
            DeleteObject(LoadBmpBitmap(bytes.data(), bytes.size()));
        }
    }
    for (std::size_t length = 0; length < valid.size(); ++length) {
        const std::vector<std::uint8_t> cut(valid.begin(), valid.begin() + std::ptrdiff_t(length));
        EXPECT_EQ(LoadBmpBitmap(cut.data(), cut.size()), nullptr) << length;
    }
}

TEST(PngRead, CorruptedFilesAreHandledSafely) {
    const std::vector<std::uint8_t> rgba(4 * 4 * 4, 90);
    const std::vector<std::uint8_t> valid = EncodePng(4, 4, rgba, true);
    for (std::size_t at = 0; at < valid.size(); ++at) {
        std::vector<std::uint8_t> bytes = valid;
        bytes[at] ^= 0xA5;
        DeleteObject(LoadPngBitmap(bytes.data(), bytes.size()));
    }
    // Cut inside the header or the pixel data: refused. (Losing only the end chunk still
    // gives the whole picture.)
    for (std::size_t length = 0; length < valid.size() / 2; ++length) {
        EXPECT_EQ(LoadPngBitmap(valid.data(), length), nullptr) << length;
    }
}

TEST(ImageFiles, TheShippedSkinImagesDecode) {
    const std::string skins = VISTREL_SKINS_DIR;
    CGdiHandle<HBITMAP> logo(LoadPngFile(skins + "/png/3-logomodule.png"));
    ASSERT_TRUE(logo);
    EXPECT_EQ(logo.Get()->Width(), 432);
    EXPECT_EQ(logo.Get()->Height(), 48);
    CGdiHandle<HBITMAP> panel(LoadBmpFile(skins + "/bitmap/107-panel.bmp"));
    ASSERT_TRUE(panel);
    EXPECT_EQ(panel.Get()->BitsPerPixel(), 8);
    EXPECT_EQ(panel.Get()->Width(), 3);
}

} // namespace

#include "platform/draw/image/PngWrite.h"

#include <gtest/gtest.h>
#include <png.h>

#include <cstdint>
#include <filesystem>
#include <vector>

namespace {

// Reads a PNG back as RGB rows with libpng's simplified reader.
std::vector<std::uint8_t> ReadRgb(const std::string& path, int& width, int& height) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) {
        return {};
    }
    image.format = PNG_FORMAT_RGB;
    std::vector<std::uint8_t> pixels(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) {
        return {};
    }
    width = int(image.width);
    height = int(image.height);
    return pixels;
}

std::string TempPath(const char* name) {
    return (std::filesystem::temp_directory_path() / name).string();
}

} // namespace

TEST(PngWrite, BgrAndBgrxRowsComeBackAsRgbTopRowFirst) {
    // Two rows of two pixels, with padding at the end of each row.
    const std::uint8_t bgrx[] = {1, 2, 3, 99, 4,  5,  6,  99, 0xEE, 0xEE, //
                                 7, 8, 9, 99, 10, 11, 12, 99, 0xEE, 0xEE};
    const std::uint8_t bgr[] = {1, 2, 3, 4,  5,  6,  0xEE, 0xEE, //
                                7, 8, 9, 10, 11, 12, 0xEE, 0xEE};
    const std::vector<std::uint8_t> expected = {3, 2, 1, 6, 5, 4, 9, 8, 7, 12, 11, 10};
    struct Case {
        const std::uint8_t* pixels;
        int stride;
        int bytesPerPixel;
    } cases[] = {{bgrx, 10, 4}, {bgr, 8, 3}};
    for (const Case& c : cases) {
        const std::string path = TempPath("vistrel_pngwrite.png");
        ASSERT_TRUE(WritePngFile(path, 2, 2, c.pixels, c.stride, c.bytesPerPixel));
        int width = 0, height = 0;
        EXPECT_EQ(ReadRgb(path, width, height), expected) << c.bytesPerPixel;
        EXPECT_EQ(width, 2);
        EXPECT_EQ(height, 2);
        std::filesystem::remove(path);
    }
}

TEST(PngWrite, RejectsBadArgumentsAndUnwritablePaths) {
    const std::uint8_t pixels[16] = {};
    const std::string path = TempPath("vistrel_pngwrite_bad.png");
    EXPECT_FALSE(WritePngFile(path, 0, 1, pixels, 4, 4));
    EXPECT_FALSE(WritePngFile(path, 1, 1, pixels, 4, 2));
    EXPECT_FALSE(WritePngFile(path, 2, 1, pixels, 4, 4)); // stride shorter than a row
    EXPECT_FALSE(WritePngFile(path, 1, 1, nullptr, 4, 4));
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_FALSE(WritePngFile("/nonexistent-dir/x.png", 1, 1, pixels, 4, 4));
}

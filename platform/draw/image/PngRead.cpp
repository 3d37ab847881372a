#include "platform/draw/image/PngRead.h"

#include "platform/draw/Bitmap.h"

#include <png.h>

#include <fstream>
#include <iterator>
#include <vector>

namespace {

// The largest picture decoded: far beyond any skin image, small enough to allocate.
constexpr png_uint_32 kMaxSide = 1 << 15;
constexpr std::uint64_t kMaxPixels = std::uint64_t(1) << 26;

// Frees what libpng's simplified reader holds, on every path.
class CPngImage {
public:
    CPngImage() { m_image.version = PNG_IMAGE_VERSION; }
    ~CPngImage() { png_image_free(&m_image); }
    CPngImage(const CPngImage&) = delete;
    CPngImage& operator=(const CPngImage&) = delete;
    png_image* operator->() { return &m_image; }
    png_image* Get() { return &m_image; }

private:
    png_image m_image{};
};

} // namespace

HBITMAP LoadPngBitmap(const std::uint8_t* data, std::size_t size) {
    if (!data || size == 0) {
        return nullptr;
    }
    CPngImage image;
    if (!png_image_begin_read_from_memory(image.Get(), data, size)) {
        return nullptr;
    }
    const png_uint_32 width = image->width, height = image->height;
    if (width == 0 || height == 0 || width > kMaxSide || height > kMaxSide ||
        std::uint64_t(width) * height > kMaxPixels) {
        return nullptr;
    }
    image->format = PNG_FORMAT_BGRA;
    BITMAPINFO info{};
    info.bmiHeader.biWidth = LONG(width);
    info.bmiHeader.biHeight = -LONG(height);
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    CGdiHandle<HBITMAP> bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits));
    if (!bitmap) {
        return nullptr;
    }
    if (!png_image_finish_read(image.Get(), nullptr, bits, png_int_32(width * 4), nullptr)) {
        return nullptr;
    }
    return bitmap.Release();
}

HBITMAP LoadPngFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return nullptr;
    }
    const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(file)),
                                          std::istreambuf_iterator<char>());
    return LoadPngBitmap(bytes.data(), bytes.size());
}

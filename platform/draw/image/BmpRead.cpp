#include "platform/draw/image/BmpRead.h"

#include "platform/draw/Bitmap.h"

#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kInfoHeaderSize = 40;
constexpr std::int64_t kMaxSide = 1 << 15;

std::uint32_t U32(const std::uint8_t* p) {
    return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) |
           (std::uint32_t(p[3]) << 24);
}
std::uint16_t U16(const std::uint8_t* p) {
    return std::uint16_t(p[0] | (p[1] << 8));
}

// Decodes a bare DIB; `pixelOffset` (from the start of `dib`) is given by a file header, else
// the rows follow the palette (and the bit masks of BI_BITFIELDS).
HBITMAP DecodeDib(const std::uint8_t* dib, std::size_t size, std::int64_t pixelOffset) {
    if (size < kInfoHeaderSize) {
        return nullptr;
    }
    const std::uint32_t headerSize = U32(dib);
    if (headerSize < kInfoHeaderSize || headerSize > size) {
        return nullptr;
    }
    BITMAPINFO info{};
    BITMAPINFOHEADER& h = info.bmiHeader;
    h.biWidth = LONG(U32(dib + 4));
    h.biHeight = LONG(U32(dib + 8));
    h.biPlanes = U16(dib + 12);
    h.biBitCount = U16(dib + 14);
    h.biCompression = U32(dib + 16);
    h.biClrUsed = U32(dib + 32);
    const std::int64_t height = h.biHeight < 0 ? -std::int64_t(h.biHeight) : h.biHeight;
    if (h.biPlanes != 1 || h.biWidth <= 0 || h.biWidth > kMaxSide || height == 0 ||
        height > kMaxSide) {
        return nullptr;
    }
    std::size_t offset = headerSize;
    if (h.biCompression == BI_BITFIELDS && h.biBitCount == 32) {
        // The masks follow a 40-byte header; later headers hold them inside.
        const std::size_t masks = headerSize == kInfoHeaderSize ? 12 : 0;
        if (offset + masks > size || headerSize < kInfoHeaderSize + 12 - masks) {
            return nullptr;
        }
        std::memcpy(info.bmiColors, dib + kInfoHeaderSize, 12);
        offset += masks;
    } else if (h.biCompression != BI_RGB) {
        return nullptr;
    }
    if (h.biBitCount == 1 || h.biBitCount == 8) {
        const std::size_t colours = h.biClrUsed ? h.biClrUsed : (std::size_t(1) << h.biBitCount);
        if (colours > (std::size_t(1) << h.biBitCount) || offset + colours * 4 > size) {
            return nullptr;
        }
        for (std::size_t i = 0; i < colours; ++i) {
            const std::uint8_t* q = dib + offset + i * 4;
            info.bmiColors[i] = RGBQUAD{q[0], q[1], q[2], 0};
        }
        h.biClrUsed = DWORD(colours);
        offset += colours * 4;
    } else if (h.biBitCount != 24 && h.biBitCount != 32) {
        return nullptr;
    }
    if (pixelOffset >= 0) {
        offset = std::size_t(pixelOffset);
    }
    const std::int64_t stride = DibStride(int(h.biWidth), h.biBitCount);
    if (offset > size || std::int64_t(size - offset) < stride * height) {
        return nullptr;
    }
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits);
    if (bitmap) {
        std::memcpy(bits, dib + offset, std::size_t(stride * height));
    }
    return bitmap;
}

} // namespace

HBITMAP LoadBmpBitmap(const std::uint8_t* data, std::size_t size) {
    if (!data) {
        return nullptr;
    }
    if (size >= 2 && data[0] == 'B' && data[1] == 'M') {
        if (size < kFileHeaderSize) {
            return nullptr;
        }
        const std::int64_t pixels = std::int64_t(U32(data + 10)) - std::int64_t(kFileHeaderSize);
        if (pixels < 0) {
            return nullptr;
        }
        return DecodeDib(data + kFileHeaderSize, size - kFileHeaderSize, pixels);
    }
    return DecodeDib(data, size, -1);
}

HBITMAP LoadBmpFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return nullptr;
    }
    const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(file)),
                                          std::istreambuf_iterator<char>());
    return LoadBmpBitmap(bytes.data(), bytes.size());
}

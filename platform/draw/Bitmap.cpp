#include "platform/draw/Bitmap.h"

#include "platform/draw/PixelColour.h"

#include <algorithm>
#include <climits>
#include <cstring>

namespace {

constexpr int kMaxDimension = 1 << 15;

std::uint32_t PaletteColour(const RGBQUAD& q) {
    return std::uint32_t(q.rgbBlue) | (std::uint32_t(q.rgbGreen) << 8) |
           (std::uint32_t(q.rgbRed) << 16);
}

int NearestPaletteIndex(const std::vector<RGBQUAD>& palette, std::uint32_t pixel) {
    const int b = int(pixel & 0xFF), g = int((pixel >> 8) & 0xFF), r = int((pixel >> 16) & 0xFF);
    int best = 0;
    int bestDistance = INT_MAX;
    for (std::size_t i = 0; i < palette.size(); ++i) {
        const int db = b - palette[i].rgbBlue, dg = g - palette[i].rgbGreen,
                  dr = r - palette[i].rgbRed;
        const int distance = db * db + dg * dg + dr * dr;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = int(i);
            if (distance == 0) {
                break;
            }
        }
    }
    return best;
}

// Reads n pixels of a packed row, starting at pixel x.
void DecodeRow(const std::uint8_t* row, int bitsPerPixel, const std::vector<RGBQUAD>& palette,
               int x, int n, std::uint32_t* out) {
    auto fromPalette = [&palette](int index) {
        return std::size_t(index) < palette.size() ? PaletteColour(palette[std::size_t(index)])
                                                   : 0u;
    };
    switch (bitsPerPixel) {
    case 32:
        std::memcpy(out, row + std::size_t(x) * 4, std::size_t(n) * 4);
        break;
    case 24:
        for (int i = 0; i < n; ++i) {
            const std::uint8_t* p = row + std::size_t(x + i) * 3;
            out[i] = std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16);
        }
        break;
    case 8:
        for (int i = 0; i < n; ++i) {
            out[i] = fromPalette(row[x + i]);
        }
        break;
    case 1:
        for (int i = 0; i < n; ++i) {
            const int bit = x + i;
            out[i] = fromPalette((row[bit >> 3] >> (7 - (bit & 7))) & 1);
        }
        break;
    default:
        break;
    }
}

void EncodeRow(std::uint8_t* row, int bitsPerPixel, const std::vector<RGBQUAD>& palette, int x,
               int n, const std::uint32_t* in) {
    switch (bitsPerPixel) {
    case 32:
        std::memcpy(row + std::size_t(x) * 4, in, std::size_t(n) * 4);
        break;
    case 24:
        for (int i = 0; i < n; ++i) {
            std::uint8_t* p = row + std::size_t(x + i) * 3;
            p[0] = std::uint8_t(in[i]);
            p[1] = std::uint8_t(in[i] >> 8);
            p[2] = std::uint8_t(in[i] >> 16);
        }
        break;
    case 8: {
        // Runs of one colour are common (fills), so the last lookup is reused.
        std::uint32_t last = ~0u;
        int index = 0;
        for (int i = 0; i < n; ++i) {
            const std::uint32_t colour = in[i] & kPixelColourMask;
            if (colour != last) {
                index = NearestPaletteIndex(palette, colour);
                last = colour;
            }
            row[x + i] = std::uint8_t(index);
        }
        break;
    }
    case 1:
        for (int i = 0; i < n; ++i) {
            const int bit = x + i;
            const std::uint8_t mask = std::uint8_t(0x80 >> (bit & 7));
            if (NearestPaletteIndex(palette, in[i] & kPixelColourMask) != 0) {
                row[bit >> 3] |= mask;
            } else {
                row[bit >> 3] &= std::uint8_t(~mask);
            }
        }
        break;
    default:
        break;
    }
}

bool SupportedDepth(int bitsPerPixel) {
    return bitsPerPixel == 1 || bitsPerPixel == 8 || bitsPerPixel == 24 || bitsPerPixel == 32;
}

// The palette a header describes (1 and 8 bits per pixel).
std::vector<RGBQUAD> PaletteOf(const BITMAPINFO& info) {
    const int bits = info.bmiHeader.biBitCount;
    if (bits != 1 && bits != 8) {
        return {};
    }
    std::size_t count = std::size_t(1) << bits;
    if (info.bmiHeader.biClrUsed != 0 && info.bmiHeader.biClrUsed < count) {
        count = info.bmiHeader.biClrUsed;
    }
    return std::vector<RGBQUAD>(info.bmiColors, info.bmiColors + count);
}

// Checks a header that describes pixel rows in memory.
bool ValidLayout(const BITMAPINFOHEADER& h) {
    if (h.biWidth <= 0 || h.biWidth > kMaxDimension || h.biHeight == 0 ||
        h.biHeight < -kMaxDimension || h.biHeight > kMaxDimension ||
        !SupportedDepth(h.biBitCount)) {
        return false;
    }
    if (h.biCompression == BI_RGB) {
        return true;
    }
    return h.biCompression == BI_BITFIELDS && h.biBitCount == 32;
}

bool StandardBitfields(const BITMAPINFO& info) {
    if (info.bmiHeader.biCompression != BI_BITFIELDS) {
        return true;
    }
    DWORD masks[3];
    std::memcpy(masks, info.bmiColors, sizeof(masks));
    return masks[0] == 0xFF0000 && masks[1] == 0xFF00 && masks[2] == 0xFF;
}

// Rows of this depth can be copied byte for byte into or out of the bitmap.
bool SameLayout(int bitsPerPixel, const CBitmap& bitmap) {
    return (bitsPerPixel == 24 || bitsPerPixel == 32) && bitmap.BitsPerPixel() == bitsPerPixel;
}

} // namespace

int DibStride(int width, int bitsPerPixel) {
    return ((width * bitsPerPixel + 31) / 32) * 4;
}

CBitmap::CBitmap(int width, int height, int bitsPerPixel, bool bottomUp, bool deviceIndependent,
                 std::vector<RGBQUAD> palette, bool stock)
    : CGdiObject(kKind, stock), m_width(width), m_height(height), m_bitsPerPixel(bitsPerPixel),
      m_stride(DibStride(width, bitsPerPixel)), m_bottomUp(bottomUp),
      m_deviceIndependent(deviceIndependent), m_palette(std::move(palette)),
      m_pixels(std::size_t(m_stride) * std::size_t(height)) {
    if (bitsPerPixel == 1 && m_palette.size() < 2) {
        m_palette = {RGBQUAD{0, 0, 0, 0}, RGBQUAD{255, 255, 255, 0}};
    }
}

void CBitmap::ReadSpan(int x, int y, int n, std::uint32_t* out) const {
    DecodeRow(Row(y), m_bitsPerPixel, m_palette, x, n, out);
}

void CBitmap::WriteSpan(int x, int y, int n, const std::uint32_t* in) {
    EncodeRow(Row(y), m_bitsPerPixel, m_palette, x, n, in);
}

HBITMAP CreateDIBSection(HDC, const BITMAPINFO* info, UINT usage, void** bits, void*, DWORD) {
    if (bits) {
        *bits = nullptr;
    }
    if (!info || usage != DIB_RGB_COLORS || !ValidLayout(info->bmiHeader) ||
        !StandardBitfields(*info)) {
        return nullptr;
    }
    const BITMAPINFOHEADER& h = info->bmiHeader;
    auto* bitmap = new CBitmap(h.biWidth, h.biHeight < 0 ? -h.biHeight : h.biHeight, h.biBitCount,
                               h.biHeight > 0, true, PaletteOf(*info));
    if (bits) {
        *bits = bitmap->Bits();
    }
    return bitmap;
}

HBITMAP CreateCompatibleBitmap(HDC, int width, int height) {
    if (width <= 0 || height <= 0 || width > kMaxDimension || height > kMaxDimension) {
        return nullptr;
    }
    return new CBitmap(width, height, 32, false, false);
}

HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits) {
    if (width <= 0 || height <= 0 || width > kMaxDimension || height > kMaxDimension ||
        planes != 1) {
        return nullptr;
    }
    const int depth = bitsPerPixel == 1 ? 1 : 32;
    auto* bitmap = new CBitmap(width, height, depth, false, false);
    if (bits) {
        // The classic layout pads rows to 16-bit words, ours to 32-bit words.
        const int sourceStride = ((width * depth + 15) / 16) * 2;
        const int rowBytes = (width * depth + 7) / 8;
        for (int y = 0; y < height; ++y) {
            std::memcpy(bitmap->Row(y),
                        static_cast<const std::uint8_t*>(bits) + std::size_t(y) * sourceStride,
                        std::size_t(rowBytes));
        }
    }
    return bitmap;
}

int SetDIBits(HDC, HBITMAP bitmap, UINT start, UINT lines, const void* bits, const BITMAPINFO* info,
              UINT usage) {
    CBitmap* target = GdiCast<CBitmap>(bitmap);
    if (!target || !bits || !info || usage != DIB_RGB_COLORS || !ValidLayout(info->bmiHeader) ||
        !StandardBitfields(*info)) {
        return 0;
    }
    const BITMAPINFOHEADER& h = info->bmiHeader;
    const bool bottomUp = h.biHeight > 0;
    const int sourceHeight = bottomUp ? h.biHeight : -h.biHeight;
    const int stride = DibStride(h.biWidth, h.biBitCount);
    const std::vector<RGBQUAD> palette = PaletteOf(*info);
    const int width = std::min(int(h.biWidth), target->Width());
    std::vector<std::uint32_t> row(static_cast<std::size_t>(width));
    int copied = 0;
    for (UINT i = 0; i < lines; ++i) {
        // Scan lines count from the bottom of a bottom-up picture, from the top otherwise.
        const long long scan = (long long)start + i;
        if (scan >= sourceHeight) {
            break;
        }
        const int y = bottomUp ? target->Height() - 1 - int(scan) : int(scan);
        if (y < 0 || y >= target->Height()) {
            continue;
        }
        const auto* source = static_cast<const std::uint8_t*>(bits) + std::size_t(i) * stride;
        if (SameLayout(h.biBitCount, *target)) {
            std::memcpy(target->Row(y), source, std::size_t(width) * (h.biBitCount / 8));
        } else {
            DecodeRow(source, h.biBitCount, palette, 0, width, row.data());
            target->WriteSpan(0, y, width, row.data());
        }
        ++copied;
    }
    return copied;
}

int GetDIBits(HDC, HBITMAP bitmap, UINT start, UINT lines, void* bits, BITMAPINFO* info,
              UINT usage) {
    CBitmap* source = GdiCast<CBitmap>(bitmap);
    if (!source || !info || usage != DIB_RGB_COLORS) {
        return 0;
    }
    BITMAPINFOHEADER& h = info->bmiHeader;
    if (!bits) {
        h.biSize = 40;
        h.biWidth = source->Width();
        h.biHeight = source->BottomUp() || !source->IsDeviceIndependent() ? source->Height()
                                                                          : -source->Height();
        h.biPlanes = 1;
        h.biBitCount = WORD(source->IsDeviceIndependent() ? source->BitsPerPixel() : 32);
        h.biCompression = BI_RGB;
        h.biSizeImage = DWORD(DibStride(h.biWidth, h.biBitCount) * source->Height());
        for (std::size_t i = 0; i < source->Palette().size() && i < 256; ++i) {
            info->bmiColors[i] = source->Palette()[i];
        }
        return source->Height();
    }
    if (!ValidLayout(h) || h.biBitCount == 1 || !StandardBitfields(*info)) {
        return 0;
    }
    const bool bottomUp = h.biHeight > 0;
    const int targetHeight = bottomUp ? h.biHeight : -h.biHeight;
    const int stride = DibStride(h.biWidth, h.biBitCount);
    const std::vector<RGBQUAD> palette = PaletteOf(*info);
    const int width = std::min(int(h.biWidth), source->Width());
    std::vector<std::uint32_t> row(static_cast<std::size_t>(width));
    int copied = 0;
    for (UINT i = 0; i < lines; ++i) {
        const long long scan = (long long)start + i;
        if (scan >= targetHeight) {
            break;
        }
        const int y = bottomUp ? source->Height() - 1 - int(scan) : int(scan);
        if (y < 0 || y >= source->Height()) {
            continue;
        }
        auto* out = static_cast<std::uint8_t*>(bits) + std::size_t(i) * stride;
        if (SameLayout(h.biBitCount, *source)) {
            std::memcpy(out, source->Row(y), std::size_t(width) * (h.biBitCount / 8));
        } else {
            source->ReadSpan(0, y, width, row.data());
            EncodeRow(out, h.biBitCount, palette, 0, width, row.data());
        }
        ++copied;
    }
    return copied;
}

bool GetObject(HBITMAP bitmap, BITMAP* out) {
    CBitmap* b = GdiCast<CBitmap>(bitmap);
    if (!b || !out) {
        return false;
    }
    out->bmType = 0;
    out->bmWidth = b->Width();
    out->bmHeight = b->Height();
    out->bmWidthBytes = b->Stride();
    out->bmPlanes = 1;
    out->bmBitsPixel = WORD(b->BitsPerPixel());
    out->bmBits = b->IsDeviceIndependent() ? b->Bits() : nullptr;
    return true;
}

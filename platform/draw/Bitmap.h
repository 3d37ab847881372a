// Bitmaps: pixel buffers of 1 (monochrome), 8 (with palette), 24 or 32 bits per pixel.
//
// Device-independent bitmaps keep the bit depth and row order they were made with (bottom-up
// when the height is positive). Compatible bitmaps and window surfaces are 32-bit BGRX, top row
// first. Rows are padded to a multiple of four bytes. In a 32-bit bitmap the fourth byte is
// kept by copies and holds straight (not premultiplied) alpha in decoded images.
#pragma once

#include "platform/draw/GdiObject.h"

#include <cstdint>
#include <vector>

struct RGBQUAD {
    BYTE rgbBlue = 0;
    BYTE rgbGreen = 0;
    BYTE rgbRed = 0;
    BYTE rgbReserved = 0;
};

constexpr DWORD BI_RGB = 0;
constexpr DWORD BI_BITFIELDS = 3;
constexpr UINT DIB_RGB_COLORS = 0;

struct BITMAPINFOHEADER {
    DWORD biSize = 40;
    LONG biWidth = 0;
    LONG biHeight = 0; // positive: bottom-up rows; negative: top-down
    WORD biPlanes = 1;
    WORD biBitCount = 0;
    DWORD biCompression = BI_RGB;
    DWORD biSizeImage = 0;
    LONG biXPelsPerMeter = 0;
    LONG biYPelsPerMeter = 0;
    DWORD biClrUsed = 0; // palette entries; 0 means all 2^bits for 1 and 8 bits per pixel
    DWORD biClrImportant = 0;
};

// Room for a full 8-bit palette, so a record on the stack always suffices.
struct BITMAPINFO {
    BITMAPINFOHEADER bmiHeader;
    RGBQUAD bmiColors[256];
};

struct BITMAP {
    LONG bmType = 0;
    LONG bmWidth = 0;
    LONG bmHeight = 0;
    LONG bmWidthBytes = 0;
    WORD bmPlanes = 1;
    WORD bmBitsPixel = 0;
    void* bmBits = nullptr; // the pixels of a device-independent bitmap, else null
};

class CBitmap : public CGdiObject {
public:
    static constexpr GdiKind kKind = GdiKind::Bitmap;

    // The pixels start zeroed. `palette` is used for 1 and 8 bits per pixel.
    CBitmap(int width, int height, int bitsPerPixel, bool bottomUp, bool deviceIndependent,
            std::vector<RGBQUAD> palette = {}, bool stock = false);

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    int BitsPerPixel() const { return m_bitsPerPixel; }
    int Stride() const { return m_stride; }
    bool BottomUp() const { return m_bottomUp; }
    bool IsDeviceIndependent() const { return m_deviceIndependent; }
    const std::vector<RGBQUAD>& Palette() const { return m_palette; }
    std::uint8_t* Bits() { return m_pixels.data(); }
    const std::uint8_t* Bits() const { return m_pixels.data(); }

    // Row y counted from the top of the picture, whatever the memory order.
    std::uint8_t* Row(int y) {
        return m_pixels.data() + std::size_t(m_bottomUp ? m_height - 1 - y : y) * m_stride;
    }
    const std::uint8_t* Row(int y) const {
        return m_pixels.data() + std::size_t(m_bottomUp ? m_height - 1 - y : y) * m_stride;
    }
    // Direct access to 32-bit pixels, null for other depths.
    std::uint32_t* Span32(int x, int y) {
        return m_bitsPerPixel == 32 ? reinterpret_cast<std::uint32_t*>(Row(y)) + x : nullptr;
    }
    // Converting access for any depth: n pixels from (x, y) as 0x00RRGGBB values (B in the
    // low byte, as they lie in a 32-bit row). Writing picks the nearest palette entry.
    void ReadSpan(int x, int y, int n, std::uint32_t* out) const;
    void WriteSpan(int x, int y, int n, const std::uint32_t* in);

private:
    int m_width;
    int m_height;
    int m_bitsPerPixel;
    int m_stride;
    bool m_bottomUp;
    bool m_deviceIndependent;
    std::vector<RGBQUAD> m_palette;
    std::vector<std::uint8_t> m_pixels;
};

// Bytes per row of a bitmap: padded to whole 32-bit words.
int DibStride(int width, int bitsPerPixel);

// A device-independent bitmap of 1, 8, 24 or 32 bits per pixel (BI_RGB; BI_BITFIELDS with the
// standard masks for 32 bits). `bits` receives the pixel memory. Null on a bad header.
HBITMAP CreateDIBSection(HDC hdc, const BITMAPINFO* info, UINT usage, void** bits,
                         void* section = nullptr, DWORD offset = 0);
// A 32-bit bitmap (the screen's format), whatever the context; the pixels start black.
HBITMAP CreateCompatibleBitmap(HDC hdc, int width, int height);
// bitsPerPixel 1 gives a monochrome bitmap (0 black, 1 white), anything else a 32-bit one.
// `bits`, when given, holds the rows top first, padded to 16-bit words as the classic call
// expects.
HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits);

// Copies `lines` rows starting at row `start` (counted from the bottom of the picture, as the
// classic calls do) from `bits`, laid out as `info` says, into the bitmap. Answers the number
// of rows copied, 0 on failure.
int SetDIBits(HDC hdc, HBITMAP bitmap, UINT start, UINT lines, const void* bits,
              const BITMAPINFO* info, UINT usage);
// With `bits` null, fills in the header of `info` (size, 32 bits for compatible bitmaps) and
// answers the height. Otherwise converts rows into the format of `info` (24 or 32 bits; 8 bits
// with the palette of `info`), answering the number of rows written.
int GetDIBits(HDC hdc, HBITMAP bitmap, UINT start, UINT lines, void* bits, BITMAPINFO* info,
              UINT usage);

bool GetObject(HBITMAP bitmap, BITMAP* out);

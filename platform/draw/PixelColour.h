// Conversions between COLORREF (red in the low byte) and 32-bit pixels (blue in the low byte).
#pragma once

#include "platform/base/Types.h"

#include <cstdint>

constexpr std::uint32_t PixelFromColour(COLORREF c) {
    return ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}
constexpr COLORREF ColourFromPixel(std::uint32_t p) {
    return ((p & 0xFFu) << 16) | (p & 0xFF00u) | ((p >> 16) & 0xFFu);
}
constexpr std::uint32_t kPixelColourMask = 0x00FFFFFFu;

// Decoding uncompressed BMP images into device-independent bitmaps.
#pragma once

#include "platform/draw/GdiObject.h"

#include <cstddef>
#include <cstdint>
#include <string>

// Accepts a BMP file (starting with "BM") or a bare DIB (an info header, palette and rows, as
// bitmap resources are stored), with 1, 8 (palette), 24 or 32 bits per pixel, uncompressed.
// The bitmap keeps the image's depth, palette and row order. Null for anything else, and for
// data too short for what its header claims.
HBITMAP LoadBmpBitmap(const std::uint8_t* data, std::size_t size);
HBITMAP LoadBmpFile(const std::string& path);

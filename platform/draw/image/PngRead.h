// Decoding PNG images, with their alpha, into 32-bit bitmaps.
#pragma once

#include "platform/draw/GdiObject.h"

#include <cstddef>
#include <cstdint>
#include <string>

// A 32-bit device-independent bitmap, top row first, with straight (not premultiplied) alpha
// in the fourth byte of each pixel; images without alpha come out opaque (255). Null when the
// data is not a PNG image this decoder can read or is unreasonably large.
HBITMAP LoadPngBitmap(const std::uint8_t* data, std::size_t size);
HBITMAP LoadPngFile(const std::string& path);

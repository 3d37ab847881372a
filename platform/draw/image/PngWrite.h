// Writing pixel rows to an RGB PNG file, for screenshots and test images.
#pragma once

#include <cstdint>
#include <string>

// Writes width x height pixels as an 8-bit RGB PNG. Rows are top row first, `stride` bytes
// apart; each pixel is B, G, R (bytesPerPixel 3) or B, G, R, unused (bytesPerPixel 4).
// Returns false, leaving no partial file behind, when the arguments are invalid or the file
// cannot be written.
bool WritePngFile(const std::string& path, int width, int height, const std::uint8_t* pixels,
                  int stride, int bytesPerPixel);

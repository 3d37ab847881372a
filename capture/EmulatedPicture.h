// The picture an emulated webcam sends: a scene that moves from frame to frame, with the
// frame's sequence number written along the bottom edge in 16 cells, white for 1 and black for
// 0, most significant bit first. The cells are large enough to be read back after MJPEG or
// H.264 compression, so tests can tell which frame a picture is.
#pragma once

#include <opencv2/core.hpp>

#include <cstdint>

constexpr int kEmulatedNumberBits = 16;

// Paints frame `sequence` into an 8-bit BGR image of any size from 64 x 48 on.
void PaintEmulatedFrame(cv::Mat& image, std::uint32_t sequence);
// The sequence number (modulo 2^16) shown by a picture painted above, from its BGR image or
// its luma plane (8-bit, one channel).
std::uint32_t ReadEmulatedFrameNumber(const cv::Mat& image);

// BGR to planar YUV 4:2:0 the way the stream encoder feeds libx264: OpenCV's BGR-to-YUV
// conversion (COLOR_BGR2YUV, to the bit), then full-resolution luma and chroma sampled (not
// averaged) once per 2 x 2 block.
#pragma once

#include <opencv2/core.hpp>

#include <cstdint>

struct YuvPlanes {
    std::uint8_t* data[3] = {};
    int lineSize[3] = {};
};

// `bgr` is 8-bit, 3 channels; the planes hold width x height luma bytes and
// ceil(width/2) x ceil(height/2) bytes of each chroma plane. The pair of chroma bytes that
// stands for a block is the one of its left pixel in its lower row (the last row for an odd
// height), exactly what writing every even column of every row in order leaves behind. One pass
// over the image, straight into the planes: nothing is allocated.
void ConvertBgrToYuv420(const cv::Mat& bgr, const YuvPlanes& planes);

// BGR to planar YUV 4:2:0 the way the stream encoder feeds libx264: OpenCV's BGR-to-YUV
// conversion, then full-resolution luma and chroma sampled (not averaged) once per 2 x 2 block.
#pragma once

#include <opencv2/core.hpp>

#include <cstdint>

struct YuvPlanes {
    std::uint8_t* data[3] = {};
    int lineSize[3] = {};
};

// `bgr` is 8-bit, 3 channels; the planes hold width x height luma bytes and
// ceil(width/2) x ceil(height/2) bytes of each chroma plane. `scratch` holds the full-size YUV
// image between calls so no frame allocates. The pair of chroma bytes that stands for a block
// is the one of its left pixel in its lower row (the last row for an odd height), exactly what
// writing every even column of every row in order leaves behind.
void ConvertBgrToYuv420(const cv::Mat& bgr, cv::Mat& scratch, const YuvPlanes& planes);

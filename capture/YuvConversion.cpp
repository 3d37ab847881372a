#include "capture/YuvConversion.h"

#include <opencv2/imgproc.hpp>

void ConvertBgrToYuv420(const cv::Mat& bgr, cv::Mat& scratch, const YuvPlanes& planes) {
    cv::cvtColor(bgr, scratch, cv::COLOR_BGR2YUV);
    const int width = scratch.cols;
    const int height = scratch.rows;
    for (int i = 0; i < height; ++i) {
        const std::uint8_t* source = scratch.ptr<std::uint8_t>(i);
        std::uint8_t* luma = planes.data[0] + static_cast<std::ptrdiff_t>(i) * planes.lineSize[0];
        for (int j = 0; j < width; ++j)
            luma[j] = source[3 * j];
    }
    // Writing chroma for every row in order would leave each chroma row with the values of the
    // last image row that maps to it, so only that row is read.
    for (int r = 0; r < (height + 1) / 2; ++r) {
        const std::uint8_t* source = scratch.ptr<std::uint8_t>(std::min(2 * r + 1, height - 1));
        std::uint8_t* u = planes.data[1] + static_cast<std::ptrdiff_t>(r) * planes.lineSize[1];
        std::uint8_t* v = planes.data[2] + static_cast<std::ptrdiff_t>(r) * planes.lineSize[2];
        for (int j = 0; j < width; j += 2) {
            u[j / 2] = source[3 * j + 1];
            v[j / 2] = source[3 * j + 2];
        }
    }
}

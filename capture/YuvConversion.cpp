#include "capture/YuvConversion.h"

#include <opencv2/imgproc.hpp>

void ConvertBgrToYuv420(const cv::Mat& bgr, cv::Mat& scratch, const YuvPlanes& planes) {
    cv::cvtColor(bgr, scratch, cv::COLOR_BGR2YUV);
    const int width = scratch.cols;
    const int height = scratch.rows;
    cv::Mat luma(height, width, CV_8UC1, planes.data[0],
                 static_cast<std::size_t>(planes.lineSize[0]));
    cv::extractChannel(scratch, luma, 0);
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

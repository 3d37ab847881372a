#include "capture/EmulatedPicture.h"

#include <opencv2/imgproc.hpp>

#include <algorithm>

namespace {

// The cell of bit `bit` (0 = most significant): a row of squares along the bottom edge.
cv::Rect NumberCell(cv::Size size, int bit) {
    const int width = size.width / kEmulatedNumberBits;
    const int height = std::min(width, size.height / 6);
    return {bit * width, size.height - height, width, height};
}

} // namespace

void PaintEmulatedFrame(cv::Mat& image, std::uint32_t sequence) {
    const cv::Size size = image.size();
    // A slowly changing background and a square that crosses the picture.
    const double phase = static_cast<double>(sequence % 256);
    image.setTo(cv::Scalar(64 + phase / 2, 96, 192 - phase / 2));
    const int square = size.height / 4;
    const int travel = std::max(1, size.width - square);
    const int x = static_cast<int>((sequence * 6) % (2 * travel));
    const int left = x < travel ? x : 2 * travel - x;
    cv::rectangle(image, cv::Rect(left, size.height / 3, square, square), cv::Scalar(255, 255, 255),
                  cv::FILLED);
    for (int bit = 0; bit < kEmulatedNumberBits; ++bit) {
        const bool set = (sequence >> (kEmulatedNumberBits - 1 - bit)) & 1u;
        image(NumberCell(size, bit)).setTo(set ? cv::Scalar::all(255) : cv::Scalar::all(0));
    }
}

std::uint32_t ReadEmulatedFrameNumber(const cv::Mat& image) {
    std::uint32_t number = 0;
    for (int bit = 0; bit < kEmulatedNumberBits; ++bit) {
        const cv::Rect cell = NumberCell(image.size(), bit);
        // The middle of the cell: compression blurs its edges.
        const cv::Rect middle(cell.x + cell.width / 4, cell.y + cell.height / 4, cell.width / 2,
                              cell.height / 2);
        const cv::Scalar mean = cv::mean(image(middle));
        const double level = (mean[0] + mean[1] + mean[2]) / image.channels();
        number = (number << 1) | (level > 128 ? 1u : 0u);
    }
    return number;
}

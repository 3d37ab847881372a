// Test helper: frames with motion, so that real encoding has something to encode, and a hash
// that pins pictures and planes byte for byte.
#pragma once

#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>

#include <cstdint>
#include <initializer_list>
#include <vector>

inline cv::Mat MovingFrame(int number, cv::Size size = {160, 120}) {
    cv::Mat frame(size, CV_8UC3);
    for (int y = 0; y < size.height; ++y) {
        for (int x = 0; x < size.width; ++x) {
            frame.at<cv::Vec3b>(y, x) =
                cv::Vec3b(static_cast<uchar>((x + 3 * number) & 0xFF), static_cast<uchar>(y * 2),
                          static_cast<uchar>(128 + number));
        }
    }
    cv::rectangle(frame, cv::Rect((5 * number) % (size.width - 20), size.height / 2, 20, 20),
                  cv::Scalar(255, 255, 255), cv::FILLED);
    return frame;
}

// FNV-1a over the pixel bytes of the images in turn, row by row (without row padding).
inline std::uint64_t PixelHash(std::initializer_list<cv::Mat> images) {
    std::uint64_t hash = 14695981039346656037ULL;
    for (const cv::Mat& image : images) {
        const std::size_t rowBytes = image.cols * image.elemSize();
        for (int row = 0; row < image.rows; ++row) {
            const uchar* bytes = image.ptr(row);
            for (std::size_t i = 0; i < rowBytes; ++i) {
                hash = (hash ^ bytes[i]) * 1099511628211ULL;
            }
        }
    }
    return hash;
}

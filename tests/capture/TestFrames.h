// Test helper: frames with motion, so that real encoding has something to encode.
#pragma once

#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>

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

#include "capture/TestCamera.h"

#include <opencv2/imgproc.hpp>

#include <gtest/gtest.h>

// The frame number is drawn large in the middle of the picture: two frames differ there, and a
// frame redrawn with its number covered matches the number's outline nowhere else.
TEST(TestCamera, PictureShowsItsFrameNumber) {
    CameraSource source;
    source.width = 320;
    source.height = 240;
    source.onlyThisSize = true;
    CTestCamera camera(source);
    ASSERT_TRUE(camera.Open(320, 240));
    cv::Mat frame;
    ASSERT_TRUE(camera.Grab(frame));
    const long number = camera.LastFrameNumber();
    EXPECT_GE(number, 0);

    // The number's glyphs are white with a black outline; find them where putText puts them.
    const std::string text = std::to_string(number);
    cv::Mat mask = cv::Mat::zeros(frame.size(), CV_8UC1);
    camera.DrawFrameNumber(mask, number, cv::Scalar(255));
    int whiteInGlyphs = 0;
    int glyphPixels = 0;
    for (int y = 0; y < mask.rows; ++y) {
        for (int x = 0; x < mask.cols; ++x) {
            if (mask.at<uchar>(y, x)) {
                ++glyphPixels;
                whiteInGlyphs += frame.at<cv::Vec3b>(y, x) == cv::Vec3b(255, 255, 255);
            }
        }
    }
    ASSERT_GT(glyphPixels, 50);
    EXPECT_EQ(whiteInGlyphs, glyphPixels);

    cv::Mat next;
    ASSERT_TRUE(camera.Grab(next));
    EXPECT_GT(camera.LastFrameNumber(), number);
}

#include "capture/YuvConversion.h"

#include "TestFrames.h"

#include <opencv2/imgproc.hpp>

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

// The conversion written out as it is defined: every row top to bottom, every column left to
// right; even columns write their chroma pair, so later rows overwrite earlier ones.
void Reference(const cv::Mat& bgr, std::vector<uchar>& y, std::vector<uchar>& u,
               std::vector<uchar>& v, int chromaStride) {
    cv::Mat yuv;
    cv::cvtColor(bgr, yuv, cv::COLOR_BGR2YUV);
    for (int i = 0; i < bgr.rows; ++i) {
        for (int j = 0; j < bgr.cols; ++j) {
            const cv::Vec3b s = yuv.at<cv::Vec3b>(i, j);
            y[static_cast<std::size_t>(i * bgr.cols + j)] = s[0];
            if (j % 2 == 0) {
                u[static_cast<std::size_t>((i / 2) * chromaStride + j / 2)] = s[1];
                v[static_cast<std::size_t>((i / 2) * chromaStride + j / 2)] = s[2];
            }
        }
    }
}

cv::Mat DistinctPixels(int width, int height) {
    cv::Mat bgr(height, width, CV_8UC3);
    cv::RNG random(7);
    random.fill(bgr, cv::RNG::UNIFORM, 0, 256);
    return bgr;
}

} // namespace

// The planes the encoder has always been given for these pictures, as recorded from the
// conversion built on one whole-image cvtColor: any change in the bytes libx264 sees fails here.
TEST(YuvConversion, PlanesOfFixedPicturesAreTheRecordedOnes) {
    const struct {
        const char* name;
        cv::Mat bgr;
        std::uint64_t hash;
    } cases[] = {
        {"noise 640x480", DistinctPixels(640, 480), 6359834305037027862ULL},
        {"noise 321x243", DistinctPixels(321, 243), 6430988140625830693ULL},
        {"moving 640x480", MovingFrame(17, {640, 480}), 16282044236702251878ULL},
        {"moving 320x240", MovingFrame(5, {320, 240}), 7334406390432777934ULL},
    };
    for (const auto& c : cases) {
        const int width = c.bgr.cols;
        const int cw = (width + 1) / 2;
        const int ch = (c.bgr.rows + 1) / 2;
        cv::Mat y(c.bgr.size(), CV_8UC1), u(ch, cw, CV_8UC1), v(ch, cw, CV_8UC1);
        YuvPlanes planes;
        planes.data[0] = y.data;
        planes.data[1] = u.data;
        planes.data[2] = v.data;
        planes.lineSize[0] = width;
        planes.lineSize[1] = cw;
        planes.lineSize[2] = cw;
        ConvertBgrToYuv420(c.bgr, planes);
        EXPECT_EQ(PixelHash({y, u, v}), c.hash) << c.name;
    }
}

TEST(YuvConversion, ChromaIsSampledFromTheLeftPixelOfEachBlocksLowerRow) {
    const cv::Size sizes[] = {{8, 6}, {7, 6}, {8, 5}, {5, 3}, {1, 1}};
    for (const cv::Size size : sizes) {
        const cv::Mat bgr = DistinctPixels(size.width, size.height);
        const int cw = (size.width + 1) / 2;
        const int ch = (size.height + 1) / 2;
        std::vector<uchar> y(size.area()), u(cw * ch), v(cw * ch);
        std::vector<uchar> ry(y.size()), ru(u.size()), rv(v.size());
        Reference(bgr, ry, ru, rv, cw);

        YuvPlanes planes;
        planes.data[0] = y.data();
        planes.data[1] = u.data();
        planes.data[2] = v.data();
        planes.lineSize[0] = size.width;
        planes.lineSize[1] = cw;
        planes.lineSize[2] = cw;
        ConvertBgrToYuv420(bgr, planes);
        EXPECT_EQ(y, ry) << size;
        EXPECT_EQ(u, ru) << size;
        EXPECT_EQ(v, rv) << size;
    }
}

TEST(YuvConversion, ChromaIsNotAveraged) {
    // One 2 x 2 block: blue everywhere except the lower-left pixel, which is red. Averaging
    // would mix them; sampling takes the red pixel's chroma alone.
    cv::Mat bgr(2, 2, CV_8UC3, cv::Scalar(255, 0, 0));
    bgr.at<cv::Vec3b>(1, 0) = cv::Vec3b(0, 0, 255);
    cv::Mat expected;
    cv::cvtColor(cv::Mat(1, 1, CV_8UC3, cv::Scalar(0, 0, 255)), expected, cv::COLOR_BGR2YUV);

    uchar y[4] = {}, u = 0, v = 0;
    YuvPlanes planes;
    planes.data[0] = y;
    planes.data[1] = &u;
    planes.data[2] = &v;
    planes.lineSize[0] = 2;
    planes.lineSize[1] = 1;
    planes.lineSize[2] = 1;
    ConvertBgrToYuv420(bgr, planes);
    EXPECT_EQ(u, expected.at<cv::Vec3b>(0, 0)[1]);
    EXPECT_EQ(v, expected.at<cv::Vec3b>(0, 0)[2]);
}

// Every BGR colour, at a luma position and at a chroma position: a picture of all 2^24 colours
// in turn, shifted so that each colour lands once on an even column of an odd row.
TEST(YuvConversion, EveryColourConvertsAsOpenCvConvertsIt) {
    constexpr int kSide = 4096;
    cv::Mat bgr(kSide, kSide, CV_8UC3);
    cv::Mat y(kSide, kSide, CV_8UC1), u(kSide / 2, kSide / 2, CV_8UC1), v(u.size(), CV_8UC1);
    YuvPlanes planes;
    planes.data[0] = y.data;
    planes.data[1] = u.data;
    planes.data[2] = v.data;
    planes.lineSize[0] = kSide;
    planes.lineSize[1] = kSide / 2;
    planes.lineSize[2] = kSide / 2;
    cv::Mat yuv;
    cv::Mat expectedY;
    for (const int shift : {0, 1, kSide, kSide + 1}) {
        for (int i = 0; i < kSide * kSide; ++i) {
            const int colour = (i + shift) & 0xFFFFFF;
            bgr.data[3 * i] = static_cast<uchar>(colour);
            bgr.data[3 * i + 1] = static_cast<uchar>(colour >> 8);
            bgr.data[3 * i + 2] = static_cast<uchar>(colour >> 16);
        }
        ConvertBgrToYuv420(bgr, planes);
        cv::cvtColor(bgr, yuv, cv::COLOR_BGR2YUV);
        cv::extractChannel(yuv, expectedY, 0);
        EXPECT_EQ(cv::countNonZero(y != expectedY), 0) << shift;
        int chromaDifferences = 0;
        for (int r = 0; r < kSide / 2; ++r) {
            for (int c = 0; c < kSide / 2; ++c) {
                const cv::Vec3b expected = yuv.at<cv::Vec3b>(2 * r + 1, 2 * c);
                chromaDifferences += u.at<uchar>(r, c) != expected[1];
                chromaDifferences += v.at<uchar>(r, c) != expected[2];
            }
        }
        EXPECT_EQ(chromaDifferences, 0) << shift;
    }
}

#include "app/VideoWall.h"
#include "tests/support/TestWindow.h"

#include "platform/base/WindowStyles.h"
#include "platform/core/PaintDC.h"
#include "platform/draw/Bitmap.h"

#include <gtest/gtest.h>
#include <opencv2/core.hpp>

#include <memory>

namespace {

constexpr int kLeft = 2;
constexpr int kTop = 2;
constexpr int kWidth = 301; // not divisible by 3 or 4: a strip on the right stays uncovered
constexpr int kHeight = 200;
constexpr std::uint32_t kBlack = 0x000000;
constexpr std::uint32_t kGrey = 0x6E6E6E;
constexpr std::uint32_t kRed = 0xFF0000;
constexpr std::uint32_t kBlue = 0x0000FF;
constexpr std::uint32_t kGreen = 0x00FF00;

cv::Scalar Bgr(std::uint32_t rgb) {
    return cv::Scalar(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF);
}

// A frame whose upper half is `top` and lower half `bottom`, flipped bottom row first as the
// dispatch thread hands it over.
FrameWorkItem Frame(int index, int count, std::uint32_t top, std::uint32_t bottom) {
    cv::Mat upright(48, 64, CV_8UC3, Bgr(bottom));
    upright(cv::Rect(0, 0, 64, 24)).setTo(Bgr(top));
    FrameWorkItem item;
    cv::flip(upright, item.image, 0);
    item.cameraIndex = index;
    item.cameraCount = count;
    return item;
}

class VideoWallTest : public testing::Test {
protected:
    void SetUp() override {
        m_top = CreateTestWindow({}, WS_POPUP | WS_VISIBLE, {0, 0, kWidth + 10, kHeight + 10});
        ASSERT_TRUE(m_wall.Create(m_top, 10032));
        MoveWindow(m_wall.Handle(), kLeft, kTop, kWidth, kHeight, true);
        Pump();
    }
    void TearDown() override { DestroyWindow(m_top); }

    void Show(const FrameWorkItem& item) {
        m_wall.OnVideoFrame(&item);
        Pump();
    }
    // The colour shown at (x, y) of the wall, 0xRRGGBB.
    std::uint32_t At(int x, int y) const {
        const CBitmap* surface = GetWindowSurface(m_top);
        return surface ? reinterpret_cast<const std::uint32_t*>(surface->Row(kTop + y))[kLeft + x] &
                             0xFFFFFF
                       : 0xFFFFFFFF;
    }

    HWND m_top = nullptr;
    CVideoWall m_wall;
};

TEST_F(VideoWallTest, GreyUntilTheFirstFrame) {
    EXPECT_EQ(At(0, 0), kGrey);
    EXPECT_EQ(At(kWidth - 1, kHeight - 1), kGrey);
}

TEST_F(VideoWallTest, OneCameraFillsTheWallUpright) {
    Show(Frame(0, 1, kRed, kBlue));
    EXPECT_EQ(At(150, 10), kRed);
    EXPECT_EQ(At(150, kHeight - 10), kBlue);
}

TEST_F(VideoWallTest, ASinglePixelBlankFillsTheWholeWall) {
    Show(Frame(0, 1, kRed, kRed));
    FrameWorkItem blank;
    blank.image = cv::Mat(1, 1, CV_8UC3, Bgr(kBlack));
    blank.cameraCount = 1;
    Show(blank);
    EXPECT_EQ(At(0, 0), kBlack);
    EXPECT_EQ(At(kWidth - 1, kHeight - 1), kBlack);
}

struct TileCase {
    int count;
    int index;
    int x; // a point inside the camera's tile
    int y;
};

class VideoWallTileTest : public VideoWallTest, public testing::WithParamInterface<TileCase> {};

TEST_P(VideoWallTileTest, EachCameraLandsInItsTileUpright) {
    const TileCase c = GetParam();
    Show(Frame(c.index, c.count, kRed, kBlue));
    const int grid = CVideoWallPicture::GridSize(c.count);
    const int tileHeight = kHeight / grid;
    // The tile's upper part is red, its lower part blue: the camera's picture stands upright.
    EXPECT_EQ(At(c.x, c.y - tileHeight / 4), kRed);
    EXPECT_EQ(At(c.x, c.y + tileHeight / 4), kBlue);
    // Elsewhere the wall is still black from its start.
    EXPECT_EQ(At((c.x + kWidth / 2) % kWidth, (c.y + kHeight / 2) % kHeight), kBlack);
}

INSTANTIATE_TEST_SUITE_P(Grids, VideoWallTileTest,
                         testing::Values(TileCase{3, 0, 75, 50},    // 2 x 2, top left
                                         TileCase{3, 2, 75, 150},   // 2 x 2, bottom left
                                         TileCase{5, 4, 150, 99},   // 3 x 3, the centre
                                         TileCase{16, 15, 262, 175} // 4 x 4, bottom right
                                         ));

TEST_F(VideoWallTest, ThreeCamerasLeaveTheFourthTileAsItWas) {
    for (int index = 0; index < 3; ++index) {
        Show(Frame(index, 3, kGreen, kGreen));
    }
    EXPECT_EQ(At(75, 50), kGreen);
    EXPECT_EQ(At(225, 50), kGreen);
    EXPECT_EQ(At(75, 150), kGreen);
    EXPECT_EQ(At(225, 150), kBlack);
}

TEST_F(VideoWallTest, StripsBeyondTheGridStayUncovered) {
    for (int index = 0; index < 9; ++index) {
        Show(Frame(index, 9, kGreen, kGreen));
    }
    // 301 x 200 in a 3 x 3 grid: tiles of 100 x 66 leave the last column and two rows.
    EXPECT_EQ(At(299, 100), kGreen);
    EXPECT_EQ(At(300, 100), kBlack);
    EXPECT_EQ(At(150, 197), kGreen);
    EXPECT_EQ(At(150, 198), kBlack);
}

TEST_F(VideoWallTest, CameraCountsOutsideTheGridsDrawNothing) {
    Show(Frame(0, 1, kRed, kRed));
    for (int count : {0, -1, 17}) {
        Show(Frame(0, count, kBlue, kBlue));
        EXPECT_EQ(At(10, 10), kRed) << count;
    }
}

} // namespace

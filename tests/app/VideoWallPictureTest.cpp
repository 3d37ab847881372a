#include "app/VideoWallPicture.h"

#include <gtest/gtest.h>

namespace {

const cv::Vec3b kBlack(0, 0, 0);

FrameWorkItem Item(cv::Scalar colour, int cameraIndex, int cameraCount, cv::Size size = {8, 6}) {
    FrameWorkItem item;
    item.image = cv::Mat(size, CV_8UC3, colour);
    item.cameraIndex = cameraIndex;
    item.cameraCount = cameraCount;
    return item;
}

// The canvas region of the tile in `column`, `row` (rows counted from the top of the picture)
// of an m x m grid: the canvas keeps the bottom line of the picture in its row 0.
cv::Rect TileOf(int column, int row, int m, cv::Size wall) {
    const int w = wall.width / m;
    const int h = wall.height / m;
    return {column * w, wall.height - (row + 1) * h, w, h};
}

bool AllPixels(const cv::Mat& region, cv::Vec3b colour) {
    for (int y = 0; y < region.rows; ++y) {
        for (int x = 0; x < region.cols; ++x) {
            if (region.at<cv::Vec3b>(y, x) != colour) {
                return false;
            }
        }
    }
    return true;
}

} // namespace

TEST(VideoWallPicture, GridFollowsTheCameraCount) {
    const struct {
        int cameras;
        int grid;
    } cases[] = {{-1, 0}, {0, 0}, {1, 1},  {2, 2},  {4, 2},
                 {5, 3},  {9, 3}, {10, 4}, {16, 4}, {17, 0}};
    for (const auto& c : cases) {
        EXPECT_EQ(CVideoWallPicture::GridSize(c.cameras), c.grid) << c.cameras;
    }
}

TEST(VideoWallPicture, OnePixelImageOfOneCameraFillsTheWholeWall) {
    CVideoWallPicture wall;
    const FrameWorkItem item = Item(cv::Scalar(10, 20, 30), 0, 1, {1, 1});
    ASSERT_TRUE(wall.Draw(&item, RECT{100, 50, 260, 170}));
    ASSERT_EQ(wall.Canvas().size(), cv::Size(160, 120));
    EXPECT_TRUE(AllPixels(wall.Canvas(), cv::Vec3b(10, 20, 30)));
}

TEST(VideoWallPicture, CamerasLandInTheirTilesLeftToRightThenDownwards) {
    const cv::Size size(120, 90);
    const RECT rect{0, 0, size.width, size.height};
    const struct {
        int cameras;
        int index;
        int column;
        int row;
    } cases[] = {
        {3, 0, 0, 0},  {3, 1, 1, 0},   {3, 2, 0, 1}, // 2 x 2
        {5, 4, 1, 1},                                // 3 x 3: the centre tile
        {16, 6, 2, 1}, {16, 15, 3, 3},               // 4 x 4
    };
    for (const auto& c : cases) {
        CVideoWallPicture wall;
        const FrameWorkItem item = Item(cv::Scalar(200, 100, 50), c.index, c.cameras);
        ASSERT_TRUE(wall.Draw(&item, rect));
        const int m = CVideoWallPicture::GridSize(c.cameras);
        const cv::Rect tile = TileOf(c.column, c.row, m, size);
        EXPECT_TRUE(AllPixels(wall.Canvas()(tile), cv::Vec3b(200, 100, 50)))
            << c.cameras << " cameras, index " << c.index;
        cv::Mat rest = wall.Canvas().clone();
        rest(tile).setTo(cv::Scalar(0, 0, 0));
        EXPECT_TRUE(AllPixels(rest, kBlack)) << c.cameras << " cameras, index " << c.index;
    }
}

TEST(VideoWallPicture, ThreeCamerasLeaveTheBottomRightTileAsItWas) {
    const cv::Size size(80, 60);
    CVideoWallPicture wall;
    for (int k = 0; k < 3; ++k) {
        const FrameWorkItem item = Item(cv::Scalar(255, 255, 255), k, 3);
        ASSERT_TRUE(wall.Draw(&item, RECT{0, 0, size.width, size.height}));
    }
    EXPECT_TRUE(AllPixels(wall.Canvas()(TileOf(1, 1, 2, size)), kBlack));
    EXPECT_TRUE(AllPixels(wall.Canvas()(TileOf(0, 1, 2, size)), cv::Vec3b(255, 255, 255)));
}

TEST(VideoWallPicture, SizeNotDivisibleByTheGridLeavesAnUncoveredStrip) {
    const cv::Size size(100, 70); // 3 x 3 tiles of 33 x 23
    CVideoWallPicture wall;
    for (int k = 0; k < 9; ++k) {
        const FrameWorkItem item = Item(cv::Scalar(255, 255, 255), k, 9);
        ASSERT_TRUE(wall.Draw(&item, RECT{0, 0, size.width, size.height}));
    }
    EXPECT_TRUE(AllPixels(wall.Canvas()(cv::Rect(99, 0, 1, 70)), kBlack));
    EXPECT_TRUE(AllPixels(wall.Canvas()(cv::Rect(0, 0, 100, 1)), kBlack));
    EXPECT_TRUE(AllPixels(wall.Canvas()(cv::Rect(0, 1, 99, 69)), cv::Vec3b(255, 255, 255)));
}

TEST(VideoWallPicture, CountsOutsideTheGridsDrawNothing) {
    CVideoWallPicture wall;
    const FrameWorkItem first = Item(cv::Scalar(9, 9, 9), 0, 1);
    ASSERT_TRUE(wall.Draw(&first, RECT{0, 0, 40, 30}));
    for (const int cameras : {0, -3, 17}) {
        const FrameWorkItem item = Item(cv::Scalar(255, 0, 0), 0, cameras);
        EXPECT_FALSE(wall.Draw(&item, RECT{0, 0, 40, 30}));
    }
    EXPECT_FALSE(wall.Draw(nullptr, RECT{0, 0, 40, 30}));
    EXPECT_TRUE(AllPixels(wall.Canvas(), cv::Vec3b(9, 9, 9)));
}

// The video wall's picture: each frame work item is drawn into its camera's tile of one canvas,
// in a grid chosen by the camera count (1: the whole wall; 2-4: 2 x 2; 5-9: 3 x 3; 10-16:
// 4 x 4; camera k in column k mod m, row k / m from the top). Items arrive bottom row first
// (the dispatch thread flips them), and the canvas keeps that order: its row 0 is the bottom
// line of the picture, as a bottom-up bitmap expects.
#pragma once

#include "capture/FrameWorkItem.h"

#include <opencv2/core.hpp>

#include <array>

class CVideoWallPicture {
public:
    // Draws the item. The canvas is created at the first item, with the size of `wallRect`
    // and the item's image type, and cleared to black; later sizes are ignored. False when
    // nothing was drawn (no item or image, a camera count outside 1 to 16, an empty wall).
    // `drawn`, when given, receives the canvas rectangle that changed.
    bool Draw(const FrameWorkItem* item, const RECT& wallRect, cv::Rect* drawn = nullptr);

    // Draws into `canvas` (bottom row first, the size of `wallRect`) from now on instead of a
    // canvas of its own, so that the picture can live in memory that is shown directly.
    void UseCanvas(cv::Mat canvas, const RECT& wallRect);

    // Bottom row first; empty before the first item.
    const cv::Mat& Canvas() const { return m_canvas; }

    // The grid size for a camera count: 1 to 4, or 0 when nothing is drawn.
    static int GridSize(int cameraCount);

private:
    RECT m_wallRect{};
    cv::Mat m_canvas;
    // The resized tiles of the 2 x 2, 3 x 3 and 4 x 4 grids, each made at first use.
    std::array<cv::Mat, 3> m_tiles;
};

#include "app/VideoWallPicture.h"

#include <opencv2/imgproc.hpp>

int CVideoWallPicture::GridSize(int cameraCount) {
    if (cameraCount == 1) {
        return 1;
    }
    if (cameraCount >= 2 && cameraCount <= 4) {
        return 2;
    }
    if (cameraCount >= 5 && cameraCount <= 9) {
        return 3;
    }
    if (cameraCount >= 10 && cameraCount <= 16) {
        return 4;
    }
    return 0;
}

void CVideoWallPicture::UseCanvas(cv::Mat canvas, const RECT& wallRect) {
    m_canvas = canvas;
    m_wallRect = wallRect;
}

bool CVideoWallPicture::Draw(const FrameWorkItem* item, const RECT& wallRect, cv::Rect* drawn) {
    if (!item || item->image.empty()) {
        return false;
    }
    if (m_canvas.empty()) {
        if (wallRect.IsEmpty()) {
            return false;
        }
        m_wallRect = wallRect;
        m_canvas = cv::Mat::zeros(wallRect.Height(), wallRect.Width(), item->image.type());
    }
    const int grid = GridSize(item->cameraCount);
    if (grid == 0 || item->image.type() != m_canvas.type()) {
        return false;
    }
    if (grid == 1) {
        if (item->image.size() == m_canvas.size()) {
            item->image.copyTo(m_canvas);
        } else {
            cv::resize(item->image, m_canvas, m_canvas.size(), 0, 0, cv::INTER_LINEAR);
        }
        if (drawn) {
            *drawn = cv::Rect(0, 0, m_canvas.cols, m_canvas.rows);
        }
        return true;
    }
    const int tileWidth = m_wallRect.Width() / grid;
    const int tileHeight = m_wallRect.Height() / grid;
    if (tileWidth == 0 || tileHeight == 0) {
        return false;
    }
    cv::Mat& tile = m_tiles[static_cast<std::size_t>(grid - 2)];
    if (tile.empty()) {
        tile.create(tileHeight, tileWidth, m_canvas.type());
    }
    cv::resize(item->image, tile, tile.size(), 0, 0, cv::INTER_LINEAR);
    // Camera indices beyond the grid (not expected from the controller) wrap into it rather
    // than writing outside the canvas.
    const int cell = ((item->cameraIndex % (grid * grid)) + grid * grid) % (grid * grid);
    const int column = cell % grid;
    const int row = cell / grid;
    const cv::Rect target(column * tileWidth, m_wallRect.Height() - (row + 1) * tileHeight,
                          tileWidth, tileHeight);
    tile.copyTo(m_canvas(target));
    if (drawn) {
        *drawn = target;
    }
    return true;
}

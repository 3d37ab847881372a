// One camera frame on its way from a capture thread through the dispatch queue to the encoder
// and the video wall, carried to the main window by WM_VIDEO_FRAME.
#pragma once

#include "app/AppMessages.h"

#include <opencv2/core.hpp>

#include <memory>

class CStreamEncoder;
class CFramePool;

struct FrameWorkItem {
    // The camera's encoder; null for the single-colour items that paint the whole wall.
    CStreamEncoder* encoder = nullptr;
    // 8-bit BGR, top row first when pushed (the dispatch thread flips it for the wall). Empty
    // only on the final item of a camera that stopped delivering frames.
    cv::Mat image;
    int cameraIndex = 0;
    int cameraCount = 0;
    // The last item of this camera's session: its stream file is finished after it.
    bool final = false;
};

// Ends an item's use: one that came from a capture slot's pool goes back to it for the next
// frame, any other is deleted.
struct FrameWorkItemDeleter {
    FrameWorkItemDeleter() = default;
    explicit FrameWorkItemDeleter(CFramePool* owner) : pool(owner) {}
    // Items made with std::make_unique have no pool.
    FrameWorkItemDeleter(std::default_delete<FrameWorkItem>) {}
    void operator()(FrameWorkItem* item) const;

    CFramePool* pool = nullptr;
};

using FrameWorkItemPtr = std::unique_ptr<FrameWorkItem, FrameWorkItemDeleter>;

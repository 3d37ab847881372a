// One camera frame on its way from a capture thread through the dispatch queue to the encoder
// and the video wall, carried to the main window by WM_VIDEO_FRAME.
#pragma once

#include "app/AppMessages.h"

#include <opencv2/core.hpp>

class CStreamEncoder;

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

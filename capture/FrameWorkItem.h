// One camera frame on its way from a capture thread through the dispatch queue to the encoder
// and the video wall, and the window messages that carry frames and the no-camera notice to
// the main window.
#pragma once

#include "platform/base/Types.h"

#include <opencv2/core.hpp>

class CStreamEncoder;

// wParam: a FrameWorkItem* that the receiver may read during the call only.
constexpr UINT WM_VIDEO_FRAME = 11024;
// Sent when a session starts without any camera.
constexpr UINT WM_NO_CAMERA = 11025;

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

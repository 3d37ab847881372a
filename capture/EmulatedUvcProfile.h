// What an emulated UVC webcam is like (CEmulatedUvcCamera) and which faults it makes.
#pragma once

#include <opencv2/core.hpp>

#include <vector>

struct EmulatedUvcProfile {
    // The frame sizes the camera offers, in both formats.
    std::vector<cv::Size> sizes{{640, 480}, {352, 288}, {320, 240}, {176, 144}, {160, 120}};
    int framesPerSecond = 30;
    // Besides the uncompressed stream, the camera's own MJPEG (older webcams have none).
    bool offersMjpeg = true;
    // Bytes after each line of a BGR24 frame: a line stride wider than the picture.
    int linePadding = 0;
    // Faults, in frames since STREAMON (the first frame is number 0); -1 for none.
    // Unplugged when this many frames were sent: every call fails with ENODEV, the node is gone.
    int unplugAfter = -1;
    // Sends nothing more after this many frames, though still streaming.
    int stallAfter = -1;
    // The frame of this number comes flagged V4L2_BUF_FLAG_ERROR, half filled.
    int errorFrame = -1;
    // The frame of this number reports more bytes used than its buffer holds.
    int oversizedFrame = -1;
    // VIDIOC_S_FMT reports a line stride 64 bytes wider than the lines the buffers hold.
    bool oversizedLines = false;

    friend bool operator==(const EmulatedUvcProfile&, const EmulatedUvcProfile&) = default;
};

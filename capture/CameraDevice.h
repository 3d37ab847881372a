// One opened camera behind CCameraDS: a synthetic test camera or a V4L2 device.
#pragma once

#include <opencv2/core.hpp>

class ICameraDevice {
public:
    virtual ~ICameraDevice() = default;

    // Opens at the requested size, or at the nearest size the camera offers; false when the
    // camera cannot be opened or refuses the size.
    virtual bool Open(int width, int height) = 0;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    // Waits for the next frame and writes it, 8-bit BGR top row first, into `frame` (which is
    // reallocated only when its size or type differs). False when no frame comes.
    virtual bool Grab(cv::Mat& frame) = 0;
};

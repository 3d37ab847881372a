// Camera access for one capture slot: the number of cameras, one camera opened at a requested
// size, and one fresh 8-bit BGR frame (top row first) per grab, written into the caller's image.
#pragma once

#include "capture/CameraDevice.h"

#include <opencv2/core.hpp>

#include <memory>

class CCameraDS {
public:
    CCameraDS() = default;
    virtual ~CCameraDS();
    CCameraDS(const CCameraDS&) = delete;
    CCameraDS& operator=(const CCameraDS&) = delete;

    // The number of cameras, in a stable order (see CameraSource.h); the counted list is what
    // Open uses.
    static int CountDevices();

    // Opens camera `cameraIndex` (0-based, as counted) asking for width x height; FrameWidth
    // and FrameHeight then give the size delivered. False for an index without a camera, a
    // camera that cannot be opened (also one that went away since it was counted), or a
    // refused size.
    bool Open(int cameraIndex, int width, int height);
    // Waits for one fresh frame and writes it into `frame`, which is reallocated only when its
    // size or type differs, so the camera's buffer is copied once, straight into the image that
    // is recorded. False when the camera delivers nothing (unplugged, or not open).
    bool GrabFrame(cv::Mat& frame);
    void Close();

    int FrameWidth() const { return m_width; }
    int FrameHeight() const { return m_height; }

private:
    bool m_connected = false;
    int m_width = 0;
    int m_height = 0;
    std::unique_ptr<ICameraDevice> m_device;
};

// A V4L2 capture device opened through libv4l2, which converts whatever the device sends into
// BGR24. Frames come from memory-mapped streaming buffers; a grab hands out the newest
// complete frame.
#pragma once

#include "capture/CameraDevice.h"

#include <string>
#include <vector>

class CV4l2Camera : public ICameraDevice {
public:
    explicit CV4l2Camera(std::string devicePath);
    ~CV4l2Camera() override;
    CV4l2Camera(const CV4l2Camera&) = delete;
    CV4l2Camera& operator=(const CV4l2Camera&) = delete;

    bool Open(int width, int height) override;
    int Width() const override { return m_width; }
    int Height() const override { return m_height; }
    bool Grab(cv::Mat& frame) override;

private:
    struct MappedBuffer {
        void* start = nullptr;
        std::size_t length = 0;
    };

    bool StartStreaming();
    bool WaitForFrame() const;
    void Release();

    std::string m_devicePath;
    int m_fd = -1;
    int m_width = 0;
    int m_height = 0;
    int m_bytesPerLine = 0;
    bool m_streaming = false;
    std::vector<MappedBuffer> m_buffers;
};

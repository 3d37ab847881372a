// A V4L2 capture device, reached through the device calls of IV4l2Api (libv4l2 for real
// devices). Frames are asked for as BGR24, which libv4l2 converts from whatever the device
// sends. When the device refuses to stream for lack of USB bandwidth (several webcams on one
// bus), the camera is opened again in its compressed format, MJPEG, and each frame is decoded
// to BGR here. Frames come from memory-mapped streaming buffers; a grab hands out the newest
// complete frame and skips damaged ones (flagged as an error, or larger than their buffer).
#pragma once

#include "capture/CameraDevice.h"
#include "capture/MjpegDecoder.h"
#include "capture/V4l2Api.h"

#include <linux/videodev2.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CV4l2Camera : public ICameraDevice {
public:
    CV4l2Camera(std::string devicePath, std::shared_ptr<IV4l2Api> api);
    ~CV4l2Camera() override;
    CV4l2Camera(const CV4l2Camera&) = delete;
    CV4l2Camera& operator=(const CV4l2Camera&) = delete;

    // Opens at the requested size or the nearest one the device offers. Every failure is
    // logged with its reason.
    bool Open(int width, int height) override;
    int Width() const override { return m_width; }
    int Height() const override { return m_height; }
    // Waits up to two seconds for a frame. False, with a log line, when the device is gone,
    // stays silent, or sends only damaged frames.
    bool Grab(cv::Mat& frame) override;

    // The frames come as MJPEG and are decoded here.
    bool IsCompressed() const { return m_decoder != nullptr; }

private:
    struct MappedBuffer {
        void* start = nullptr;
        std::size_t length = 0;
    };
    enum class Opening { Streaming, NoBandwidth, Failed };

    Opening OpenAs(std::uint32_t pixelFormat, int width, int height);
    Opening StartStreaming();
    int Control(unsigned long request, void* argument);
    bool Dequeue(v4l2_buffer& buffer);
    // Copies or decodes a filled buffer into `frame`; false, naming the damage, when the frame
    // is damaged.
    bool Deliver(const v4l2_buffer& buffer, cv::Mat& frame, const char*& damage);
    // Ends streaming after a failure that leaves the device unusable.
    bool Lost(const char* reason);
    void Release();

    std::string m_devicePath;
    std::shared_ptr<IV4l2Api> m_api;
    int m_fd = -1;
    int m_width = 0;
    int m_height = 0;
    int m_bytesPerLine = 0;
    bool m_streaming = false;
    std::vector<MappedBuffer> m_buffers;
    std::unique_ptr<CMjpegDecoder> m_decoder;
    // Damaged frames are logged once per opening: a camera may send many.
    bool m_damageLogged = false;
};

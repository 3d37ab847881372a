// A UVC webcam as libv4l2 presents it, emulated in the program: the capture side of the device
// behind CEmulatedV4l2's nodes. It offers BGR24 (what libv4l2 converts the camera's YUYV into)
// and, unless told otherwise, the camera's own MJPEG at a list of frame sizes; sets the nearest
// size on VIDIOC_S_FMT; hands out memory-mapped buffers; and while streaming fills one queued
// buffer per frame on its clock (a frame that finds no queued buffer is dropped, and its
// sequence number skipped). STREAMON takes USB bandwidth from its bus and fails with ENOSPC when
// the bus is full. Faults it can be told to make: unplugged or silent after some frames, a frame
// flagged as an error, a frame that reports more bytes than its buffer holds, a line stride too
// wide for the buffers.
#pragma once

#include "capture/EmulatedClock.h"
#include "capture/EmulatedUsbBus.h"
#include "capture/EmulatedUvcProfile.h"
#include "capture/MjpegEncoder.h"

#include <linux/videodev2.h>
#include <opencv2/core.hpp>

#include <chrono>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

class CEmulatedUvcCamera {
public:
    CEmulatedUvcCamera(EmulatedUvcProfile profile, std::shared_ptr<CEmulatedClock> clock,
                       std::shared_ptr<CEmulatedUsbBus> bus);

    // VIDIOC_QUERYCAP of the camera's capture node or of its metadata node.
    void FillCapabilities(v4l2_capability& capability, bool metadataNode) const;
    // The capture ioctls made on open file `fd` of the capture node. Answers 0 or an errno
    // value; VIDIOC_DQBUF never blocks (EAGAIN when no buffer is filled).
    int Ioctl(int fd, unsigned long request, void* argument);
    // The memory of the buffer at `offset`, when `length` bytes fit it.
    std::shared_ptr<std::vector<std::uint8_t>> BufferAt(std::int64_t offset, std::size_t length,
                                                        int& error) const;
    // Waits on the clock up to `timeout` for a filled buffer: 1 ready, 0 at the timeout, or
    // the negative errno (ENODEV when unplugged, EINVAL when not streaming).
    int WaitForFrame(std::chrono::milliseconds timeout);
    // Open file `fd` was closed: when it owns the buffers, streaming stops and they go.
    void Closed(int fd);

    // The state at the clock's present time.
    bool IsUnplugged();
    bool IsStreaming();
    // Buffers queued to the camera (waiting to be filled).
    int QueuedBuffers();
    // Frames produced since the last STREAMON, dropped ones included.
    std::uint32_t FramesProduced();
    // The pixel format set last.
    std::uint32_t PixelFormat() const;

private:
    struct Buffer {
        std::shared_ptr<std::vector<std::uint8_t>> memory;
        bool queued = false;
        bool done = false;
        v4l2_buffer state{};
    };

    CEmulatedClock::Duration FramePeriod() const;
    CEmulatedClock::Duration ArrivalOf(std::uint32_t frame) const;
    bool Stalled() const;
    // Produces every frame whose time has come. Caller holds m_lock.
    void CatchUp();
    void Fill(Buffer& buffer, std::uint32_t frame, CEmulatedClock::Duration arrival);
    // Stops streaming and returns every buffer to the application. Caller holds m_lock.
    void StopStreaming();
    void FreeBuffers();

    int SetFormat(v4l2_format& format);
    int RequestBuffers(int fd, v4l2_requestbuffers& request);
    int QueryBuffer(v4l2_buffer& buffer) const;
    int Queue(int fd, v4l2_buffer& buffer);
    int Dequeue(int fd, v4l2_buffer& buffer);
    int StartStreaming(int fd);

    const EmulatedUvcProfile m_profile;
    const std::shared_ptr<CEmulatedClock> m_clock;
    const std::shared_ptr<CEmulatedUsbBus> m_bus;

    mutable std::mutex m_lock;
    // Guarded by m_lock: everything below.
    v4l2_pix_format m_format{};
    // The stride the buffers really hold (m_format reports another one with oversizedLines).
    std::uint32_t m_lineStride = 0;
    std::vector<Buffer> m_buffers;
    std::deque<std::uint32_t> m_queued;
    std::deque<std::uint32_t> m_done;
    std::optional<int> m_owner; // the open file that requested the buffers
    bool m_streaming = false;
    bool m_unplugged = false;
    int m_bandwidth = 0; // bytes per microframe reserved on the bus
    CEmulatedClock::Duration m_streamStart{};
    std::uint32_t m_nextFrame = 0;
    cv::Mat m_picture;
    std::unique_ptr<CMjpegEncoder> m_encoder;
    std::vector<std::uint8_t> m_jpeg;
};

#include "capture/EmulatedUvcCamera.h"

#include "capture/EmulatedPicture.h"

#include <linux/version.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace {

constexpr std::uint32_t kMinBuffers = 2;
constexpr std::uint32_t kMaxBuffers = 8;
constexpr std::size_t kPageSize = 4096;
// What an unwritten byte of a buffer holds, so that a reader of padding is noticed.
constexpr std::uint8_t kUnwritten = 0x5A;
// The extra stride the oversizedLines fault reports.
constexpr std::uint32_t kOversizedLineExtra = 64;

// The distance of the uvcvideo driver between a requested and an offered size: the area of
// both minus twice their overlap.
std::int64_t SizeDistance(cv::Size offered, std::uint32_t width, std::uint32_t height) {
    const std::int64_t w = offered.width;
    const std::int64_t h = offered.height;
    const std::int64_t overlap =
        std::min<std::int64_t>(w, width) * std::min<std::int64_t>(h, height);
    return w * h + static_cast<std::int64_t>(width) * height - 2 * overlap;
}

bool IsCaptureType(std::uint32_t type) {
    return type == V4L2_BUF_TYPE_VIDEO_CAPTURE;
}

} // namespace

CEmulatedUvcCamera::CEmulatedUvcCamera(EmulatedUvcProfile profile,
                                       std::shared_ptr<CEmulatedClock> clock,
                                       std::shared_ptr<CEmulatedUsbBus> bus)
    : m_profile(std::move(profile)), m_clock(std::move(clock)),
      m_bus(bus ? std::move(bus) : std::make_shared<CEmulatedUsbBus>()) {
    v4l2_format format{};
    format.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
    format.fmt.pix.pixelformat = V4L2_PIX_FMT_BGR24;
    if (!m_profile.sizes.empty()) {
        format.fmt.pix.width = static_cast<std::uint32_t>(m_profile.sizes.front().width);
        format.fmt.pix.height = static_cast<std::uint32_t>(m_profile.sizes.front().height);
    }
    SetFormat(format);
}

void CEmulatedUvcCamera::FillCapabilities(v4l2_capability& capability, bool metadataNode) const {
    capability = {};
    std::strncpy(reinterpret_cast<char*>(capability.driver), "uvcvideo",
                 sizeof capability.driver - 1);
    std::strncpy(reinterpret_cast<char*>(capability.card), "Emulated UVC Webcam",
                 sizeof capability.card - 1);
    std::strncpy(reinterpret_cast<char*>(capability.bus_info), "usb-0000:00:14.0-1",
                 sizeof capability.bus_info - 1);
    capability.version = KERNEL_VERSION(6, 1, 0);
    // The device's capabilities are those of all its nodes; each node tells its own apart.
    capability.capabilities = V4L2_CAP_VIDEO_CAPTURE | V4L2_CAP_META_CAPTURE | V4L2_CAP_STREAMING |
                              V4L2_CAP_EXT_PIX_FORMAT | V4L2_CAP_DEVICE_CAPS;
    capability.device_caps = (metadataNode ? V4L2_CAP_META_CAPTURE : V4L2_CAP_VIDEO_CAPTURE) |
                             V4L2_CAP_STREAMING | V4L2_CAP_EXT_PIX_FORMAT;
}

int CEmulatedUvcCamera::Ioctl(int fd, unsigned long request, void* argument) {
    std::lock_guard lock(m_lock);
    CatchUp();
    if (m_unplugged) {
        return ENODEV;
    }
    switch (request) {
    case VIDIOC_S_FMT:
        if (m_owner && *m_owner != fd) {
            return EBUSY;
        }
        return SetFormat(*static_cast<v4l2_format*>(argument));
    case VIDIOC_REQBUFS:
        return RequestBuffers(fd, *static_cast<v4l2_requestbuffers*>(argument));
    case VIDIOC_QUERYBUF:
        return QueryBuffer(*static_cast<v4l2_buffer*>(argument));
    case VIDIOC_QBUF:
        return Queue(fd, *static_cast<v4l2_buffer*>(argument));
    case VIDIOC_DQBUF:
        return Dequeue(fd, *static_cast<v4l2_buffer*>(argument));
    case VIDIOC_STREAMON:
        if (!IsCaptureType(*static_cast<const std::uint32_t*>(argument))) {
            return EINVAL;
        }
        return StartStreaming(fd);
    case VIDIOC_STREAMOFF:
        if (!IsCaptureType(*static_cast<const std::uint32_t*>(argument))) {
            return EINVAL;
        }
        if (m_owner && *m_owner != fd) {
            return EBUSY;
        }
        StopStreaming();
        return 0;
    default:
        return ENOTTY;
    }
}

int CEmulatedUvcCamera::SetFormat(v4l2_format& format) {
    if (!IsCaptureType(format.type) || m_profile.sizes.empty()) {
        return EINVAL;
    }
    if (!m_buffers.empty()) {
        return EBUSY;
    }
    v4l2_pix_format& pix = format.fmt.pix;
    cv::Size nearest = m_profile.sizes.front();
    for (const cv::Size& size : m_profile.sizes) {
        if (SizeDistance(size, pix.width, pix.height) <
            SizeDistance(nearest, pix.width, pix.height)) {
            nearest = size;
        }
    }
    const bool mjpeg = pix.pixelformat == V4L2_PIX_FMT_MJPEG && m_profile.offersMjpeg;
    pix = {};
    pix.width = static_cast<std::uint32_t>(nearest.width);
    pix.height = static_cast<std::uint32_t>(nearest.height);
    pix.field = V4L2_FIELD_NONE;
    if (mjpeg) {
        pix.pixelformat = V4L2_PIX_FMT_MJPEG;
        pix.colorspace = V4L2_COLORSPACE_JPEG;
        m_lineStride = 0;
        pix.sizeimage = pix.width * pix.height;
    } else {
        pix.pixelformat = V4L2_PIX_FMT_BGR24;
        pix.colorspace = V4L2_COLORSPACE_SRGB;
        m_lineStride = pix.width * 3 + static_cast<std::uint32_t>(m_profile.linePadding);
        pix.bytesperline = m_lineStride + (m_profile.oversizedLines ? kOversizedLineExtra : 0);
        pix.sizeimage = m_lineStride * pix.height;
    }
    if (pix.width != m_format.width || pix.height != m_format.height) {
        m_encoder.reset();
    }
    m_format = pix;
    return 0;
}

int CEmulatedUvcCamera::RequestBuffers(int fd, v4l2_requestbuffers& request) {
    if (!IsCaptureType(request.type) || request.memory != V4L2_MEMORY_MMAP) {
        return EINVAL;
    }
    if ((m_owner && *m_owner != fd) || m_streaming) {
        return EBUSY;
    }
    FreeBuffers();
    if (request.count == 0) {
        m_owner.reset();
        return 0;
    }
    request.count = std::clamp(request.count, kMinBuffers, kMaxBuffers);
    const std::size_t spacing = (m_format.sizeimage + kPageSize - 1) / kPageSize * kPageSize;
    for (std::uint32_t i = 0; i < request.count; ++i) {
        Buffer buffer;
        buffer.memory = std::make_shared<std::vector<std::uint8_t>>(m_format.sizeimage, kUnwritten);
        buffer.state.index = i;
        buffer.state.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
        buffer.state.memory = V4L2_MEMORY_MMAP;
        buffer.state.length = m_format.sizeimage;
        buffer.state.m.offset = static_cast<std::uint32_t>(i * spacing);
        buffer.state.field = V4L2_FIELD_NONE;
        m_buffers.push_back(std::move(buffer));
    }
    m_owner = fd;
    return 0;
}

int CEmulatedUvcCamera::QueryBuffer(v4l2_buffer& buffer) const {
    if (!IsCaptureType(buffer.type) || buffer.index >= m_buffers.size()) {
        return EINVAL;
    }
    const Buffer& own = m_buffers[buffer.index];
    buffer = own.state;
    buffer.flags |= (own.queued ? V4L2_BUF_FLAG_QUEUED : 0u) | (own.done ? V4L2_BUF_FLAG_DONE : 0u);
    return 0;
}

std::shared_ptr<std::vector<std::uint8_t>>
CEmulatedUvcCamera::BufferAt(std::int64_t offset, std::size_t length, int& error) const {
    std::lock_guard lock(m_lock);
    if (m_unplugged) {
        error = ENODEV;
        return nullptr;
    }
    for (const Buffer& buffer : m_buffers) {
        if (buffer.state.m.offset == offset && length <= buffer.memory->size()) {
            return buffer.memory;
        }
    }
    error = EINVAL;
    return nullptr;
}

int CEmulatedUvcCamera::Queue(int fd, v4l2_buffer& buffer) {
    if (!IsCaptureType(buffer.type) || buffer.memory != V4L2_MEMORY_MMAP ||
        buffer.index >= m_buffers.size()) {
        return EINVAL;
    }
    if (!m_owner || *m_owner != fd) {
        return EBUSY;
    }
    Buffer& own = m_buffers[buffer.index];
    if (own.queued || own.done) {
        return EINVAL;
    }
    own.queued = true;
    m_queued.push_back(buffer.index);
    buffer.flags = V4L2_BUF_FLAG_QUEUED;
    return 0;
}

int CEmulatedUvcCamera::Dequeue(int fd, v4l2_buffer& buffer) {
    if (!IsCaptureType(buffer.type) || buffer.memory != V4L2_MEMORY_MMAP) {
        return EINVAL;
    }
    if (!m_owner || *m_owner != fd) {
        return EBUSY;
    }
    if (!m_streaming) {
        return EINVAL;
    }
    if (m_done.empty()) {
        return EAGAIN;
    }
    Buffer& own = m_buffers[m_done.front()];
    m_done.pop_front();
    own.done = false;
    buffer = own.state;
    return 0;
}

int CEmulatedUvcCamera::StartStreaming(int fd) {
    if (!m_owner || *m_owner != fd || m_buffers.empty()) {
        return m_owner && *m_owner != fd ? EBUSY : EINVAL;
    }
    if (m_streaming) {
        return 0;
    }
    // On the wire the camera sends YUYV (two bytes a pixel), which libv4l2 turns into BGR24,
    // or MJPEG, for which it asks for about a quarter of that.
    std::int64_t bytesPerSecond =
        static_cast<std::int64_t>(m_format.width) * m_format.height * 2 * m_profile.framesPerSecond;
    if (m_format.pixelformat == V4L2_PIX_FMT_MJPEG) {
        bytesPerSecond /= 4;
    }
    const int setting = CEmulatedUsbBus::AlternateSetting(bytesPerSecond);
    if (!m_bus->Reserve(setting)) {
        return ENOSPC;
    }
    m_bandwidth = setting;
    m_streaming = true;
    m_streamStart = m_clock->Now();
    m_nextFrame = 0;
    return 0;
}

void CEmulatedUvcCamera::StopStreaming() {
    m_streaming = false;
    if (m_bandwidth > 0) {
        m_bus->Release(m_bandwidth);
        m_bandwidth = 0;
    }
    for (Buffer& buffer : m_buffers) {
        buffer.queued = false;
        buffer.done = false;
    }
    m_queued.clear();
    m_done.clear();
}

void CEmulatedUvcCamera::FreeBuffers() {
    StopStreaming();
    m_buffers.clear();
}

void CEmulatedUvcCamera::Closed(int fd) {
    std::lock_guard lock(m_lock);
    if (m_owner && *m_owner == fd) {
        FreeBuffers();
        m_owner.reset();
    }
}

CEmulatedClock::Duration CEmulatedUvcCamera::FramePeriod() const {
    return std::chrono::duration_cast<CEmulatedClock::Duration>(std::chrono::seconds(1)) /
           std::max(1, m_profile.framesPerSecond);
}

CEmulatedClock::Duration CEmulatedUvcCamera::ArrivalOf(std::uint32_t frame) const {
    return m_streamStart + FramePeriod() * (static_cast<std::int64_t>(frame) + 1);
}

bool CEmulatedUvcCamera::Stalled() const {
    return m_profile.stallAfter >= 0 &&
           m_nextFrame >= static_cast<std::uint32_t>(m_profile.stallAfter);
}

void CEmulatedUvcCamera::CatchUp() {
    if (!m_streaming || m_unplugged) {
        return;
    }
    const CEmulatedClock::Duration now = m_clock->Now();
    while (!Stalled() && ArrivalOf(m_nextFrame) <= now) {
        const std::uint32_t frame = m_nextFrame;
        if (m_profile.unplugAfter >= 0 &&
            frame >= static_cast<std::uint32_t>(m_profile.unplugAfter)) {
            StopStreaming();
            m_unplugged = true;
            return;
        }
        ++m_nextFrame;
        // A frame that finds no queued buffer is lost.
        if (m_queued.empty()) {
            continue;
        }
        const std::uint32_t index = m_queued.front();
        m_queued.pop_front();
        Fill(m_buffers[index], frame, ArrivalOf(frame));
        m_buffers[index].queued = false;
        m_buffers[index].done = true;
        m_done.push_back(index);
    }
}

void CEmulatedUvcCamera::Fill(Buffer& buffer, std::uint32_t frame,
                              CEmulatedClock::Duration arrival) {
    v4l2_buffer& state = buffer.state;
    std::vector<std::uint8_t>& memory = *buffer.memory;
    const auto micros = std::chrono::duration_cast<std::chrono::microseconds>(arrival).count();
    state.sequence = frame;
    state.timestamp.tv_sec = micros / 1000000;
    state.timestamp.tv_usec = micros % 1000000;
    state.flags = V4L2_BUF_FLAG_TIMESTAMP_MONOTONIC;
    const int width = static_cast<int>(m_format.width);
    const int height = static_cast<int>(m_format.height);
    if (m_format.pixelformat == V4L2_PIX_FMT_BGR24) {
        cv::Mat picture(height, width, CV_8UC3, memory.data(), m_lineStride);
        PaintEmulatedFrame(picture, frame);
        state.bytesused = static_cast<std::uint32_t>(memory.size());
    } else {
        m_picture.create(height, width, CV_8UC3);
        PaintEmulatedFrame(m_picture, frame);
        if (!m_encoder) {
            m_encoder = std::make_unique<CMjpegEncoder>(width, height);
        }
        // A picture that does not fit its buffer arrives cut short, as a damaged frame.
        if (m_encoder->Encode(m_picture, m_jpeg) && m_jpeg.size() <= memory.size()) {
            std::memcpy(memory.data(), m_jpeg.data(), m_jpeg.size());
            state.bytesused = static_cast<std::uint32_t>(m_jpeg.size());
        } else {
            state.flags |= V4L2_BUF_FLAG_ERROR;
            state.bytesused = 0;
        }
    }
    if (static_cast<std::int64_t>(frame) == m_profile.errorFrame) {
        state.flags |= V4L2_BUF_FLAG_ERROR;
        state.bytesused /= 2;
    }
    if (static_cast<std::int64_t>(frame) == m_profile.oversizedFrame) {
        state.bytesused = static_cast<std::uint32_t>(memory.size()) + kPageSize;
    }
}

int CEmulatedUvcCamera::WaitForFrame(std::chrono::milliseconds timeout) {
    const CEmulatedClock::Duration deadline = m_clock->Now() + timeout;
    while (true) {
        CEmulatedClock::Duration wake = deadline;
        {
            std::lock_guard lock(m_lock);
            CatchUp();
            if (m_unplugged) {
                return -ENODEV;
            }
            if (!m_streaming) {
                return -EINVAL;
            }
            if (!m_done.empty()) {
                return 1;
            }
            if (m_clock->Now() >= deadline) {
                return 0;
            }
            if (!Stalled()) {
                wake = std::min(deadline, ArrivalOf(m_nextFrame));
            }
        }
        m_clock->WaitUntil(wake);
    }
}

bool CEmulatedUvcCamera::IsUnplugged() {
    std::lock_guard lock(m_lock);
    CatchUp();
    return m_unplugged;
}

bool CEmulatedUvcCamera::IsStreaming() {
    std::lock_guard lock(m_lock);
    CatchUp();
    return m_streaming;
}

int CEmulatedUvcCamera::QueuedBuffers() {
    std::lock_guard lock(m_lock);
    CatchUp();
    return static_cast<int>(m_queued.size());
}

std::uint32_t CEmulatedUvcCamera::FramesProduced() {
    std::lock_guard lock(m_lock);
    CatchUp();
    return m_nextFrame;
}

std::uint32_t CEmulatedUvcCamera::PixelFormat() const {
    std::lock_guard lock(m_lock);
    return m_format.pixelformat;
}

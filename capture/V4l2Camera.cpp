#include "capture/V4l2Camera.h"

#include <fcntl.h>
#include <libv4l2.h>
#include <linux/videodev2.h>
#include <sys/mman.h>
#include <sys/select.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace {

constexpr unsigned kBufferCount = 4;
// A device that sends nothing for this long counts as gone.
constexpr int kFrameTimeoutSeconds = 2;

int Control(int fd, unsigned long request, void* argument) {
    int result = 0;
    do {
        result = v4l2_ioctl(fd, request, argument);
    } while (result == -1 && errno == EINTR);
    return result;
}

} // namespace

CV4l2Camera::CV4l2Camera(std::string devicePath) : m_devicePath(std::move(devicePath)) {}

CV4l2Camera::~CV4l2Camera() {
    Release();
}

bool CV4l2Camera::Open(int width, int height) {
    Release();
    m_fd = v4l2_open(m_devicePath.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
    if (m_fd < 0) {
        return false;
    }

    v4l2_format format{};
    format.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
    format.fmt.pix.width = static_cast<unsigned>(width);
    format.fmt.pix.height = static_cast<unsigned>(height);
    format.fmt.pix.pixelformat = V4L2_PIX_FMT_BGR24;
    format.fmt.pix.field = V4L2_FIELD_ANY;
    // The driver adjusts the size to the nearest one it offers; libv4l2 provides the BGR24
    // conversion for devices that send another format.
    if (Control(m_fd, VIDIOC_S_FMT, &format) < 0 ||
        format.fmt.pix.pixelformat != V4L2_PIX_FMT_BGR24 || format.fmt.pix.width == 0 ||
        format.fmt.pix.height == 0) {
        Release();
        return false;
    }
    m_width = static_cast<int>(format.fmt.pix.width);
    m_height = static_cast<int>(format.fmt.pix.height);
    m_bytesPerLine = std::max(static_cast<int>(format.fmt.pix.bytesperline), m_width * 3);
    if (!StartStreaming()) {
        Release();
        return false;
    }
    return true;
}

bool CV4l2Camera::StartStreaming() {
    v4l2_requestbuffers request{};
    request.count = kBufferCount;
    request.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
    request.memory = V4L2_MEMORY_MMAP;
    if (Control(m_fd, VIDIOC_REQBUFS, &request) < 0 || request.count == 0) {
        return false;
    }
    for (unsigned i = 0; i < request.count; ++i) {
        v4l2_buffer buffer{};
        buffer.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
        buffer.memory = V4L2_MEMORY_MMAP;
        buffer.index = i;
        if (Control(m_fd, VIDIOC_QUERYBUF, &buffer) < 0) {
            return false;
        }
        void* start = v4l2_mmap(nullptr, buffer.length, PROT_READ | PROT_WRITE, MAP_SHARED, m_fd,
                                buffer.m.offset);
        if (start == MAP_FAILED) {
            return false;
        }
        m_buffers.push_back({start, buffer.length});
        if (Control(m_fd, VIDIOC_QBUF, &buffer) < 0) {
            return false;
        }
    }
    v4l2_buf_type type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
    if (Control(m_fd, VIDIOC_STREAMON, &type) < 0) {
        return false;
    }
    m_streaming = true;
    return true;
}

bool CV4l2Camera::Grab(cv::Mat& frame) {
    // A damaged frame is skipped; a device that stays silent or keeps failing is gone.
    for (unsigned attempt = 0; m_streaming && attempt < 2 * kBufferCount; ++attempt) {
        if (!WaitForFrame()) {
            return false;
        }
        v4l2_buffer newest{};
        newest.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
        newest.memory = V4L2_MEMORY_MMAP;
        if (Control(m_fd, VIDIOC_DQBUF, &newest) < 0) {
            continue;
        }
        // Older frames that wait behind it go back to the driver at once: the grab wants the
        // newest one.
        while (true) {
            v4l2_buffer next{};
            next.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
            next.memory = V4L2_MEMORY_MMAP;
            if (Control(m_fd, VIDIOC_DQBUF, &next) < 0) {
                break;
            }
            Control(m_fd, VIDIOC_QBUF, &newest);
            newest = next;
        }
        const std::size_t needed = static_cast<std::size_t>(m_bytesPerLine) * m_height;
        const bool complete = newest.index < m_buffers.size() && newest.bytesused >= needed &&
                              !(newest.flags & V4L2_BUF_FLAG_ERROR);
        if (complete) {
            frame.create(m_height, m_width, CV_8UC3);
            const auto* source = static_cast<const unsigned char*>(m_buffers[newest.index].start);
            for (int y = 0; y < m_height; ++y) {
                std::memcpy(frame.ptr(y), source + static_cast<std::size_t>(y) * m_bytesPerLine,
                            static_cast<std::size_t>(m_width) * 3);
            }
        }
        if (Control(m_fd, VIDIOC_QBUF, &newest) < 0) {
            m_streaming = false;
        }
        if (complete) {
            return true;
        }
    }
    return false;
}

bool CV4l2Camera::WaitForFrame() const {
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(m_fd, &readable);
    timeval timeout{kFrameTimeoutSeconds, 0};
    int ready = 0;
    do {
        ready = select(m_fd + 1, &readable, nullptr, nullptr, &timeout);
    } while (ready == -1 && errno == EINTR);
    return ready > 0;
}

void CV4l2Camera::Release() {
    if (m_streaming) {
        v4l2_buf_type type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
        Control(m_fd, VIDIOC_STREAMOFF, &type);
        m_streaming = false;
    }
    for (const MappedBuffer& buffer : m_buffers) {
        v4l2_munmap(buffer.start, buffer.length);
    }
    m_buffers.clear();
    if (m_fd >= 0) {
        v4l2_close(m_fd);
    }
    m_fd = -1;
    m_width = 0;
    m_height = 0;
    m_bytesPerLine = 0;
}

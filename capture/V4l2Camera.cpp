#include "capture/V4l2Camera.h"

#include "app/Log.h"

#include <fcntl.h>
#include <sys/mman.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <system_error>

namespace {

constexpr unsigned kBufferCount = 4;
// A device that sends nothing for this long counts as gone.
constexpr std::chrono::seconds kFrameTimeout{2};

std::string ErrorText(int error) {
    return std::error_code(error, std::generic_category()).message();
}

} // namespace

CV4l2Camera::CV4l2Camera(std::string devicePath, std::shared_ptr<IV4l2Api> api)
    : m_devicePath(std::move(devicePath)), m_api(std::move(api)) {}

CV4l2Camera::~CV4l2Camera() {
    Release();
}

int CV4l2Camera::Control(unsigned long request, void* argument) {
    int result = 0;
    do {
        result = m_api->Ioctl(m_fd, request, argument);
    } while (result == -1 && errno == EINTR);
    return result;
}

bool CV4l2Camera::Open(int width, int height) {
    const Opening uncompressed = OpenAs(V4L2_PIX_FMT_BGR24, width, height);
    if (uncompressed != Opening::NoBandwidth) {
        return uncompressed == Opening::Streaming;
    }
    // The bus (shared with other webcams) cannot carry the uncompressed stream; the camera's
    // MJPEG needs a fraction of that bandwidth.
    LogMessage("Camera %s: not enough USB bandwidth to stream %dx%d uncompressed, trying MJPEG\n",
               m_devicePath.c_str(), width, height);
    const Opening compressed = OpenAs(V4L2_PIX_FMT_MJPEG, width, height);
    if (compressed == Opening::NoBandwidth) {
        LogMessage("Camera %s: not enough USB bandwidth to stream %dx%d, not even as MJPEG\n",
                   m_devicePath.c_str(), width, height);
    }
    return compressed == Opening::Streaming;
}

CV4l2Camera::Opening CV4l2Camera::OpenAs(std::uint32_t pixelFormat, int width, int height) {
    Release();
    const bool compressed = pixelFormat == V4L2_PIX_FMT_MJPEG;
    m_fd = m_api->Open(m_devicePath, O_RDWR | O_NONBLOCK | O_CLOEXEC);
    if (m_fd < 0) {
        LogMessage("Camera %s: cannot open the device: %s\n", m_devicePath.c_str(),
                   ErrorText(errno).c_str());
        return Opening::Failed;
    }
    v4l2_format format{};
    format.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
    format.fmt.pix.width = static_cast<unsigned>(width);
    format.fmt.pix.height = static_cast<unsigned>(height);
    format.fmt.pix.pixelformat = pixelFormat;
    format.fmt.pix.field = V4L2_FIELD_ANY;
    // The device adjusts the size to the nearest one it offers.
    if (Control(VIDIOC_S_FMT, &format) < 0) {
        LogMessage("Camera %s: cannot set the format: %s\n", m_devicePath.c_str(),
                   ErrorText(errno).c_str());
        Release();
        return Opening::Failed;
    }
    if (format.fmt.pix.pixelformat != pixelFormat || format.fmt.pix.width == 0 ||
        format.fmt.pix.height == 0) {
        LogMessage("Camera %s: offers no %s frames\n", m_devicePath.c_str(),
                   compressed ? "MJPEG" : "BGR24");
        Release();
        return Opening::Failed;
    }
    m_width = static_cast<int>(format.fmt.pix.width);
    m_height = static_cast<int>(format.fmt.pix.height);
    m_bytesPerLine =
        compressed ? 0 : std::max(static_cast<int>(format.fmt.pix.bytesperline), m_width * 3);
    if (compressed) {
        m_decoder = std::make_unique<CMjpegDecoder>();
        if (!m_decoder->IsOpen()) {
            LogMessage("Camera %s: no MJPEG decoder\n", m_devicePath.c_str());
            Release();
            return Opening::Failed;
        }
    }
    const Opening streaming = StartStreaming();
    if (streaming != Opening::Streaming) {
        Release();
    }
    return streaming;
}

CV4l2Camera::Opening CV4l2Camera::StartStreaming() {
    v4l2_requestbuffers request{};
    request.count = kBufferCount;
    request.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
    request.memory = V4L2_MEMORY_MMAP;
    if (Control(VIDIOC_REQBUFS, &request) < 0 || request.count == 0) {
        LogMessage("Camera %s: no streaming buffers: %s\n", m_devicePath.c_str(),
                   ErrorText(errno).c_str());
        return Opening::Failed;
    }
    // What a grab copies of an uncompressed frame: every line but the last at the full stride.
    const std::size_t frameExtent =
        m_decoder ? 0 : static_cast<std::size_t>(m_bytesPerLine) * (m_height - 1) + m_width * 3;
    for (unsigned i = 0; i < request.count; ++i) {
        v4l2_buffer buffer{};
        buffer.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
        buffer.memory = V4L2_MEMORY_MMAP;
        buffer.index = i;
        if (Control(VIDIOC_QUERYBUF, &buffer) < 0) {
            LogMessage("Camera %s: cannot query buffer %u: %s\n", m_devicePath.c_str(), i,
                       ErrorText(errno).c_str());
            return Opening::Failed;
        }
        if (buffer.length < frameExtent) {
            LogMessage("Camera %s: buffers of %u bytes cannot hold %dx%d frames of %d-byte lines\n",
                       m_devicePath.c_str(), buffer.length, m_width, m_height, m_bytesPerLine);
            return Opening::Failed;
        }
        void* start = m_api->Map(m_fd, buffer.length, buffer.m.offset);
        if (start == MAP_FAILED) {
            LogMessage("Camera %s: cannot map buffer %u: %s\n", m_devicePath.c_str(), i,
                       ErrorText(errno).c_str());
            return Opening::Failed;
        }
        m_buffers.push_back({start, buffer.length});
        if (Control(VIDIOC_QBUF, &buffer) < 0) {
            LogMessage("Camera %s: cannot queue buffer %u: %s\n", m_devicePath.c_str(), i,
                       ErrorText(errno).c_str());
            return Opening::Failed;
        }
    }
    v4l2_buf_type type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
    if (Control(VIDIOC_STREAMON, &type) < 0) {
        // uvcvideo answers ENOSPC when the USB bus has too little bandwidth left.
        if (errno == ENOSPC) {
            return Opening::NoBandwidth;
        }
        LogMessage("Camera %s: cannot start streaming: %s\n", m_devicePath.c_str(),
                   ErrorText(errno).c_str());
        return Opening::Failed;
    }
    m_streaming = true;
    m_damageLogged = false;
    return Opening::Streaming;
}

bool CV4l2Camera::Dequeue(v4l2_buffer& buffer) {
    buffer = {};
    buffer.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
    buffer.memory = V4L2_MEMORY_MMAP;
    return Control(VIDIOC_DQBUF, &buffer) == 0;
}

bool CV4l2Camera::Grab(cv::Mat& frame) {
    // A damaged frame is skipped; a device that keeps sending only damaged ones is given up.
    for (unsigned attempt = 0; m_streaming && attempt < 2 * kBufferCount; ++attempt) {
        const int ready = m_api->WaitForFrame(m_fd, kFrameTimeout);
        if (ready == 0) {
            return Lost("no frame for two seconds");
        }
        v4l2_buffer newest{};
        if (ready < 0 || !Dequeue(newest)) {
            if (ready > 0 && errno == EAGAIN) {
                continue; // woken without a frame
            }
            return Lost(ErrorText(errno).c_str());
        }
        // Older frames that wait behind it go back to the device at once: the grab wants the
        // newest one. A failure here shows again at the next wait.
        v4l2_buffer next{};
        while (Dequeue(next)) {
            Control(VIDIOC_QBUF, &newest);
            newest = next;
        }
        const char* damage = nullptr;
        const bool delivered = Deliver(newest, frame, damage);
        const std::uint32_t sequence = newest.sequence;
        if (Control(VIDIOC_QBUF, &newest) < 0) {
            Lost(ErrorText(errno).c_str());
        }
        if (delivered) {
            return true;
        }
        if (!m_damageLogged) {
            LogMessage("Camera %s: damaged frame %u skipped (%s)\n", m_devicePath.c_str(), sequence,
                       damage);
            m_damageLogged = true;
        }
    }
    if (m_streaming) {
        return Lost("only damaged frames");
    }
    return false;
}

bool CV4l2Camera::Deliver(const v4l2_buffer& buffer, cv::Mat& frame, const char*& damage) {
    if (buffer.index >= m_buffers.size()) {
        damage = "unknown buffer";
        return false;
    }
    if (buffer.flags & V4L2_BUF_FLAG_ERROR) {
        damage = "flagged as an error";
        return false;
    }
    const MappedBuffer& mapped = m_buffers[buffer.index];
    // A size beyond the mapping would read memory that is not the frame.
    if (buffer.bytesused > mapped.length) {
        damage = "more bytes than its buffer holds";
        return false;
    }
    const auto* data = static_cast<const std::uint8_t*>(mapped.start);
    if (m_decoder) {
        if (!m_decoder->Decode(data, buffer.bytesused, m_width, m_height, frame)) {
            damage = "not a whole JPEG picture";
            return false;
        }
        return true;
    }
    const std::size_t extent =
        static_cast<std::size_t>(m_bytesPerLine) * (m_height - 1) + m_width * 3;
    if (buffer.bytesused < extent) {
        damage = "incomplete";
        return false;
    }
    frame.create(m_height, m_width, CV_8UC3);
    for (int y = 0; y < m_height; ++y) {
        std::memcpy(frame.ptr(y), data + static_cast<std::size_t>(y) * m_bytesPerLine,
                    static_cast<std::size_t>(m_width) * 3);
    }
    return true;
}

bool CV4l2Camera::Lost(const char* reason) {
    if (m_streaming) {
        LogMessage("Camera %s: stopped: %s\n", m_devicePath.c_str(), reason);
    }
    m_streaming = false;
    return false;
}

void CV4l2Camera::Release() {
    if (m_streaming) {
        v4l2_buf_type type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
        Control(VIDIOC_STREAMOFF, &type);
        m_streaming = false;
    }
    for (const MappedBuffer& buffer : m_buffers) {
        m_api->Unmap(buffer.start, buffer.length);
    }
    m_buffers.clear();
    if (m_fd >= 0) {
        m_api->Close(m_fd);
    }
    m_fd = -1;
    m_width = 0;
    m_height = 0;
    m_bytesPerLine = 0;
    m_decoder.reset();
}

#include "capture/StreamEncoder.h"

#include "app/Log.h"
#include "capture/YuvConversion.h"

extern "C" {
#include <libavutil/opt.h>
}

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <system_error>
#include <thread>

CStreamEncoder::~CStreamEncoder() {
    Close();
}

int CStreamEncoder::FrameThreads(int encoders, int cores) {
    if (encoders < 1 || cores < 2) {
        return 1;
    }
    return 1 + (cores - 1 + encoders - 1) / encoders;
}

bool CStreamEncoder::Init(AVCodecID codecId, int width, int height, int sessionEncoders) {
    if (m_initialised) {
        return true;
    }
    m_failed.store(false);
    m_frameIndex = 0;
    m_codec = avcodec_find_encoder(codecId);
    if (!m_codec) {
        std::fputs("Codec not found\n", stderr);
        return false;
    }
    m_context.reset(avcodec_alloc_context3(m_codec));
    if (!m_context) {
        LogMessage("Could not allocate video codec context\n");
        return false;
    }
    m_context->bit_rate = 400000;
    m_context->width = width;
    m_context->height = height;
    m_context->time_base = AVRational{1, 20};
    m_context->gop_size = 10;
    m_context->max_b_frames = 1;
    m_context->pix_fmt = AV_PIX_FMT_YUV420P;
    m_context->thread_count =
        FrameThreads(sessionEncoders, static_cast<int>(std::thread::hardware_concurrency()));
    if (codecId == AV_CODEC_ID_H264) {
        av_opt_set(m_context->priv_data, "preset", "slow", 0);
        // The lookahead runs inside the encode call rather than on a thread of its own with
        // frames buffered for it: the same stream, byte for byte, with one thread and a few
        // frames less per encoder.
        av_opt_set(m_context->priv_data, "x264-params", "sync-lookahead=0", 0);
    }
    if (avcodec_open2(m_context.get(), m_codec, nullptr) < 0) {
        LogMessage("Could not open codec\n");
        m_context.reset();
        return false;
    }

    m_frame.reset(av_frame_alloc());
    m_packet.reset(av_packet_alloc());
    if (!m_frame || !m_packet) {
        LogMessage("Could not allocate video frame\n");
        Close();
        return false;
    }
    m_frame->format = m_context->pix_fmt;
    m_frame->width = width;
    m_frame->height = height;
    if (av_frame_get_buffer(m_frame.get(), 32) < 0) {
        LogMessage("Could not allocate raw picture buffer\n");
        Close();
        return false;
    }
    m_initialised = true;
    return true;
}

bool CStreamEncoder::OpenFile(const std::string& path) {
    CloseFile();
    m_fileName = path;
    m_writeFailed = false;
    m_fileSize = 0;
    m_file.Reset(open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
    if (!m_file) {
        FileFailed("create", errno);
        m_fileName.clear();
        return false;
    }
    m_syncer = CFileSyncer::Shared();
    m_syncId = m_syncer->Add(m_file.Get(), path);
    return true;
}

int CStreamEncoder::EncodeFrame(const cv::Mat& image) {
    if (!m_initialised) {
        return 0;
    }
    if (image.cols != m_context->width || image.rows != m_context->height ||
        image.type() != CV_8UC3) {
        LogMessage("Frame of %dx%d does not fit the encoder of %dx%d\n", image.cols, image.rows,
                   m_context->width, m_context->height);
        return 0;
    }
    // The encoder may still hold the previous picture; then the frame gets fresh buffers.
    int result = av_frame_make_writable(m_frame.get());
    if (result < 0) {
        return Fail(result);
    }
    YuvPlanes planes;
    for (int plane = 0; plane < 3; ++plane) {
        planes.data[plane] = m_frame->data[plane];
        planes.lineSize[plane] = m_frame->linesize[plane];
    }
    ConvertBgrToYuv420(image, planes);
    m_frame->pts = m_frameIndex++;
    result = Send(m_frame.get());
    if (result >= 0) {
        result = ReceivePackets(false);
    }
    return result < 0 ? Fail(result) : 0;
}

int CStreamEncoder::Flush() {
    if (!m_initialised) {
        return 0;
    }
    const int result = Drain();
    return result < 0 ? Fail(result) : 0;
}

int CStreamEncoder::Send(const AVFrame* frame) {
    if (const int injected = m_injectedSendError.exchange(0); injected < 0) {
        return injected;
    }
    return avcodec_send_frame(m_context.get(), frame);
}

int CStreamEncoder::ReceivePackets(bool draining) {
    while (true) {
        const int result = avcodec_receive_packet(m_context.get(), m_packet.get());
        if (result == AVERROR(EAGAIN) || result == AVERROR_EOF) {
            return 0;
        }
        if (result < 0) {
            return result;
        }
        if (draining) {
            LogMessage("Write frame %3d (size=%5d)\n", static_cast<int>(m_frameIndex),
                       m_packet->size);
            ++m_frameIndex;
        }
        Write(m_packet->data, static_cast<std::size_t>(m_packet->size));
        av_packet_unref(m_packet.get());
    }
}

int CStreamEncoder::Drain() {
    int result = Send(nullptr);
    if (result >= 0) {
        result = ReceivePackets(true);
    }
    ++m_frameIndex;
    return result;
}

int CStreamEncoder::Fail(int error) {
    // The frames the codec accepted before the error are still drained into the file when it
    // lets them out; a codec that is past draining (or fails again) just ends the file here.
    Drain();
    Close();
    m_failed.store(true);
    return error;
}

void CStreamEncoder::Write(const void* data, std::size_t size) {
    if (!m_file || m_writeFailed) {
        return;
    }
    // Straight into the file, with nothing kept in a buffer of the process: a crash loses
    // nothing that the encoder has handed out.
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    for (std::size_t written = 0; written < size;) {
        const ssize_t result = ::write(m_file.Get(), bytes + written, size - written);
        if (result < 0 && errno == EINTR) {
            continue;
        }
        if (result <= 0) {
            const int error = result < 0 ? errno : ENOSPC;
            // A packet cut short would spoil the decoding of what came before it.
            if (written > 0 && ftruncate(m_file.Get(), m_fileSize) != 0) {
                LogMessage("Could not cut stream file %s back to its last whole packet\n",
                           m_fileName.c_str());
            }
            m_writeFailed = true;
            FileFailed("write", error);
            return;
        }
        written += static_cast<std::size_t>(result);
    }
    m_fileSize += static_cast<std::int64_t>(size);
}

void CStreamEncoder::FileFailed(const char* what, int error) {
    LogMessage("Could not %s stream file %s: %s\n", what, m_fileName.c_str(),
               std::error_code(error, std::generic_category()).message().c_str());
    if (m_fileFailureReport) {
        m_fileFailureReport();
    }
}

void CStreamEncoder::CloseFile() {
    if (!m_file) {
        return;
    }
    Write(kEndCode, sizeof kEndCode);
    // Writes have gone to the file already; the syncer puts them on the disk once more.
    m_file.Reset();
    if (m_syncer) {
        m_syncer->Finish(m_syncId);
        m_syncer.reset();
        m_syncId = -1;
    }
    m_fileName.clear();
}

void CStreamEncoder::Close() {
    CloseFile();
    m_packet.reset();
    m_frame.reset();
    m_context.reset();
    m_initialised = false;
}

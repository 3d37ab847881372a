// One camera's H.264 stream file: frames converted to YUV 4:2:0, encoded with libx264, and the
// packets written back to back, followed by the end code 00 00 01 B7. The capture thread
// initialises the encoder and opens the file; the dispatch thread encodes, flushes and closes.
#pragma once

#include <opencv2/core.hpp>

extern "C" {
#include <libavcodec/avcodec.h>
}

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

class CStreamEncoder {
public:
    CStreamEncoder() = default;
    ~CStreamEncoder();
    CStreamEncoder(const CStreamEncoder&) = delete;
    CStreamEncoder& operator=(const CStreamEncoder&) = delete;

    // Prepares an encoder for frames of width x height (400 kbit/s, 20 frames per second,
    // GOP 10, one B-frame, YUV 4:2:0, preset "slow" for H.264). True at once, changing
    // nothing, when already initialised.
    bool Init(AVCodecID codecId, int width, int height);
    // Creates the stream file (binary, truncating); false when it cannot be created.
    bool OpenFile(const std::string& path);
    // Encodes one 8-bit BGR image of the initialised size and writes the packets that come
    // out. An image of another size is refused with a log line.
    void EncodeFrame(const cv::Mat& image);
    // Drains the delayed packets into the file.
    void Flush();
    // Writes the end code, closes the file and releases the encoder. Safe in any state, so an
    // early end after Init or OpenFile releases whatever was set up.
    void Close();

    bool IsInitialised() const { return m_initialised; }
    // The time stamp the next frame gets; 0 after each Init.
    std::int64_t FrameIndex() const { return m_frameIndex; }

    static constexpr std::uint8_t kEndCode[4] = {0x00, 0x00, 0x01, 0xB7};

private:
    struct ContextDeleter {
        void operator()(AVCodecContext* context) const { avcodec_free_context(&context); }
    };
    struct FrameDeleter {
        void operator()(AVFrame* frame) const { av_frame_free(&frame); }
    };
    struct PacketDeleter {
        void operator()(AVPacket* packet) const { av_packet_free(&packet); }
    };
    struct FileCloser {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };

    void ReceivePackets(bool draining);
    void Write(const void* data, std::size_t size);
    void CloseFile();

    const AVCodec* m_codec = nullptr;
    std::unique_ptr<AVCodecContext, ContextDeleter> m_context;
    std::int64_t m_frameIndex = 0;
    std::unique_ptr<std::FILE, FileCloser> m_file;
    std::string m_fileName;
    // A failed write is logged once per file; later writes to that file are skipped.
    bool m_writeFailed = false;
    std::unique_ptr<AVFrame, FrameDeleter> m_frame;
    std::unique_ptr<AVPacket, PacketDeleter> m_packet;
    // The full-size YUV image of the colour conversion, kept across sessions.
    cv::Mat m_conversion;
    bool m_initialised = false;
};

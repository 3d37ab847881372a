// Compresses BGR pictures into baseline JPEG with 4:2:2 chroma, as UVC webcams send MJPEG;
// used by the emulated webcams.
#pragma once

#include <opencv2/core.hpp>

extern "C" {
#include <libavcodec/avcodec.h>
}

#include <cstdint>
#include <memory>
#include <vector>

class CMjpegEncoder {
public:
    // Prepares for pictures of width x height (even width); IsOpen tells whether it worked.
    CMjpegEncoder(int width, int height);

    bool IsOpen() const { return m_context != nullptr; }
    // Encodes an 8-bit BGR image of the encoder's size into `jpeg`; false on failure.
    bool Encode(const cv::Mat& image, std::vector<std::uint8_t>& jpeg);

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

    std::unique_ptr<AVCodecContext, ContextDeleter> m_context;
    std::unique_ptr<AVFrame, FrameDeleter> m_frame;
    std::unique_ptr<AVPacket, PacketDeleter> m_packet;
    cv::Mat m_yCrCb;
};

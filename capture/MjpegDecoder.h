// Decodes the MJPEG frames of a webcam (each a complete JPEG picture, possibly without its own
// Huffman tables, as UVC cameras send them) into 8-bit BGR images with libavcodec.
#pragma once

#include "capture/AvHandles.h"

#include <opencv2/core.hpp>

extern "C" {
#include <libavcodec/avcodec.h>
}

#include <cstdint>
#include <memory>
#include <vector>

class CMjpegDecoder {
public:
    CMjpegDecoder();

    bool IsOpen() const { return m_context != nullptr; }
    // Decodes one JPEG picture into `image` (reallocated only when its size or type differs).
    // False for data that is no whole picture, or whose size is not width x height.
    bool Decode(const std::uint8_t* data, std::size_t size, int width, int height, cv::Mat& image);

private:
    bool ToBgr(const AVFrame& picture, cv::Mat& image);

    AvCodecContextPtr m_context;
    AvFramePtr m_frame;
    AvPacketPtr m_packet;
    // The input with the zeroed padding libavcodec's bit readers may read past the end.
    std::vector<std::uint8_t> m_input;
    cv::Mat m_chroma[2];
    cv::Mat m_yCrCb;
};

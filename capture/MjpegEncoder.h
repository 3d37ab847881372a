// Compresses BGR pictures into baseline JPEG with 4:2:2 chroma, as UVC webcams send MJPEG;
// used by the emulated webcams.
#pragma once

#include "capture/AvHandles.h"

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
    AvCodecContextPtr m_context;
    AvFramePtr m_frame;
    AvPacketPtr m_packet;
    cv::Mat m_yCrCb;
};

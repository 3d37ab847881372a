// Owning handles of libavcodec's objects: a codec context, a frame and a packet, each freed
// with its own libavcodec call.
#pragma once

extern "C" {
#include <libavcodec/avcodec.h>
}

#include <memory>

struct CAvCodecContextFree {
    void operator()(AVCodecContext* context) const { avcodec_free_context(&context); }
};
struct CAvFrameFree {
    void operator()(AVFrame* frame) const { av_frame_free(&frame); }
};
struct CAvPacketFree {
    void operator()(AVPacket* packet) const { av_packet_free(&packet); }
};

using AvCodecContextPtr = std::unique_ptr<AVCodecContext, CAvCodecContextFree>;
using AvFramePtr = std::unique_ptr<AVFrame, CAvFrameFree>;
using AvPacketPtr = std::unique_ptr<AVPacket, CAvPacketFree>;

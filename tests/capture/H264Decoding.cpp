#include "H264Decoding.h"

extern "C" {
#include <libavcodec/avcodec.h>
}

#include <fstream>
#include <iterator>
#include <memory>

namespace {

struct ContextDeleter {
    void operator()(AVCodecContext* c) const { avcodec_free_context(&c); }
};
struct ParserDeleter {
    void operator()(AVCodecParserContext* p) const { av_parser_close(p); }
};
struct FrameDeleter {
    void operator()(AVFrame* f) const { av_frame_free(&f); }
};
struct PacketDeleter {
    void operator()(AVPacket* p) const { av_packet_free(&p); }
};

cv::Mat Plane(const AVFrame& frame, int plane, int width, int height) {
    return cv::Mat(height, width, CV_8UC1, frame.data[plane], frame.linesize[plane]).clone();
}

void Receive(AVCodecContext* context, AVFrame* frame, DecodedStream& stream) {
    while (true) {
        const int result = avcodec_receive_frame(context, frame);
        if (result == AVERROR(EAGAIN) || result == AVERROR_EOF) {
            return;
        }
        if (result < 0) {
            ++stream.errors;
            return;
        }
        const int w = frame->width;
        const int h = frame->height;
        stream.pictures.push_back({Plane(*frame, 0, w, h),
                                   Plane(*frame, 1, (w + 1) / 2, (h + 1) / 2),
                                   Plane(*frame, 2, (w + 1) / 2, (h + 1) / 2)});
        if (frame->decode_error_flags) {
            ++stream.errors;
        }
    }
}

void Send(AVCodecContext* context, AVPacket* packet, AVFrame* frame, DecodedStream& stream) {
    if (avcodec_send_packet(context, packet) < 0) {
        ++stream.errors;
    }
    Receive(context, frame, stream);
}

} // namespace

std::vector<std::uint8_t> ReadFileBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

bool EndsWithEndCode(const std::vector<std::uint8_t>& bytes) {
    return bytes.size() >= 4 && bytes[bytes.size() - 4] == 0x00 &&
           bytes[bytes.size() - 3] == 0x00 && bytes[bytes.size() - 2] == 0x01 &&
           bytes[bytes.size() - 1] == 0xB7;
}

DecodedStream DecodeH264File(const std::string& path) {
    DecodedStream stream;
    const AVCodec* codec = avcodec_find_decoder(AV_CODEC_ID_H264);
    std::unique_ptr<AVCodecContext, ContextDeleter> context(avcodec_alloc_context3(codec));
    std::unique_ptr<AVCodecParserContext, ParserDeleter> parser(av_parser_init(codec->id));
    std::unique_ptr<AVFrame, FrameDeleter> frame(av_frame_alloc());
    std::unique_ptr<AVPacket, PacketDeleter> packet(av_packet_alloc());
    if (!context || !parser || avcodec_open2(context.get(), codec, nullptr) < 0) {
        return stream;
    }
    stream.opened = true;

    std::vector<std::uint8_t> bytes = ReadFileBytes(path);
    bytes.resize(bytes.size() + AV_INPUT_BUFFER_PADDING_SIZE, 0);
    const std::size_t size = bytes.size() - AV_INPUT_BUFFER_PADDING_SIZE;
    std::size_t offset = 0;
    while (offset < size) {
        const int used = av_parser_parse2(parser.get(), context.get(), &packet->data, &packet->size,
                                          bytes.data() + offset, static_cast<int>(size - offset),
                                          AV_NOPTS_VALUE, AV_NOPTS_VALUE, 0);
        if (used < 0) {
            ++stream.errors;
            break;
        }
        offset += static_cast<std::size_t>(used);
        if (packet->size > 0) {
            Send(context.get(), packet.get(), frame.get(), stream);
        }
    }
    // What the parser still holds, then the decoder's delayed pictures.
    av_parser_parse2(parser.get(), context.get(), &packet->data, &packet->size, nullptr, 0,
                     AV_NOPTS_VALUE, AV_NOPTS_VALUE, 0);
    if (packet->size > 0) {
        Send(context.get(), packet.get(), frame.get(), stream);
    }
    Send(context.get(), nullptr, frame.get(), stream);
    return stream;
}

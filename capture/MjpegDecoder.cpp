#include "capture/MjpegDecoder.h"

extern "C" {
#include <libavutil/pixdesc.h>
}

#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <cstdint>

CMjpegDecoder::CMjpegDecoder() {
    const AVCodec* codec = avcodec_find_decoder(AV_CODEC_ID_MJPEG);
    AvCodecContextPtr context(codec ? avcodec_alloc_context3(codec) : nullptr);
    m_frame.reset(av_frame_alloc());
    m_packet.reset(av_packet_alloc());
    if (!context || !m_frame || !m_packet) {
        return;
    }
    // One picture in, the same picture out: frame threads would hold pictures back.
    context->thread_count = 1;
    if (avcodec_open2(context.get(), codec, nullptr) < 0) {
        return;
    }
    m_context = std::move(context);
}

bool CMjpegDecoder::Decode(const std::uint8_t* data, std::size_t size, int width, int height,
                           cv::Mat& image) {
    if (!m_context || size == 0 || size > static_cast<std::size_t>(INT32_MAX)) {
        return false;
    }
    m_input.assign(data, data + size);
    m_input.resize(size + AV_INPUT_BUFFER_PADDING_SIZE, 0);
    m_packet->data = m_input.data();
    m_packet->size = static_cast<int>(size);
    const int sent = avcodec_send_packet(m_context.get(), m_packet.get());
    m_packet->data = nullptr;
    m_packet->size = 0;
    if (sent < 0 || avcodec_receive_frame(m_context.get(), m_frame.get()) < 0) {
        return false;
    }
    const bool whole = m_frame->width == width && m_frame->height == height &&
                       !m_frame->decode_error_flags && ToBgr(*m_frame, image);
    av_frame_unref(m_frame.get());
    return whole;
}

bool CMjpegDecoder::ToBgr(const AVFrame& picture, cv::Mat& image) {
    const auto* format = av_pix_fmt_desc_get(static_cast<AVPixelFormat>(picture.format));
    if (!format || (format->flags & (AV_PIX_FMT_FLAG_BE | AV_PIX_FMT_FLAG_RGB)) ||
        format->comp[0].depth != 8) {
        return false;
    }
    const int width = picture.width;
    const int height = picture.height;
    const cv::Mat y(height, width, CV_8UC1, picture.data[0], picture.linesize[0]);
    if (format->nb_components == 1) {
        cv::cvtColor(y, image, cv::COLOR_GRAY2BGR);
        return true;
    }
    if (format->nb_components != 3 || !(format->flags & AV_PIX_FMT_FLAG_PLANAR)) {
        return false;
    }
    // JPEG's YCbCr is full range, as OpenCV's YCrCb conversion expects; subsampled chroma is
    // brought to full size first.
    const cv::Size chroma(AV_CEIL_RSHIFT(width, format->log2_chroma_w),
                          AV_CEIL_RSHIFT(height, format->log2_chroma_h));
    const cv::Mat cb(chroma, CV_8UC1, picture.data[1], picture.linesize[1]);
    const cv::Mat cr(chroma, CV_8UC1, picture.data[2], picture.linesize[2]);
    const cv::Mat* planes[2] = {&cr, &cb};
    for (int i = 0; i < 2; ++i) {
        if (chroma.width == width && chroma.height == height) {
            m_chroma[i] = *planes[i];
        } else {
            cv::resize(*planes[i], m_chroma[i], y.size(), 0, 0, cv::INTER_LINEAR);
        }
    }
    const cv::Mat channels[3] = {y, m_chroma[0], m_chroma[1]};
    cv::merge(channels, 3, m_yCrCb);
    cv::cvtColor(m_yCrCb, image, cv::COLOR_YCrCb2BGR);
    return true;
}

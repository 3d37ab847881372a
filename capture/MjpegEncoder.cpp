#include "capture/MjpegEncoder.h"

#include <opencv2/imgproc.hpp>

namespace {

// JPEG quantiser scale: a quality a webcam would choose, well readable after decoding.
constexpr int kQuantiser = 4;

} // namespace

CMjpegEncoder::CMjpegEncoder(int width, int height) {
    const AVCodec* codec = avcodec_find_encoder(AV_CODEC_ID_MJPEG);
    AvCodecContextPtr context(codec ? avcodec_alloc_context3(codec) : nullptr);
    m_frame.reset(av_frame_alloc());
    m_packet.reset(av_packet_alloc());
    if (!context || !m_frame || !m_packet) {
        return;
    }
    context->width = width;
    context->height = height;
    context->time_base = AVRational{1, 30};
    context->pix_fmt = AV_PIX_FMT_YUV422P;
    // JPEG's own full-range YCbCr, the one OpenCV's YCrCb conversion produces.
    context->color_range = AVCOL_RANGE_JPEG;
    context->flags |= AV_CODEC_FLAG_QSCALE;
    context->global_quality = FF_QP2LAMBDA * kQuantiser;
    if (avcodec_open2(context.get(), codec, nullptr) < 0) {
        return;
    }
    m_frame->format = context->pix_fmt;
    m_frame->width = width;
    m_frame->height = height;
    m_frame->color_range = AVCOL_RANGE_JPEG;
    m_frame->quality = context->global_quality;
    if (av_frame_get_buffer(m_frame.get(), 32) < 0) {
        return;
    }
    m_context = std::move(context);
}

bool CMjpegEncoder::Encode(const cv::Mat& image, std::vector<std::uint8_t>& jpeg) {
    if (!m_context || image.cols != m_context->width || image.rows != m_context->height ||
        image.type() != CV_8UC3 || av_frame_make_writable(m_frame.get()) < 0) {
        return false;
    }
    cv::cvtColor(image, m_yCrCb, cv::COLOR_BGR2YCrCb);
    const int width = image.cols;
    const int height = image.rows;
    cv::Mat y(height, width, CV_8UC1, m_frame->data[0], m_frame->linesize[0]);
    cv::Mat cb(height, width / 2, CV_8UC1, m_frame->data[1], m_frame->linesize[1]);
    cv::Mat cr(height, width / 2, CV_8UC1, m_frame->data[2], m_frame->linesize[2]);
    cv::Mat full[3];
    cv::split(m_yCrCb, full);
    full[0].copyTo(y);
    // 4:2:2: every pair of neighbouring pixels shares its chroma.
    cv::resize(full[2], cb, cb.size(), 0, 0, cv::INTER_AREA);
    cv::resize(full[1], cr, cr.size(), 0, 0, cv::INTER_AREA);
    if (avcodec_send_frame(m_context.get(), m_frame.get()) < 0 ||
        avcodec_receive_packet(m_context.get(), m_packet.get()) < 0) {
        return false;
    }
    jpeg.assign(m_packet->data, m_packet->data + m_packet->size);
    av_packet_unref(m_packet.get());
    return true;
}

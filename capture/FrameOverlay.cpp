#include "capture/FrameOverlay.h"

#include "capture/WallClock.h"

#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <array>
#include <cstdio>

namespace {

constexpr double kFontScale = 0.5;

} // namespace

void CFrameOverlay::Begin(std::time_t now) {
    m_start = now;
    m_last = now;
    m_frames = 0;
    m_rate = 0;
}

OverlayTexts CFrameOverlay::Stamp(cv::Mat& image, int cameraIndex, std::time_t now) {
    const long elapsed = static_cast<long>(m_last - m_start);
    if (elapsed != 0) {
        m_rate = m_frames / elapsed;
    }
    OverlayTexts texts;
    texts.rate = std::to_string(m_rate);
    StampLine(image, m_rateLine, texts.rate, {20, 20});

    m_last = now;
    const std::tm local = LocalTime(now);
    std::array<char, 64> line{};
    std::snprintf(line.data(), line.size(), "%d %04d:%02d:%02d %02d:%02d:%02d", cameraIndex,
                  local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                  local.tm_min, local.tm_sec);
    texts.cameraAndTime = line.data();
    StampLine(image, m_timeLine, texts.cameraAndTime, {20, 40});
    return texts;
}

void CFrameOverlay::FrameTaken(std::time_t now) {
    m_last = now;
    ++m_frames;
}

void CFrameOverlay::StampLine(cv::Mat& image, StampedLine& line, const std::string& text,
                              cv::Point baselineLeft) {
    if (text != line.text || image.size() != line.imageSize) {
        // One-pixel 8-connected strokes without anti-aliasing: the pixels putText sets depend
        // only on the text, the place and the image size (which clips them), not on the colour.
        if (m_mask.size() != image.size()) {
            m_mask = cv::Mat::zeros(image.size(), CV_8UC1);
        }
        cv::putText(m_mask, text, baselineLeft, cv::FONT_HERSHEY_SCRIPT_COMPLEX, kFontScale,
                    cv::Scalar(255), 1, cv::LINE_8);
        // Hershey glyph points are printable characters counted from 'R', shifted by the
        // font's baseline of at most 15 units: at most 64 units above the baseline and 44
        // below, which at this scale is 32 rows above and 22 below. Only those rows are read.
        const int top = std::clamp(baselineLeft.y - 33, 0, image.rows);
        const int bottom = std::clamp(baselineLeft.y + 24, top, image.rows);
        cv::findNonZero(m_mask.rowRange(top, bottom), line.pixels);
        for (cv::Point& pixel : line.pixels) {
            pixel.y += top;
            m_mask.at<uchar>(pixel) = 0;
        }
        line.text = text;
        line.imageSize = image.size();
    }
    const cv::Vec3b yellow(0, 255, 255);
    for (const cv::Point& pixel : line.pixels) {
        image.at<cv::Vec3b>(pixel) = yellow;
    }
}

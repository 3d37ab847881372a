#include "capture/FrameOverlay.h"

#include "capture/WallClock.h"

#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <array>
#include <cstdio>

namespace {

constexpr double kFontScale = 0.5;
const cv::Point kRateBaseline{20, 20};
const cv::Point kTimeBaseline{20, 40};
// Hershey glyph points are printable characters counted from 'R', shifted by the font's
// baseline of at most 15 units: at most 64 units above the baseline and 44 below, which at this
// scale (rounded, with one-pixel strokes) stays within 33 rows above and 23 below.
constexpr int kRowsAbove = 33;
constexpr int kRowsBelow = 23;

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
    StampLine(image, m_rateLine, texts.rate, kRateBaseline);

    m_last = now;
    const std::tm local = LocalTime(now);
    std::array<char, 64> line{};
    std::snprintf(line.data(), line.size(), "%d %04d:%02d:%02d %02d:%02d:%02d", cameraIndex,
                  local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                  local.tm_min, local.tm_sec);
    texts.cameraAndTime = line.data();
    StampLine(image, m_timeLine, texts.cameraAndTime, kTimeBaseline);
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
        // only on the text, the place and the edges that clip them, not on the colour. The mask
        // is the image's top band down to below the lowest row the text can reach, so it clips
        // as the image does.
        const cv::Size maskSize(image.cols, std::min(image.rows, kTimeBaseline.y + kRowsBelow + 1));
        if (m_mask.size() != maskSize) {
            // Not cv::Mat::zeros: its expression object is set up lazily without a lock, which
            // capture threads starting together would race on.
            m_mask.create(maskSize, CV_8UC1);
            m_mask.setTo(0);
        }
        cv::putText(m_mask, text, baselineLeft, cv::FONT_HERSHEY_SCRIPT_COMPLEX, kFontScale,
                    cv::Scalar(255), 1, cv::LINE_8);
        const int top = std::clamp(baselineLeft.y - kRowsAbove, 0, m_mask.rows);
        const int bottom = std::clamp(baselineLeft.y + kRowsBelow + 1, top, m_mask.rows);
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

// The two overlay lines a capture thread stamps on every frame: the average frame rate since
// the thread started, and the camera number with the date and time the frame was taken. Drawn
// in yellow Hershey script (face 7, scale 0.5, thickness 1, 8-connected lines) at (20, 20) and
// (20, 40), the left ends of the baselines.
#pragma once

#include <opencv2/core.hpp>

#include <ctime>
#include <string>
#include <vector>

struct OverlayTexts {
    std::string rate;
    std::string cameraAndTime;
};

// Times come from the capture thread's wall clock, the same one that names its stream file.
class CFrameOverlay {
public:
    // A new capture run: the rate counts from `now`.
    void Begin(std::time_t now);
    // Stamps both lines on `image` and returns them. The rate is frames / whole seconds since
    // Begin, measured up to the previous frame; it keeps its last value within the first second.
    OverlayTexts Stamp(cv::Mat& image, int cameraIndex, std::time_t now);
    // Counts the frame just queued.
    void FrameTaken(std::time_t now);

private:
    // A line as the pixels that cv::putText sets for it on an image of some size. The text
    // changes at most once a second, so most frames only set these pixels again.
    struct StampedLine {
        std::string text;
        cv::Size imageSize;
        std::vector<cv::Point> pixels;
    };
    void StampLine(cv::Mat& image, StampedLine& line, const std::string& text,
                   cv::Point baselineLeft);

    StampedLine m_rateLine;
    StampedLine m_timeLine;
    // Blank between uses: a changed line is drawn on it to find its pixels.
    cv::Mat m_mask;
    std::time_t m_start = 0;
    std::time_t m_last = 0;
    long m_frames = 0;
    long m_rate = 0;
};

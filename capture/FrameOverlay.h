// The two overlay lines a capture thread stamps on every frame: the average frame rate since
// the thread started, and the camera number with the date and time the frame was taken. Drawn
// in yellow Hershey script (face 7, scale 0.5, thickness 1, 8-connected lines) at (20, 20) and
// (20, 40), the left ends of the baselines.
#pragma once

#include <opencv2/core.hpp>

#include <ctime>
#include <string>

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

    static void PutText(cv::Mat& image, const std::string& text, cv::Point baselineLeft);

private:
    std::time_t m_start = 0;
    std::time_t m_last = 0;
    long m_frames = 0;
    long m_rate = 0;
};

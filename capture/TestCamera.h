// A synthetic camera for tests, demos and benchmarks: 25 frames per second of a picture that
// moves (a scrolling colour gradient and a bouncing square) and shows its own frame number, so
// that real encoding meets real motion. The top band stays plain grey where the overlay goes.
#pragma once

#include "capture/CameraDevice.h"
#include "capture/CameraSource.h"

#include <chrono>
#include <memory>

class CTestCamera : public ICameraDevice {
public:
    explicit CTestCamera(const CameraSource& source);

    bool Open(int width, int height) override;
    int Width() const override { return m_width; }
    int Height() const override { return m_height; }
    bool Grab(cv::Mat& frame) override;

    // The number of the frame the last grab gave.
    long LastFrameNumber() const { return m_lastFrameNumber; }
    // Draws the glyphs of a frame number where the picture shows it (in the picture they are
    // white with a black outline).
    void DrawFrameNumber(cv::Mat& image, long frameNumber, const cv::Scalar& colour) const;

    static constexpr std::chrono::milliseconds kFramePeriod{40};

    // CPU time that every test camera of this process has spent drawing its pictures, so that a
    // benchmark can tell the stand-in camera's cost from the recorder's.
    static std::chrono::nanoseconds DrawingTime();

private:
    struct NumberLayout {
        cv::Point origin;
        double scale = 1;
        int thickness = 1;
    };
    NumberLayout LayoutOf(const std::string& number) const;
    void Render(long frameNumber, cv::Mat& frame) const;

    CameraSource m_source;
    int m_width = 0;
    int m_height = 0;
    std::chrono::steady_clock::time_point m_openedAt;
    long m_lastFrameNumber = -1;
    int m_delivered = 0;
    // Twice as wide as a frame, so a scrolling window of it is a plain copy; shared by the
    // cameras of one size.
    std::shared_ptr<const cv::Mat> m_gradient;
};

#include "capture/TestCamera.h"

#include <opencv2/imgproc.hpp>

#include <time.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

namespace {

std::atomic<std::int64_t> g_drawingNanoseconds{0};

std::int64_t ThreadCpuNanoseconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<std::int64_t>(now.tv_sec) * 1000000000 + now.tv_nsec;
}

constexpr int kScrollPixelsPerFrame = 4;
constexpr int kSquareSize = 48;

// Position of the bouncing square's edge along an axis of `span` pixels.
int Bounce(long frameNumber, int speed, int span) {
    if (span <= 0) {
        return 0;
    }
    const long travel = (frameNumber * speed) % (2L * span);
    return static_cast<int>(travel < span ? travel : 2L * span - travel);
}

cv::Mat MakeGradient(int width, int height) {
    cv::Mat gradient(height, 2 * width, CV_8UC3);
    for (int y = 0; y < height; ++y) {
        auto* row = gradient.ptr<cv::Vec3b>(y);
        for (int x = 0; x < 2 * width; ++x) {
            const int phase = x * 255 / width; // 0 .. 510 across the two halves
            const auto ramp = static_cast<uchar>(phase <= 255 ? phase : 510 - phase);
            row[x] = cv::Vec3b(ramp, static_cast<uchar>(y * 255 / height),
                               static_cast<uchar>(255 - ramp));
        }
    }
    return gradient;
}

std::mutex g_gradientsLock;
// Guarded by g_gradientsLock: the gradient of each frame size while a camera of it is open.
std::map<std::pair<int, int>, std::weak_ptr<const cv::Mat>> g_gradients;

// Every test camera of a size reads the same gradient, so sixteen cameras keep one copy.
std::shared_ptr<const cv::Mat> SharedGradient(int width, int height) {
    std::lock_guard lock(g_gradientsLock);
    std::weak_ptr<const cv::Mat>& shared = g_gradients[{width, height}];
    std::shared_ptr<const cv::Mat> gradient = shared.lock();
    if (!gradient) {
        gradient = std::make_shared<const cv::Mat>(MakeGradient(width, height));
        shared = gradient;
    }
    return gradient;
}

} // namespace

CTestCamera::CTestCamera(const CameraSource& source) : m_source(source) {}

bool CTestCamera::Open(int width, int height) {
    if (m_source.failsToOpen) {
        return false;
    }
    if (m_source.onlyThisSize && (width != m_source.width || height != m_source.height)) {
        return false;
    }
    m_width = m_source.width;
    m_height = m_source.height;
    m_gradient = SharedGradient(m_width, m_height);
    m_openedAt = std::chrono::steady_clock::now();
    m_lastFrameNumber = -1;
    m_delivered = 0;
    return true;
}

bool CTestCamera::Grab(cv::Mat& frame) {
    if (m_width == 0 || (m_source.frameLimit >= 0 && m_delivered >= m_source.frameLimit)) {
        return false;
    }
    // Wait for the frame after the last one handed out, then hand out the newest: a slow
    // reader skips frames, as with a real camera.
    std::this_thread::sleep_until(m_openedAt + (m_lastFrameNumber + 1) * kFramePeriod);
    const auto elapsed = std::chrono::steady_clock::now() - m_openedAt;
    m_lastFrameNumber = std::max(m_lastFrameNumber + 1, static_cast<long>(elapsed / kFramePeriod));
    ++m_delivered;
    const std::int64_t drawingStarted = ThreadCpuNanoseconds();
    Render(m_lastFrameNumber, frame);
    g_drawingNanoseconds.fetch_add(ThreadCpuNanoseconds() - drawingStarted,
                                   std::memory_order_relaxed);
    return true;
}

std::chrono::nanoseconds CTestCamera::DrawingTime() {
    return std::chrono::nanoseconds(g_drawingNanoseconds.load(std::memory_order_relaxed));
}

void CTestCamera::Render(long frameNumber, cv::Mat& frame) const {
    frame.create(m_height, m_width, CV_8UC3);
    const int scroll = static_cast<int>((frameNumber * kScrollPixelsPerFrame) % m_width);
    (*m_gradient)(cv::Rect(scroll, 0, m_width, m_height)).copyTo(frame);

    const int band = std::min(m_height, 56);
    frame(cv::Rect(0, 0, m_width, band)).setTo(cv::Scalar(128, 128, 128));

    const int square = std::min({kSquareSize, m_width, m_height - band});
    if (square > 0) {
        const int x = Bounce(frameNumber, 7, m_width - square);
        const int y = band + Bounce(frameNumber, 5, m_height - band - square);
        cv::rectangle(frame, cv::Rect(x, y, square, square), cv::Scalar(255, 255, 255), cv::FILLED);
    }

    const std::string number = std::to_string(frameNumber);
    const NumberLayout layout = LayoutOf(number);
    cv::putText(frame, number, layout.origin, cv::FONT_HERSHEY_SIMPLEX, layout.scale,
                cv::Scalar(0, 0, 0), layout.thickness + 4, cv::LINE_8);
    DrawFrameNumber(frame, frameNumber, cv::Scalar(255, 255, 255));
}

CTestCamera::NumberLayout CTestCamera::LayoutOf(const std::string& number) const {
    NumberLayout layout;
    layout.scale = m_height / 160.0;
    layout.thickness = std::max(1, m_height / 120);
    int baseline = 0;
    const cv::Size text = cv::getTextSize(number, cv::FONT_HERSHEY_SIMPLEX, layout.scale,
                                          layout.thickness, &baseline);
    const int band = std::min(m_height, 56);
    layout.origin = cv::Point((m_width - text.width) / 2, (m_height + text.height + band) / 2);
    return layout;
}

void CTestCamera::DrawFrameNumber(cv::Mat& image, long frameNumber,
                                  const cv::Scalar& colour) const {
    const std::string number = std::to_string(frameNumber);
    const NumberLayout layout = LayoutOf(number);
    cv::putText(image, number, layout.origin, cv::FONT_HERSHEY_SIMPLEX, layout.scale, colour,
                layout.thickness, cv::LINE_8);
}

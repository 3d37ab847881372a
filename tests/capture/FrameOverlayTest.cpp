#include "capture/FrameOverlay.h"

#include "SessionFixture.h"
#include "TestFrames.h"

#include <opencv2/imgproc.hpp>

TEST(FrameOverlay, RateIsZeroInTheFirstSecondThenTheAverageSinceTheStart) {
    CFrameOverlay overlay;
    cv::Mat image(120, 160, CV_8UC3, cv::Scalar(0, 0, 0));
    const std::time_t t0 = CSteppingClock::LocalTimeOf(2026, 3, 1, 10, 0, 0);
    overlay.Begin(t0);
    // Five frames within the first second, then frames at 2 s and 4 s.
    const std::time_t times[] = {t0, t0, t0, t0, t0, t0 + 2, t0 + 4, t0 + 4};
    const char* rates[] = {"0", "0", "0", "0", "0", "0", "3", "1"};
    for (std::size_t i = 0; i < std::size(times); ++i) {
        EXPECT_EQ(overlay.Stamp(image, 0, times[i]).rate, rates[i]) << i;
        overlay.FrameTaken(times[i]);
    }
}

TEST(FrameOverlay, SecondLineNamesTheCameraAndTheTimeTheFrameWasTaken) {
    // The same clock names a session's file: a start at 23:59:59 on 31 December has the old year
    // in the file name and the new year in the lines of later frames.
    CSteppingClock clock(2026, 12, 31, 23, 59, 59);
    const WallClock now = clock.Clock();
    CFrameOverlay overlay;
    cv::Mat image(120, 160, CV_8UC3, cv::Scalar(0, 0, 0));
    overlay.Begin(now());
    EXPECT_EQ(overlay.Stamp(image, 3, now()).cameraAndTime, "3 2027:01:01 00:00:00");
    overlay.FrameTaken(now());
    EXPECT_EQ(overlay.Stamp(image, 3, now()).cameraAndTime, "3 2027:01:01 00:00:02");
}

TEST(FrameOverlay, TextIsYellowInTheTopLeftCorner) {
    CFrameOverlay overlay;
    cv::Mat image(240, 320, CV_8UC3, cv::Scalar(0, 0, 0));
    overlay.Begin(0);
    overlay.Stamp(image, 0, 0);
    cv::Mat yellow;
    cv::inRange(image, cv::Scalar(0, 255, 255), cv::Scalar(0, 255, 255), yellow);
    cv::Mat other;
    cv::inRange(image, cv::Scalar(1, 0, 0), cv::Scalar(255, 254, 254), other);
    EXPECT_EQ(cv::countNonZero(other), 0);
    const cv::Rect box = cv::boundingRect(yellow);
    EXPECT_GE(box.x, 18);
    EXPECT_LE(box.x, 24);
    EXPECT_GE(box.y, 5);               // the first line's glyphs stand on the baseline at y = 20
    EXPECT_LE(box.y + box.height, 46); // the second line's baseline is y = 40
    EXPECT_GT(cv::countNonZero(yellow(cv::Rect(0, 0, 320, 21))), 5);
    EXPECT_GT(cv::countNonZero(yellow(cv::Rect(0, 24, 320, 21))), 30);
}

// The overlay pixels of fixed frames, as recorded from stamping with cv::putText directly: the
// same texts on several frames, a new second, and a picture smaller than the text.
TEST(FrameOverlay, StampedPixelsAreTheRecordedOnes) {
    const std::time_t t0 = CSteppingClock::LocalTimeOf(2026, 5, 4, 21, 9, 58);
    const struct {
        cv::Size size;
        int camera;
        std::time_t time;
        std::uint64_t hash;
    } frames[] = {
        {{640, 480}, 12, t0, 17178144872065880925ULL},
        {{640, 480}, 12, t0, 6055511323732293357ULL},
        {{640, 480}, 12, t0 + 1, 6082587720650272018ULL},
        {{640, 480}, 12, t0 + 3, 2020710648138843912ULL},
        {{96, 30}, 12, t0 + 3, 13691067809203584263ULL},
        {{320, 240}, 12, t0 + 3, 14153761471937028314ULL},
    };
    CFrameOverlay overlay;
    overlay.Begin(t0);
    for (std::size_t i = 0; i < std::size(frames); ++i) {
        cv::Mat image = MovingFrame(static_cast<int>(i), frames[i].size);
        overlay.Stamp(image, frames[i].camera, frames[i].time);
        overlay.FrameTaken(frames[i].time);
        EXPECT_EQ(PixelHash({image}), frames[i].hash) << i;
    }
}

// Stamping sets exactly the pixels cv::putText sets, for every digit, lines near the top and
// bottom edges and pictures smaller than the text.
TEST(FrameOverlay, StampedPixelsAreThoseOfPutText) {
    const struct {
        cv::Size size;
        int camera;
        int second;
    } frames[] = {
        {{640, 480}, 0, 0},  {{640, 480}, 0, 0},  {{640, 480}, 15, 13}, {{640, 480}, 7, 37},
        {{640, 480}, 9, 48}, {{320, 240}, 6, 59}, {{160, 45}, 2, 25},   {{64, 24}, 3, 71},
        {{640, 30}, 11, 96}, {{17, 3}, 8, 100},
    };
    const std::time_t t0 = CSteppingClock::LocalTimeOf(2026, 3, 17, 8, 36, 0);
    CFrameOverlay overlay;
    overlay.Begin(t0);
    for (std::size_t i = 0; i < std::size(frames); ++i) {
        const std::time_t now = t0 + frames[i].second;
        cv::Mat image = MovingFrame(static_cast<int>(i) + 3, frames[i].size);
        cv::Mat expected = image.clone();
        const OverlayTexts texts = overlay.Stamp(image, frames[i].camera, now);
        overlay.FrameTaken(now);
        for (const auto& [text, baseline] :
             {std::pair{texts.rate, cv::Point(20, 20)}, {texts.cameraAndTime, {20, 40}}}) {
            cv::putText(expected, text, baseline, cv::FONT_HERSHEY_SCRIPT_COMPLEX, 0.5,
                        cv::Scalar(0, 255, 255), 1, cv::LINE_8);
        }
        EXPECT_EQ(cv::norm(image, expected, cv::NORM_INF), 0.0) << i;
    }
}

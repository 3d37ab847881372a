// Test helper for recording tests: a scratch recording folder, a log folder of the test's own,
// a camera list, a clock, and the checks every finished stream file must pass.
#pragma once

#include "H264Decoding.h"
#include "capture/CameraSource.h"
#include "capture/WallClock.h"

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <memory>

class SessionTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    void UseCameras(const std::string& list) { SetCameraListOverride(list); }
    std::string Folder() const { return m_folder.string(); }
    // Everything this test logged today.
    std::string LoggedText() const;

    // Decodes the file and checks it is a finished stream: decodes without error and ends in
    // the end code. Answers the pictures.
    static std::vector<DecodedPicture> FinishedStream(const std::string& path);

    std::filesystem::path m_folder;
    std::filesystem::path m_logFolder;
};

// A wall clock that starts at a local time and moves one second on every reading.
class CSteppingClock {
public:
    CSteppingClock(int year, int month, int day, int hour, int minute, int second);
    WallClock Clock() {
        return [this] { return m_next.fetch_add(m_step); };
    }
    // Stops the clock (every reading gives the same time).
    void Freeze() { m_step = 0; }
    static std::time_t LocalTimeOf(int year, int month, int day, int hour, int minute, int second);

private:
    std::atomic<std::time_t> m_next;
    std::time_t m_step = 1; // set before the clock is handed out
};

// Lowest chroma U of a region of a decoded picture, in luma coordinates; the
// overlay's yellow text pulls U far below the neutral 128 of the test camera's grey band.
double MinU(const DecodedPicture& picture, cv::Rect lumaRegion);

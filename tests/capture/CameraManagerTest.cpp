#include "capture/CameraManager.h"

#include "FrameWindow.h"
#include "SessionFixture.h"
#include "settings/RecordingFolder.h"
#include "settings/TextEncoding.h"
#include "tests/support/WaitUntil.h"

#include <sstream>

namespace {

// The controller's own lines in a log (the encoder logs too), without their time stamps and
// the empty lines that follow texts ending in a newline.
std::vector<std::string> ControllerLines(const std::string& log) {
    std::istringstream logged(log);
    std::vector<std::string> lines;
    for (std::string line; std::getline(logged, line);) {
        if (line.size() > 11 && line.find("Write frame") == std::string::npos) {
            lines.push_back(line.substr(11));
        }
    }
    return lines;
}

class CameraManagerTest : public SessionTest {
protected:
    void SetUp() override {
        SessionTest::SetUp();
        m_recordingFolder.SetVideoPath(FromUtf8(Folder()));
        m_manager.SetOwner(m_window.Handle(), &m_recordingFolder);
        m_manager.SetClock(m_clock.Clock());
    }

    testing::AssertionResult WaitUntilDrained() {
        return WaitUntil([this] { return m_manager.IsDrained(); }, kEncodingWaitLimit);
    }
    bool WaitForFrames(int camera, std::size_t count) {
        return m_window.WaitFor(
            [&](const auto& items) { return FramesOf(items, camera).size() >= count; });
    }

    // Runs on the window's thread while the dispatch thread waits for it: the next frame of
    // m_breakCamera makes that camera's encoder fail.
    void OnFrame(const FrameWorkItem& item) {
        int camera = item.cameraIndex;
        if (m_breakCamera.compare_exchange_strong(camera, -1)) {
            item.encoder->InjectSendFailure(AVERROR(ENOMEM));
        }
    }

    CSteppingClock m_clock{2026, 5, 4, 8, 0, 0};
    CRecordingFolder m_recordingFolder{"unused-setting.xml"};
    std::atomic<int> m_breakCamera{-1};
    CFrameWindow m_window{[this](const FrameWorkItem& item) { OnFrame(item); }};
    CCameraManager m_manager;
};

int Occurrences(const std::string& text, const std::string& part) {
    int count = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

} // namespace

TEST_F(CameraManagerTest, SessionRecordsEveryCameraThatOpensIntoItsOwnFile) {
    UseCameras("test:320x240;test:fail;test:320x240");
    m_manager.StartAll();
    EXPECT_EQ(m_manager.CameraCount(), 3);
    ASSERT_TRUE(WaitForFrames(0, 3) && WaitForFrames(2, 3));
    m_manager.StopAll();
    ASSERT_TRUE(WaitUntilDrained());

    const auto items = m_window.Items();
    EXPECT_TRUE(items.front().IsSolid(0)); // the wall blanked to black first
    EXPECT_TRUE(items.back().IsSolid(110));
    EXPECT_TRUE(m_manager.Slot(1).FileName().empty());
    for (const int camera : {0, 2}) {
        const auto frames = FramesOf(items, camera);
        EXPECT_TRUE(frames.back().final);
        EXPECT_EQ(frames.front().cameraCount, 3);
        EXPECT_EQ(FinishedStream(m_manager.Slot(camera).FileName()).size(), frames.size());
    }
}

TEST_F(CameraManagerTest, StartWithoutCamerasBlanksTheWallAndSendsTheNoCameraMessageOnce) {
    UseCameras("");
    m_manager.StartAll();
    m_manager.StopAll();
    EXPECT_EQ(ControllerLines(LoggedText()),
              (std::vector<std::string>{"begin cam button event 1", "cam num=0",
                                        "begin cam button event 2", "end cam button event 1",
                                        "end cam button event 2"}));
    EXPECT_EQ(m_window.NoCameraMessages(), 1);
    const auto items = m_window.Items();
    ASSERT_EQ(items.size(), 1u);
    EXPECT_TRUE(items[0].IsSolid(0));
    EXPECT_EQ(items[0].cameraCount, 1);
}

TEST_F(CameraManagerTest, StopWithoutStartOnlyLogsItsTwoLines) {
    m_manager.StopAll();
    EXPECT_EQ(ControllerLines(LoggedText()),
              (std::vector<std::string>{"end cam button event 1", "end cam button event 2"}));
    EXPECT_TRUE(m_window.Items().empty());
    EXPECT_TRUE(m_manager.IsDrained());
}

TEST_F(CameraManagerTest, StartPressedTwiceKeepsTheRunningSessionAndItsFile) {
    UseCameras("test:320x240");
    m_manager.StartAll();
    ASSERT_TRUE(WaitForFrames(0, 2));
    const std::string file = m_manager.Slot(0).FileName();
    m_manager.StartAll();
    ASSERT_TRUE(WaitForFrames(0, 5));
    EXPECT_EQ(m_manager.Slot(0).FileName(), file);
    m_manager.StopAll();
    ASSERT_TRUE(WaitUntilDrained());

    const auto frames = FramesOf(m_window.Items(), 0);
    int finals = 0;
    for (const auto& frame : frames) {
        finals += frame.final;
    }
    EXPECT_EQ(finals, 1);
    EXPECT_EQ(FinishedStream(file).size(), frames.size());
}

TEST_F(CameraManagerTest, StopThenStartRecordsIntoNewFiles) {
    UseCameras("test:320x240");
    m_manager.StartAll();
    ASSERT_TRUE(WaitForFrames(0, 2));
    m_manager.StopAll();
    ASSERT_TRUE(WaitUntilDrained());
    const std::string first = m_manager.Slot(0).FileName();
    const std::size_t firstFrames = FramesOf(m_window.Items(), 0).size();

    m_manager.StartAll();
    ASSERT_TRUE(WaitForFrames(0, firstFrames + 2));
    m_manager.StopAll();
    ASSERT_TRUE(WaitUntilDrained());
    const std::string second = m_manager.Slot(0).FileName();

    EXPECT_NE(first, second);
    EXPECT_EQ(FinishedStream(first).size(), firstFrames);
    EXPECT_EQ(FinishedStream(second).size(), FramesOf(m_window.Items(), 0).size() - firstFrames);
}

TEST_F(CameraManagerTest, CamerasBeyondTheSixteenthAreIgnoredWithOneLogLine) {
    std::string list;
    for (int i = 0; i < 18; ++i) {
        list += "test:fail;";
    }
    UseCameras(list);
    m_manager.StartAll();
    EXPECT_EQ(m_manager.CameraCount(), 16);
    const auto lines = ControllerLines(LoggedText());
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[1], "cam num=18");
    EXPECT_EQ(lines[2], "cameras 16 to 17 ignored: only 16 can record at once");
    m_manager.StopAll();
    ASSERT_TRUE(WaitUntilDrained());
}

TEST_F(CameraManagerTest, EncodingErrorEndsOnlyThatCamerasRecordingUntilTheNextSession) {
    UseCameras("test:320x240;test:320x240");
    m_manager.StartAll();
    ASSERT_TRUE(WaitForFrames(1, 5));
    m_breakCamera.store(1);
    // Camera 1 ends its session by itself; camera 0 goes on recording.
    ASSERT_TRUE(WaitUntil([this] { return !m_manager.Slot(1).IsRunning(); }, kEncodingWaitLimit));
    const std::size_t camera0AtFailure = FramesOf(m_window.Items(), 0).size();
    ASSERT_TRUE(WaitForFrames(0, camera0AtFailure + 5));
    EXPECT_TRUE(m_manager.Slot(0).IsRunning());
    m_manager.StopAll();
    ASSERT_TRUE(WaitUntilDrained());

    const auto items = m_window.Items();
    EXPECT_TRUE(items.back().IsSolid(110));
    const auto frames0 = FramesOf(items, 0);
    EXPECT_TRUE(frames0.back().final);
    EXPECT_EQ(FinishedStream(m_manager.Slot(0).FileName()).size(), frames0.size());
    // Camera 1 shows only frames that were encoded; its file holds each of them and the end
    // code, although no final frame of it came.
    const auto frames1 = FramesOf(items, 1);
    EXPECT_FALSE(frames1.back().final);
    const std::string broken = m_manager.Slot(1).FileName();
    EXPECT_EQ(FinishedStream(broken).size(), frames1.size());
    const std::string logged = LoggedText();
    EXPECT_EQ(Occurrences(logged, "Error encoding"), 1) << logged;
    EXPECT_EQ(Occurrences(logged, "Error encoding frame of camera 1: Cannot allocate memory"), 1)
        << logged;

    // The next session records camera 1 again, with a fresh encoder and a new file.
    m_manager.StartAll();
    ASSERT_TRUE(WaitForFrames(1, frames1.size() + 3));
    m_manager.StopAll();
    ASSERT_TRUE(WaitUntilDrained());
    const std::string again = m_manager.Slot(1).FileName();
    EXPECT_NE(again, broken);
    const auto frames1Again = FramesOf(m_window.Items(), 1);
    EXPECT_TRUE(frames1Again.back().final);
    EXPECT_EQ(FinishedStream(again).size(), frames1Again.size() - frames1.size());
    EXPECT_EQ(Occurrences(LoggedText(), "Error encoding"), 1);
}

#include "capture/VideoThread.h"

#include "FrameWindow.h"
#include "SessionFixture.h"
#include "capture/Dispatch.h"
#include "settings/RecordingFolder.h"
#include "settings/TextEncoding.h"
#include "tests/support/WaitUntil.h"

#include <cstdlib>
#include <regex>
#include <set>

namespace fs = std::filesystem;

namespace {

class VideoThreadTest : public SessionTest {
protected:
    void SetUp() override {
        SessionTest::SetUp();
        m_recordingFolder.SetVideoPath(FromUtf8(Folder()));
        m_dispatch.SetTargetWindow(m_window.Handle());
        m_dispatch.Start();
        m_slot.SetOwner(&m_recordingFolder);
    }

    void Stop() {
        m_slot.ClearStarted();
        m_dispatch.WakeWaiters();
        m_slot.Join();
    }
    testing::AssertionResult WaitUntilIdle() {
        return WaitUntil([this] { return m_dispatch.IsIdle(); }, kEncodingWaitLimit);
    }
    bool WaitForFrames(std::size_t count) {
        return m_window.WaitFor(
            [&](const auto& items) { return FramesOf(items, m_camera).size() >= count; });
    }

    // The image buffers of the frames the window received.
    std::set<const uchar*> Buffers() const {
        std::lock_guard lock(m_buffersLock);
        return m_buffers;
    }

    int m_camera = 0;
    CRecordingFolder m_recordingFolder{"unused-setting.xml"};
    mutable std::mutex m_buffersLock;
    std::set<const uchar*> m_buffers; // guarded by m_buffersLock
    CFrameWindow m_window{[this](const FrameWorkItem& item) {
        std::lock_guard lock(m_buffersLock);
        m_buffers.insert(item.image.data);
    }};
    CDispatch m_dispatch;
    CVideoThread m_slot;
};

} // namespace

TEST_F(VideoThreadTest, RecordsUntilStoppedAndQueuesExactlyOneFinalItemLast) {
    // Refuses 640 x 480, so the thread's second try at 320 x 240 is what records.
    UseCameras("test:320x240");
    m_slot.SetSession(&m_dispatch, 0, 1);
    ASSERT_TRUE(m_slot.Start());
    ASSERT_TRUE(WaitForFrames(4));
    Stop();
    ASSERT_TRUE(WaitUntilIdle());

    const auto frames = FramesOf(m_window.Items(), 0);
    ASSERT_GE(frames.size(), 4u);
    for (std::size_t i = 0; i < frames.size(); ++i) {
        EXPECT_EQ(frames[i].final, i + 1 == frames.size()) << i;
        EXPECT_EQ(frames[i].image.size(), cv::Size(320, 240));
        EXPECT_EQ(frames[i].cameraCount, 1);
    }
    EXPECT_TRUE(m_window.Items().back().IsSolid(110));

    const std::string file = m_slot.FileName();
    EXPECT_TRUE(std::regex_match(fs::path(file).filename().string(),
                                 std::regex("通道0_\\d{8}-\\d{6}\\.avi")))
        << file;
    EXPECT_EQ(fs::path(file).parent_path(), m_folder);
    const auto pictures = FinishedStream(file);
    ASSERT_EQ(pictures.size(), frames.size());
    EXPECT_EQ(pictures[0].y.size(), cv::Size(320, 240));
    // Yellow overlay text in the top-left corner, on both lines; plain grey further right.
    EXPECT_LT(MinU(pictures[0], {18, 6, 16, 16}), 64.0);
    EXPECT_LT(MinU(pictures[0], {18, 26, 150, 16}), 64.0);
    EXPECT_GT(MinU(pictures[0], {240, 8, 60, 40}), 120.0);
}

TEST_F(VideoThreadTest, FramesAreGrabbedIntoAFewImagesUsedAgainAndAgain) {
    UseCameras("test:320x240");
    m_slot.SetSession(&m_dispatch, 0, 1);
    ASSERT_TRUE(m_slot.Start());
    ASSERT_TRUE(WaitForFrames(15));
    Stop();
    ASSERT_TRUE(WaitUntilIdle()); // the final item is encoded before the slot goes
    // No more than the frames in flight at once: those queued or being encoded, and the one
    // being grabbed.
    EXPECT_LE(Buffers().size(), static_cast<std::size_t>(CDispatch::kMaxPendingPerCamera + 2));
    EXPECT_GE(FramesOf(m_window.Items(), 0).size(), 15u);
}

TEST_F(VideoThreadTest, CameraThatStopsDeliveringStillGetsItsFileFinished) {
    UseCameras("test:320x240,frames=4"); // the probe frame, then three frames
    m_slot.SetSession(&m_dispatch, 0, 1);
    ASSERT_TRUE(m_slot.Start());
    m_slot.Join(); // ends on its own
    ASSERT_TRUE(WaitUntilIdle());

    const auto items = m_window.Items();
    EXPECT_EQ(FramesOf(items, 0).size(), 3u);
    EXPECT_TRUE(items.back().IsSolid(110));
    EXPECT_EQ(FinishedStream(m_slot.FileName()).size(), 3u);

    // The next session starts clean.
    UseCameras("test:320x240,frames=3");
    m_slot.ClearStarted();
    ASSERT_TRUE(m_slot.Start());
    m_slot.Join();
    ASSERT_TRUE(WaitUntilIdle());
    EXPECT_EQ(FinishedStream(m_slot.FileName()).size(), 2u);
}

TEST_F(VideoThreadTest, EarlyEndWithoutProbeFrameReleasesEncoderAndFile) {
    UseCameras("test:320x240,frames=0");
    m_slot.SetSession(&m_dispatch, 0, 1);
    ASSERT_TRUE(m_slot.Start());
    m_slot.Join();
    ASSERT_TRUE(WaitUntilIdle());
    EXPECT_TRUE(m_window.Items().empty());
    EXPECT_EQ(ReadFileBytes(m_slot.FileName()), std::vector<std::uint8_t>({0, 0, 1, 0xB7}));
}

TEST_F(VideoThreadTest, CameraThatCannotOpenQueuesNothingAndNamesNoFile) {
    UseCameras("test:fail");
    m_slot.SetSession(&m_dispatch, 0, 1);
    ASSERT_TRUE(m_slot.Start());
    m_slot.Join();
    EXPECT_TRUE(m_slot.FileName().empty());
    EXPECT_TRUE(fs::is_empty(m_folder));
}

TEST_F(VideoThreadTest, SessionStartedAtNewYearsEveNamesItsFileByTheStartingSecond) {
    m_camera = 3;
    UseCameras("test:fail;test:fail;test:fail;test:320x240,frames=3");
    CSteppingClock clock(2026, 12, 31, 23, 59, 59);
    m_slot.SetClock(clock.Clock());
    m_slot.SetSession(&m_dispatch, 3, 4);
    ASSERT_TRUE(m_slot.Start());
    m_slot.Join();
    ASSERT_TRUE(WaitUntilIdle());
    EXPECT_EQ(m_slot.FileName(), Folder() + "/通道3_20261231-235959.avi");
    const auto frames = FramesOf(m_window.Items(), 3);
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[0].cameraCount, 4);
    EXPECT_EQ(FinishedStream(m_slot.FileName()).size(), 2u);
}

TEST_F(VideoThreadTest, RestartWhileStoppingWaitsForThePreviousRunAndNeverOverwritesItsFile) {
    UseCameras("test:320x240");
    // A frozen clock: both sessions start in the same second.
    CSteppingClock clock(2026, 6, 1, 12, 0, 0);
    clock.Freeze();
    m_slot.SetClock(clock.Clock());
    m_slot.SetSession(&m_dispatch, 0, 1);
    ASSERT_TRUE(m_slot.Start());
    ASSERT_TRUE(WaitForFrames(2));
    const std::string first = m_slot.FileName();
    m_slot.ClearStarted();
    m_dispatch.WakeWaiters();
    ASSERT_TRUE(m_slot.Start()); // the first run may not have ended yet
    ASSERT_TRUE(m_window.WaitFor([](const auto& items) {
        int finals = 0;
        for (const auto& item : items) {
            finals += item.final;
        }
        return finals == 1 && FramesOf(items, 0).back().final == false &&
               FramesOf(items, 0).size() >= 5;
    }));
    const std::string second = m_slot.FileName();
    Stop();
    ASSERT_TRUE(WaitUntilIdle());

    EXPECT_EQ(second, Folder() + "/通道0_20260601-120000_2.avi");
    EXPECT_EQ(first, Folder() + "/通道0_20260601-120000.avi");
    const auto frames = FramesOf(m_window.Items(), 0);
    std::size_t firstFinal = 0;
    while (!frames[firstFinal].final) {
        ++firstFinal;
    }
    EXPECT_EQ(FinishedStream(first).size(), firstFinal + 1);
    EXPECT_EQ(FinishedStream(second).size(), frames.size() - firstFinal - 1);
    EXPECT_TRUE(frames.back().final);
}

TEST_F(VideoThreadTest, EmptyRecordingFolderRecordsIntoTheUsersVideosFolder) {
    const std::string videos = Folder() + "/videos";
    const char* old = std::getenv("XDG_VIDEOS_DIR");
    const std::string saved = old ? old : "";
    setenv("XDG_VIDEOS_DIR", videos.c_str(), 1);
    m_recordingFolder.SetVideoPath(L"");
    UseCameras("test:320x240,frames=2");
    m_slot.SetSession(&m_dispatch, 0, 1);
    ASSERT_TRUE(m_slot.Start());
    m_slot.Join();
    ASSERT_TRUE(WaitUntilIdle());
    if (old) {
        setenv("XDG_VIDEOS_DIR", saved.c_str(), 1);
    } else {
        unsetenv("XDG_VIDEOS_DIR");
    }
    EXPECT_EQ(fs::path(m_slot.FileName()).parent_path(), fs::path(videos) / "Vistrel");
    EXPECT_EQ(FinishedStream(m_slot.FileName()).size(), 1u);
}

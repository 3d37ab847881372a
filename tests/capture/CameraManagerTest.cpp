#include "capture/CameraManager.h"

#include "FrameWindow.h"
#include "SessionFixture.h"
#include "app/SentMessageWait.h"
#include "settings/RecordingFolder.h"
#include "settings/TextEncoding.h"
#include "tests/support/TestWindow.h"
#include "tests/support/WaitUntil.h"

#include <algorithm>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <functional>
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
        std::this_thread::sleep_for(std::chrono::milliseconds(m_frameDelayMs.load()));
        int camera = item.cameraIndex;
        if (m_breakCamera.compare_exchange_strong(camera, -1)) {
            item.encoder->InjectSendFailure(AVERROR(ENOMEM));
        }
    }

    CSteppingClock m_clock{2026, 5, 4, 8, 0, 0};
    CRecordingFolder m_recordingFolder{"unused-setting.xml"};
    std::atomic<int> m_breakCamera{-1};
    // How long the window takes for each camera frame.
    std::atomic<int> m_frameDelayMs{0};
    CFrameWindow m_window{[this](const FrameWorkItem& item) { OnFrame(item); }};
    CCameraManager m_manager;
};

int GreyWalls(const std::vector<ReceivedItem>& items) {
    return static_cast<int>(std::count_if(
        items.begin(), items.end(), [](const ReceivedItem& item) { return item.IsSolid(110); }));
}

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

TEST_F(CameraManagerTest, StartBehindACameraStuckInAGrabReturnsAtOnceAndRecordsWhenTheGrabEnds) {
    // The camera sends its probe frame and four frames for the file, then nothing: each grab
    // waits two seconds before it gives up, and a reopened camera streams again.
    UseCameras("emulated:stall=5");
    m_manager.StartAll();
    ASSERT_TRUE(WaitForFrames(0, 4));
    const std::string first = m_manager.Slot(0).FileName();
    m_manager.StopAll();

    const auto before = std::chrono::steady_clock::now();
    m_manager.StartAll();
    EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::milliseconds(200));
    EXPECT_TRUE(m_manager.Slot(0).IsRunning());

    // Once the stuck grab has given up and the first file is finished, the slot records anew.
    ASSERT_TRUE(WaitUntil(
        [this, &first] {
            const std::string name = m_manager.Slot(0).FileName();
            return !name.empty() && name != first;
        },
        kEncodingWaitLimit));
    ASSERT_TRUE(WaitForFrames(0, 6));
    m_manager.StopAll();
    ASSERT_TRUE(WaitUntilDrained());

    const std::size_t shown = FramesOf(m_window.Items(), 0).size();
    EXPECT_EQ(FinishedStream(first).size(), 4u);
    EXPECT_EQ(FinishedStream(m_manager.Slot(0).FileName()).size(), shown - 4);
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

TEST_F(CameraManagerTest, DestructionEncodesEverythingQueuedAndFinishesEveryFileFirst) {
    // Each camera delivers a probe frame and then kFrames - 1 frames for the file.
    constexpr int kFrames = 15;
    UseCameras("test:320x240,frames=15;test:320x240,frames=15");
    // A slow window holds the dispatch thread back, so frames pile up in its queue.
    m_frameDelayMs.store(60);
    auto manager = std::make_unique<CCameraManager>();
    manager->SetOwner(m_window.Handle(), &m_recordingFolder);
    manager->SetClock(m_clock.Clock());
    manager->StartAll();
    ASSERT_TRUE(
        WaitUntil([&] { return !manager->Slot(0).IsRunning() && !manager->Slot(1).IsRunning(); },
                  kEncodingWaitLimit));
    ASSERT_GT(manager->Dispatch().QueueLength(), 0u);
    const std::string files[] = {manager->Slot(0).FileName(), manager->Slot(1).FileName()};

    manager.reset();

    const auto items = m_window.Items();
    for (int camera = 0; camera < 2; ++camera) {
        EXPECT_EQ(FinishedStream(files[camera]).size(), std::size_t(kFrames - 1)) << camera;
    }
    // Some of them were encoded after the window had stopped showing frames.
    EXPECT_LT(FramesOf(items, 0).size() + FramesOf(items, 1).size(),
              std::size_t(2 * (kFrames - 1)));
}

TEST_F(CameraManagerTest, StopEndsEverySlotAlsoAboveTheCountOfALaterStart) {
    UseCameras("test:320x240;test:320x240;test:320x240");
    m_manager.StartAll();
    ASSERT_TRUE(WaitForFrames(0, 2) && WaitForFrames(1, 2) && WaitForFrames(2, 2));
    // Start pressed again while only one camera is found: slots 1 and 2 go on recording.
    UseCameras("test:320x240");
    m_manager.StartAll();
    EXPECT_EQ(m_manager.CameraCount(), 1);
    const std::size_t slot2Frames = FramesOf(m_window.Items(), 2).size();
    ASSERT_TRUE(WaitForFrames(2, slot2Frames + 2));
    m_manager.StopAll();
    ASSERT_TRUE(WaitUntilDrained());

    const auto items = m_window.Items();
    EXPECT_TRUE(items.back().IsSolid(110));
    for (int camera = 0; camera < 3; ++camera) {
        const auto frames = FramesOf(items, camera);
        EXPECT_TRUE(frames.back().final) << camera;
        EXPECT_EQ(FinishedStream(m_manager.Slot(camera).FileName()).size(), frames.size())
            << camera;
    }
}

TEST_F(CameraManagerTest, ACameraThatStopsDeliveringDoesNotGreyTheWallWhileOthersRecord) {
    UseCameras("test:320x240,frames=6;test:320x240");
    m_manager.StartAll();
    ASSERT_TRUE(WaitUntil([this] { return !m_manager.Slot(0).IsRunning(); }, kEncodingWaitLimit));
    // Camera 1's frames queued after camera 0's final item: that item has been handled by then.
    const std::size_t camera1Frames = FramesOf(m_window.Items(), 1).size();
    ASSERT_TRUE(WaitForFrames(1, camera1Frames + 8));
    EXPECT_EQ(GreyWalls(m_window.Items()), 0);
    EXPECT_TRUE(m_manager.Slot(1).IsRunning());

    m_manager.StopAll();
    ASSERT_TRUE(WaitUntilDrained());
    const auto items = m_window.Items();
    EXPECT_EQ(GreyWalls(items), 1);
    EXPECT_TRUE(items.back().IsSolid(110));
    EXPECT_EQ(FinishedStream(m_manager.Slot(0).FileName()).size(), FramesOf(items, 0).size());
    EXPECT_EQ(FinishedStream(m_manager.Slot(1).FileName()).size(), FramesOf(items, 1).size());
}

namespace {

// Ends the test program when a test hangs: a wait that handles messages on the test's own
// thread cannot be bounded from inside.
class CWatchdog {
public:
    explicit CWatchdog(std::chrono::seconds limit)
        : m_thread([this, limit] {
              std::unique_lock lock(m_lock);
              if (!m_disarmed.wait_for(lock, limit, [this] { return m_done; })) {
                  std::fprintf(stderr, "watchdog: the test hangs\n");
                  std::abort();
              }
          }) {}
    ~CWatchdog() {
        {
            std::lock_guard lock(m_lock);
            m_done = true;
        }
        m_disarmed.notify_all();
        m_thread.join();
    }

private:
    std::mutex m_lock;
    std::condition_variable m_disarmed;
    bool m_done = false; // guarded by m_lock
    std::thread m_thread;
};

// The main window's part: a window of the test's own thread (the UI thread) that records the
// frames it is sent, slowly when asked.
class StopAndWaitTest : public SessionTest {
protected:
    void SetUp() override {
        SessionTest::SetUp();
        m_recordingFolder.SetVideoPath(FromUtf8(Folder()));
        CTestWindowSetup setup;
        setup.handler = [this](HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) -> LRESULT {
            if (msg != WM_VIDEO_FRAME) {
                return DefWindowProc(hwnd, msg, wParam, lParam);
            }
            const auto* item = reinterpret_cast<const FrameWorkItem*>(wParam);
            if (item->encoder) {
                std::this_thread::sleep_for(std::chrono::milliseconds(m_frameDelayMs));
            }
            m_items.push_back({item->encoder != nullptr, item->image.clone(), item->cameraIndex,
                               item->cameraCount, item->final});
            return 0;
        };
        m_window = CreateTestWindow(setup, WS_POPUP, {0, 0, 64, 48});
        m_manager = std::make_unique<CCameraManager>();
        m_manager->SetOwner(m_window, &m_recordingFolder);
        m_manager->SetClock(m_clock.Clock());
    }
    void TearDown() override {
        m_manager.reset();
        DestroyWindow(m_window);
        SessionTest::TearDown();
    }

    // Handles the frames sent to the window until every camera has shown `count`.
    bool WaitForFrames(int cameras, std::size_t count) {
        return WaitHandlingSentMessages(
            [&] {
                for (int camera = 0; camera < cameras; ++camera) {
                    if (FramesOf(m_items, camera).size() < count) {
                        return false;
                    }
                }
                return true;
            },
            std::chrono::seconds(30));
    }

    CWatchdog m_watchdog{std::chrono::seconds(60)};
    CSteppingClock m_clock{2026, 5, 4, 9, 0, 0};
    CRecordingFolder m_recordingFolder{"unused-setting.xml"};
    HWND m_window = nullptr;
    // Touched on the test's thread only.
    std::vector<ReceivedItem> m_items;
    int m_frameDelayMs = 0;
    std::unique_ptr<CCameraManager> m_manager;
};

} // namespace

TEST_F(StopAndWaitTest, HandlesTheFramesSentMeanwhileAndReturnsOnceEveryFileIsFinished) {
    UseCameras("test:320x240;test:320x240");
    m_manager->StartAll();
    ASSERT_TRUE(WaitForFrames(2, 3));

    EXPECT_TRUE(m_manager->StopAllAndWait(10000));

    EXPECT_TRUE(m_manager->IsDrained());
    EXPECT_TRUE(m_items.back().IsSolid(110));
    for (int camera = 0; camera < 2; ++camera) {
        const auto frames = FramesOf(m_items, camera);
        EXPECT_TRUE(frames.back().final) << camera;
        EXPECT_EQ(FinishedStream(m_manager->Slot(camera).FileName()).size(), frames.size())
            << camera;
    }
}

TEST_F(StopAndWaitTest, GivesUpAfterItsTimeAndDestructionStillFinishesEveryFile) {
    UseCameras("test:320x240;test:320x240");
    m_manager->StartAll();
    ASSERT_TRUE(WaitForFrames(2, 2));
    // Every frame still to come takes the window a quarter of a second: each camera has at
    // least its final frame to come.
    m_frameDelayMs = 250;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(m_manager->StopAllAndWait(100));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    EXPECT_FALSE(m_manager->IsDrained());
    const std::string files[] = {m_manager->Slot(0).FileName(), m_manager->Slot(1).FileName()};

    // Destroyed on the thread whose window the dispatch thread may be sending to.
    m_manager.reset();

    for (const std::string& file : files) {
        EXPECT_GT(FinishedStream(file).size(), 0u) << file;
    }
}

#include "capture/Dispatch.h"

#include "FrameWindow.h"
#include "H264Decoding.h"
#include "TestFrames.h"
#include "capture/StreamEncoder.h"
#include "tests/support/WaitUntil.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;

namespace {

class DispatchTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_folder = fs::temp_directory_path() /
                   ("vistrel-dispatch-" + std::to_string(::getpid()) + "-" +
                    ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(m_folder);
    }
    void TearDown() override { fs::remove_all(m_folder); }

    std::string File(const std::string& name) const { return (m_folder / name).string(); }

    static std::unique_ptr<FrameWorkItem> Item(CStreamEncoder* encoder, int camera, int tag,
                                               bool final = false) {
        auto item = std::make_unique<FrameWorkItem>();
        item->encoder = encoder;
        item->image = MovingFrame(tag);
        // The tag marks the top row, to see the order and the flip.
        item->image.row(0).setTo(cv::Scalar(tag, tag, tag));
        item->cameraIndex = camera;
        item->cameraCount = 2;
        item->final = final;
        return item;
    }

    fs::path m_folder;
};

// A capture thread stand-in that pushes as fast as the queue lets it.
class CProducer : public CThread {
public:
    CProducer(CDispatch& dispatch, CStreamEncoder& encoder)
        : m_dispatch(dispatch), m_encoder(encoder) {}
    ~CProducer() override {
        ClearStarted();
        m_dispatch.WakeWaiters();
        Join();
    }
    void run() override {
        for (int tag = 0;; ++tag) {
            auto item = std::make_unique<FrameWorkItem>();
            item->encoder = &m_encoder;
            item->image = MovingFrame(tag);
            item->cameraCount = 1;
            item->final = !IsStarted();
            const bool final = item->final;
            m_dispatch.Push(std::move(item));
            pushed.fetch_add(1);
            if (final) {
                return;
            }
            m_dispatch.WaitForRoom(0, *this);
            longestQueue.store(std::max(longestQueue.load(), m_dispatch.QueueLength()));
        }
    }
    std::atomic<int> pushed{0};
    std::atomic<std::size_t> longestQueue{0};

private:
    CDispatch& m_dispatch;
    CStreamEncoder& m_encoder;
};

int TopRowTag(const ReceivedItem& item) {
    // Received images are flipped: the tagged top row is now the last.
    return item.image.at<cv::Vec3b>(item.image.rows - 1, 0)[0];
}

} // namespace

TEST_F(DispatchTest, ItemsOfSeveralCamerasAreEncodedAndSentInPushOrder) {
    CFrameWindow window;
    CStreamEncoder encoders[2];
    for (int camera = 0; camera < 2; ++camera) {
        ASSERT_TRUE(encoders[camera].Init(AV_CODEC_ID_H264, 160, 120));
        ASSERT_TRUE(encoders[camera].OpenFile(File("cam" + std::to_string(camera) + ".avi")));
    }
    const int cameraOfTag[] = {0, 1, 1, 0, 1, 0, 0, 1, 0, 1};
    CDispatch dispatch;
    dispatch.SetTargetWindow(window.Handle());
    // Queued before the thread starts, so the first final item has the second behind it.
    for (int tag = 0; tag < 10; ++tag) {
        const int camera = cameraOfTag[tag];
        dispatch.Push(Item(&encoders[camera], camera, 10 + tag, tag >= 8));
    }
    dispatch.Start();
    ASSERT_TRUE(window.WaitFor([](const auto& items) { return items.size() == 11; }));

    const auto items = window.Items();
    for (int tag = 0; tag < 10; ++tag) {
        EXPECT_EQ(items[tag].cameraIndex, cameraOfTag[tag]) << tag;
        EXPECT_EQ(TopRowTag(items[tag]), 10 + tag) << tag;
        EXPECT_EQ(items[tag].final, tag >= 8) << tag;
    }
    EXPECT_TRUE(items[10].IsSolid(110));
    for (int camera = 0; camera < 2; ++camera) {
        const std::string file = File("cam" + std::to_string(camera) + ".avi");
        EXPECT_FALSE(encoders[camera].IsInitialised());
        const DecodedStream stream = DecodeH264File(file);
        EXPECT_EQ(stream.errors, 0);
        EXPECT_EQ(stream.pictures.size(), 5u);
        EXPECT_TRUE(EndsWithEndCode(ReadFileBytes(file)));
    }
}

TEST_F(DispatchTest, WallGreysOnlyWhenTheQueueIsEmptyAtAFinalItem) {
    CFrameWindow window;
    CDispatch dispatch;
    dispatch.SetTargetWindow(window.Handle());
    // Queued before the thread starts: camera 0's final item has camera 1's item behind it.
    dispatch.Push(Item(nullptr, 0, 1, true));
    dispatch.Push(Item(nullptr, 1, 2));
    dispatch.Start();
    ASSERT_TRUE(window.WaitFor([](const auto& items) { return items.size() == 2; }));
    ASSERT_TRUE(WaitUntil([&] { return dispatch.IsIdle(); }, kWaitLimit));
    dispatch.Push(Item(nullptr, 1, 3, true));
    ASSERT_TRUE(window.WaitFor([](const auto& items) { return items.size() == 4; }));

    const auto items = window.Items();
    EXPECT_TRUE(items[0].final);
    EXPECT_FALSE(items[1].IsSolid(110));
    EXPECT_TRUE(items[2].final);
    EXPECT_TRUE(items[3].IsSolid(110));
}

TEST_F(DispatchTest, FinalItemWithoutImageFinishesTheFileWithoutShowingAnything) {
    CFrameWindow window;
    CStreamEncoder encoder;
    ASSERT_TRUE(encoder.Init(AV_CODEC_ID_H264, 160, 120));
    ASSERT_TRUE(encoder.OpenFile(File("unplugged.avi")));
    CDispatch dispatch;
    dispatch.SetTargetWindow(window.Handle());
    dispatch.Start();
    for (int tag = 0; tag < 3; ++tag) {
        dispatch.Push(Item(&encoder, 0, tag));
    }
    auto last = std::make_unique<FrameWorkItem>();
    last->encoder = &encoder;
    last->final = true;
    dispatch.Push(std::move(last));
    ASSERT_TRUE(window.WaitFor([](const auto& items) { return items.size() == 4; }));
    ASSERT_TRUE(WaitUntil([&] { return dispatch.IsIdle(); }, kEncodingWaitLimit));

    const auto items = window.Items();
    EXPECT_EQ(FramesOf(items, 0).size(), 3u);
    EXPECT_TRUE(items[3].IsSolid(110));
    EXPECT_FALSE(encoder.IsInitialised());
    EXPECT_EQ(DecodeH264File(File("unplugged.avi")).pictures.size(), 3u);
    EXPECT_TRUE(EndsWithEndCode(ReadFileBytes(File("unplugged.avi"))));
}

TEST_F(DispatchTest, QueueStaysShortWhenEncodingIsSlowerThanTheCameraAndLosesNothing) {
    // The window takes its time over every frame, as a busy UI thread would.
    CFrameWindow window(
        [](const FrameWorkItem&) { std::this_thread::sleep_for(std::chrono::milliseconds(15)); });
    CStreamEncoder encoder;
    ASSERT_TRUE(encoder.Init(AV_CODEC_ID_H264, 160, 120));
    ASSERT_TRUE(encoder.OpenFile(File("bounded.avi")));
    CDispatch dispatch;
    dispatch.SetTargetWindow(window.Handle());
    dispatch.Start();
    {
        CProducer producer(dispatch, encoder);
        producer.Start();
        ASSERT_TRUE(window.WaitFor([](const auto& items) { return items.size() >= 20; }));
        EXPECT_LE(producer.longestQueue.load(),
                  static_cast<std::size_t>(CDispatch::kMaxPendingPerCamera));
        producer.ClearStarted();
        dispatch.WakeWaiters();
        producer.Join();
        const int pushed = producer.pushed.load();
        ASSERT_TRUE(window.WaitFor(
            [&](const auto& items) { return static_cast<int>(items.size()) == pushed + 1; }));
        const auto items = window.Items();
        EXPECT_TRUE(items[items.size() - 2].final);
        EXPECT_EQ(DecodeH264File(File("bounded.avi")).pictures.size(),
                  static_cast<std::size_t>(pushed));
    }
}

TEST_F(DispatchTest, EndingTheThreadStillFinishesEverythingQueued) {
    CStreamEncoder encoder;
    ASSERT_TRUE(encoder.Init(AV_CODEC_ID_H264, 160, 120));
    ASSERT_TRUE(encoder.OpenFile(File("shutdown.avi")));
    {
        CFrameWindow window([](const FrameWorkItem&) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        });
        CDispatch dispatch;
        dispatch.SetTargetWindow(window.Handle());
        dispatch.Start();
        for (int tag = 0; tag < 6; ++tag) {
            dispatch.Push(Item(&encoder, 0, tag, tag == 5));
        }
    }
    EXPECT_FALSE(encoder.IsInitialised());
    EXPECT_EQ(DecodeH264File(File("shutdown.avi")).pictures.size(), 6u);
    EXPECT_TRUE(EndsWithEndCode(ReadFileBytes(File("shutdown.avi"))));
}

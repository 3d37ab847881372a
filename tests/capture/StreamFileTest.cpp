// The stream file as written: every packet in the file as soon as the encoder hands it out,
// synced to the disk every few seconds, and a file that cannot be written reported once.
#include "FrameWindow.h"
#include "SessionFixture.h"
#include "TestFrames.h"
#include "capture/CameraManager.h"
#include "capture/FileSyncer.h"
#include "capture/StreamEncoder.h"
#include "settings/RecordingFolder.h"
#include "settings/TextEncoding.h"

#include <algorithm>
#include <functional>
#include <thread>

namespace fs = std::filesystem;

namespace {

int Occurrences(const std::string& text, const std::string& part) {
    int count = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

// Checks every 5 ms until `done` holds, for at most `timeout`; answers `done`.
bool WaitUntil(const std::function<bool()>& done, std::chrono::seconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

int OpenDescriptors() {
    return static_cast<int>(std::distance(fs::directory_iterator("/proc/self/fd"), {}));
}

class StreamFileTest : public SessionTest {
protected:
    std::string File(const std::string& name) const { return Folder() + "/" + name; }
};

} // namespace

TEST_F(StreamFileTest, EveryPacketIsInTheFileWhenTheEncoderReturns) {
    constexpr int kFrames = 40;
    const cv::Size size(320, 240);
    const std::string file = File("written.avi");
    CStreamEncoder encoder;
    ASSERT_TRUE(encoder.Init(AV_CODEC_ID_H264, size.width, size.height));
    ASSERT_TRUE(encoder.OpenFile(file));
    std::vector<int> decodable;
    for (int i = 0; i < kFrames; ++i) {
        ASSERT_EQ(encoder.EncodeFrame(MovingFrame(i, size)), 0);
        // Read as a crash would leave it: whole packets only, nothing missing.
        const DecodedStream stream = DecodeH264File(file);
        EXPECT_EQ(stream.errors, 0) << i;
        decodable.push_back(static_cast<int>(stream.pictures.size()));
    }
    // The encoder holds back a fixed number of frames; each frame it has let out is there.
    const int delay = kFrames - decodable.back();
    ASSERT_GT(delay, 0);
    ASSERT_LT(delay, kFrames / 2);
    for (int i = 0; i < kFrames; ++i) {
        EXPECT_EQ(decodable[static_cast<std::size_t>(i)], std::max(0, i + 1 - delay)) << i;
    }
    ASSERT_EQ(encoder.Flush(), 0);
    encoder.Close();
    EXPECT_EQ(FinishedStream(file).size(), static_cast<std::size_t>(kFrames));
}

TEST_F(StreamFileTest, FileIsSyncedWhileWrittenAndOnceMoreWhenFinished) {
    // Holding the process's syncer keeps it (and its counts) across the encoder's file.
    const std::shared_ptr<CFileSyncer> syncer = CFileSyncer::Shared();
    const std::uint64_t before = syncer->Syncs();
    const int descriptors = OpenDescriptors();
    CStreamEncoder encoder;
    ASSERT_TRUE(encoder.Init(AV_CODEC_ID_H264, 160, 120));
    ASSERT_TRUE(encoder.OpenFile(File("synced.avi")));
    EXPECT_EQ(syncer->Files(), 1);
    EXPECT_EQ(OpenDescriptors(), descriptors + 2); // the encoder's and the syncer's duplicate
    for (int i = 0; i < 5; ++i) {
        ASSERT_EQ(encoder.EncodeFrame(MovingFrame(i)), 0);
    }
    EXPECT_TRUE(WaitUntil([&] { return syncer->Syncs() > before; },
                          CFileSyncer::kInterval + std::chrono::seconds(3)));
    ASSERT_EQ(encoder.Flush(), 0);
    const std::uint64_t beforeClose = syncer->Syncs();
    encoder.Close();
    // The syncer lets a finished file go only after a sync that began after it was finished.
    EXPECT_TRUE(WaitUntil([&] { return syncer->Files() == 0; }, std::chrono::seconds(3)));
    EXPECT_GT(syncer->Syncs(), beforeClose);
    EXPECT_EQ(OpenDescriptors(), descriptors);
    EXPECT_EQ(FinishedStream(File("synced.avi")).size(), 5u);
}

TEST_F(StreamFileTest, AFileThatCannotBeWrittenIsReportedOnceAndEncodingGoesOn) {
    const struct {
        const char* name;
        std::string path;
        bool opens;
        std::string logged;
    } cases[] = {
        {"disk full", "/dev/full", true,
         "Could not write stream file /dev/full: No space left on device"},
        {"folder removed", File("removed/通道0.avi"), false,
         "Could not create stream file " + File("removed/通道0.avi") +
             ": No such file or directory"},
    };
    for (const auto& c : cases) {
        int reports = 0;
        CStreamEncoder encoder;
        encoder.SetFileFailureReport([&reports] { ++reports; });
        ASSERT_TRUE(encoder.Init(AV_CODEC_ID_H264, 160, 120)) << c.name;
        EXPECT_EQ(encoder.OpenFile(c.path), c.opens) << c.name;
        for (int i = 0; i < 30; ++i) {
            ASSERT_EQ(encoder.EncodeFrame(MovingFrame(i)), 0) << c.name;
        }
        EXPECT_EQ(encoder.Flush(), 0) << c.name;
        EXPECT_FALSE(encoder.HasFailed()) << c.name;
        encoder.Close();
        EXPECT_EQ(reports, 1) << c.name;
        EXPECT_EQ(Occurrences(LoggedText(), c.logged), 1) << LoggedText();
    }
}

TEST_F(StreamFileTest, TheOwnerHearsOncePerSessionWhichCameraCannotRecord) {
    CSteppingClock clock(2026, 5, 4, 8, 0, 0);
    clock.Freeze(); // every session names its files after the same second
    CRecordingFolder recordingFolder("unused-setting.xml");
    recordingFolder.SetVideoPath(FromUtf8(Folder()));
    CFrameWindow window;
    CCameraManager manager;
    manager.SetOwner(window.Handle(), &recordingFolder);
    manager.SetClock(clock.Clock());
    UseCameras("test:320x240;test:320x240");
    // Camera 1's file name leads into a folder that was removed.
    const std::string unwritable = File("通道1_20260504-080000.avi");
    fs::create_symlink(File("removed/通道1.avi"), unwritable);

    for (int session = 1; session <= 2; ++session) {
        const std::size_t framesBefore = FramesOf(window.Items(), 0).size();
        manager.StartAll();
        EXPECT_TRUE(window.WaitFor(
            [&](const auto& items) { return FramesOf(items, 0).size() >= framesBefore + 5; }));
        manager.StopAll();
        EXPECT_TRUE(WaitUntil([&] { return manager.IsDrained(); }, std::chrono::seconds(60)));
        EXPECT_TRUE(WaitUntil([&] { return window.FileFailures().size() >= 1u * session; },
                              std::chrono::seconds(10)));
        EXPECT_EQ(window.FileFailures(), std::vector<int>(static_cast<std::size_t>(session), 1));
    }
    // Camera 0 recorded both sessions as if nothing had happened.
    for (const char* name : {"通道0_20260504-080000.avi", "通道0_20260504-080000_2.avi"}) {
        EXPECT_GE(FinishedStream(File(name)).size(), 5u) << name;
    }
    EXPECT_EQ(Occurrences(LoggedText(), "Could not create stream file " + unwritable +
                                            ": No such file or directory"),
              2)
        << LoggedText();
}

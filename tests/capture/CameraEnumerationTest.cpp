// Finding the cameras among the device nodes: a fake /dev folder whose entries are served by
// emulated webcams.
#include "capture/CameraSource.h"
#include "capture/EmulatedV4l2.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

class CameraEnumerationTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_dev = fs::temp_directory_path() /
                ("vistrel-dev-" + std::to_string(::getpid()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_dev);
        fs::create_directories(m_dev);
    }
    void TearDown() override { fs::remove_all(m_dev); }

    // An entry of the fake /dev listing.
    std::string Entry(const std::string& name) const {
        const std::string path = (m_dev / name).string();
        std::ofstream(path).put('\n');
        return path;
    }
    std::vector<std::string> Found() {
        std::vector<std::string> paths;
        for (const CameraSource& source : CaptureDeviceSources(m_emulator, m_dev.string())) {
            EXPECT_FALSE(source.emulated);
            paths.push_back(source.devicePath);
        }
        return paths;
    }

    fs::path m_dev;
    CEmulatedV4l2 m_emulator{CEmulatedClock::Kind::Virtual};
};

} // namespace

TEST_F(CameraEnumerationTest, FindsCaptureNodesInNodeOrderAndSkipsMetadataNodes) {
    // Three UVC webcams, each with its metadata node right after its capture node, the third
    // plugged in last at a two-digit number; entries that are no video nodes, and a node that
    // cannot be opened.
    for (const auto& [capture, metadata] :
         {std::pair{"video0", "video1"}, {"video2", "video3"}, {"video10", "video11"}}) {
        auto camera = m_emulator.AddCamera(Entry(capture), {});
        m_emulator.AddMetadataNode(Entry(metadata), camera);
    }
    Entry("video4"); // no device answers behind it
    for (const char* other : {"video", "videoX", "video-1", "media0", "v4l-subdev0", "vbi0"}) {
        Entry(other);
    }
    EXPECT_EQ(Found(),
              (std::vector<std::string>{(m_dev / "video0").string(), (m_dev / "video2").string(),
                                        (m_dev / "video10").string()}));
    EXPECT_EQ(m_emulator.OpenFiles(), 0);
}

TEST_F(CameraEnumerationTest, UnpluggedCamerasAndEmptyOrMissingFoldersGiveNothingForThem) {
    EmulatedUvcProfile unplugged;
    unplugged.unplugAfter = 0;
    auto gone = m_emulator.AddCamera(Entry("video0"), unplugged);
    m_emulator.AddMetadataNode(Entry("video1"), gone);
    // Unplugged at its first frame: streaming makes it go.
    const int fd = m_emulator.Open((m_dev / "video0").string(), O_RDWR);
    v4l2_requestbuffers request{};
    request.count = 2;
    request.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
    request.memory = V4L2_MEMORY_MMAP;
    ASSERT_EQ(m_emulator.Ioctl(fd, VIDIOC_REQBUFS, &request), 0);
    v4l2_buf_type type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
    ASSERT_EQ(m_emulator.Ioctl(fd, VIDIOC_STREAMON, &type), 0);
    m_emulator.Clock().Advance(std::chrono::seconds(1));
    m_emulator.AddCamera(Entry("video2"), {});
    EXPECT_EQ(Found(), std::vector<std::string>{(m_dev / "video2").string()});
    m_emulator.Close(fd);

    fs::remove_all(m_dev);
    EXPECT_TRUE(Found().empty());
}

#include "capture/CameraDS.h"
#include "capture/CameraSource.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;

namespace {

// Sets the process's camera list for one test.
class CameraList {
public:
    explicit CameraList(const std::string& list) { SetCameraListOverride(list); }
    ~CameraList() { SetCameraListOverride(std::nullopt); }
};

CameraSource TestSource(int width = 640, int height = 480, bool only = false, bool fails = false,
                        int limit = -1) {
    CameraSource source;
    source.width = width;
    source.height = height;
    source.onlyThisSize = only;
    source.failsToOpen = fails;
    source.frameLimit = limit;
    return source;
}

CameraSource EmulatedSource(const std::string& entry, int bus = -1, int unplugAfter = -1,
                            int stallAfter = -1) {
    CameraSource source;
    source.devicePath = entry;
    source.emulated = EmulatedUvcProfile{};
    source.emulated->unplugAfter = unplugAfter;
    source.emulated->stallAfter = stallAfter;
    source.usbBus = bus;
    return source;
}

} // namespace

TEST(CameraList, ParsesEveryKindOfSource) {
    CameraSource device;
    device.devicePath = "/dev/video2";
    const struct {
        const char* list;
        std::vector<CameraSource> sources;
    } cases[] = {
        {"test", {TestSource()}},
        {"test:320x240", {TestSource(320, 240, true)}},
        {"test:fail", {TestSource(640, 480, false, true)}},
        {"test:frames=40", {TestSource(640, 480, false, false, 40)}},
        {"test:320x240,frames=100", {TestSource(320, 240, true, false, 100)}},
        {"/dev/video2", {device}},
        {"emulated", {EmulatedSource("emulated")}},
        {"emulated:bus=1", {EmulatedSource("emulated:bus=1", 1)}},
        {"emulated:bus=1,unplug=90", {EmulatedSource("emulated:bus=1,unplug=90", 1, 90)}},
        {"emulated:stall=5", {EmulatedSource("emulated:stall=5", -1, -1, 5)}},
        {"emulated;test", {EmulatedSource("emulated"), TestSource()}},
        {" test ;; test:fail ;", {TestSource(), TestSource(640, 480, false, true)}},
        {"", {}},
    };
    for (const auto& c : cases) {
        const CameraListParse parse = ParseCameraList(c.list);
        EXPECT_EQ(parse.sources, c.sources) << c.list;
        EXPECT_TRUE(parse.errors.empty()) << c.list;
    }
}

TEST(CameraList, UnknownEntriesKeepTheirPlaceAsCamerasThatCannotOpen) {
    for (const char* bad : {"camera", "test:abc", "test:0x240", "test:321x240", "test:frames=-1",
                            "test:frames=x", "test:frames=", "test:320x240,loud", "testing",
                            "emulated:", "emulatedx", "emulated:bus=x", "emulated:unplug=-1",
                            "emulated:stall=-1", "emulated:loud", "emulated:320x240"}) {
        const CameraListParse parse = ParseCameraList(std::string("test;") + bad + ";test");
        ASSERT_EQ(parse.sources.size(), 3u) << bad;
        EXPECT_TRUE(parse.sources[1].failsToOpen) << bad;
        EXPECT_FALSE(parse.sources[2].failsToOpen) << bad;
        EXPECT_EQ(parse.errors.size(), 1u) << bad;
    }
}

TEST(CameraDS, CountsTheListedCameras) {
    CameraList list("test;test:fail;test:320x240");
    EXPECT_EQ(CCameraDS::CountDevices(), 3);
}

TEST(CameraDS, OpensAtTheRequestedSizeOrReportsTheSizeDelivered) {
    CameraList list("test;test:320x240;test:fail");
    const struct {
        int index;
        int width;
        int height;
        bool opens;
        int deliveredWidth;
        int deliveredHeight;
    } cases[] = {
        {0, 640, 480, true, 640, 480},
        {0, 320, 240, true, 640, 480}, // a single-size camera opens at its own size
        {1, 640, 480, false, 0, 0},    // refuses every size but its own
        {1, 320, 240, true, 320, 240},
        {2, 640, 480, false, 0, 0},
        {3, 640, 480, false, 0, 0}, // no such camera
        {-1, 640, 480, false, 0, 0},
    };
    for (const auto& c : cases) {
        CCameraDS camera;
        EXPECT_EQ(camera.Open(c.index, c.width, c.height), c.opens) << c.index << " " << c.width;
        EXPECT_EQ(camera.FrameWidth(), c.deliveredWidth);
        EXPECT_EQ(camera.FrameHeight(), c.deliveredHeight);
    }
}

TEST(CameraDS, EachGrabWritesAFreshMovingPictureIntoTheCallersImage) {
    CameraList list("test:160x120");
    CCameraDS camera;
    ASSERT_TRUE(camera.Open(0, 160, 120));
    cv::Mat frame;
    ASSERT_TRUE(camera.GrabFrame(frame));
    ASSERT_EQ(frame.size(), cv::Size(160, 120));
    ASSERT_EQ(frame.type(), CV_8UC3);
    const cv::Mat before = frame.clone();
    const uchar* buffer = frame.data;
    ASSERT_TRUE(camera.GrabFrame(frame));
    // The same buffer: a grab into an image of the camera's size allocates nothing.
    EXPECT_EQ(frame.data, buffer);
    EXPECT_GT(cv::norm(before, frame, cv::NORM_L1), 0.0);
    // Top row first: the plain grey band of the picture is at the top.
    EXPECT_EQ(frame.at<cv::Vec3b>(0, 80), cv::Vec3b(128, 128, 128));
    EXPECT_NE(frame.at<cv::Vec3b>(119, 80), cv::Vec3b(128, 128, 128));
    // An image of another size is made to fit.
    cv::Mat small(10, 10, CV_8UC3);
    ASSERT_TRUE(camera.GrabFrame(small));
    EXPECT_EQ(small.size(), cv::Size(160, 120));
    camera.Close();
    EXPECT_FALSE(camera.GrabFrame(frame));
    EXPECT_EQ(camera.FrameWidth(), 0);
}

TEST(CameraDS, TestCameraStopsAfterItsFrameLimitAsIfUnplugged) {
    CameraList list("test:160x120,frames=3");
    CCameraDS camera;
    ASSERT_TRUE(camera.Open(0, 160, 120));
    cv::Mat frame;
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(camera.GrabFrame(frame)) << i;
    }
    EXPECT_FALSE(camera.GrabFrame(frame));
    // A new session opens it afresh.
    ASSERT_TRUE(camera.Open(0, 160, 120));
    EXPECT_TRUE(camera.GrabFrame(frame));
}

TEST(CameraDS, CameraThatGoesAwayAfterCountingFailsWithoutShiftingTheOthers) {
    const fs::path gone = fs::temp_directory_path() / "vistrel-unplugged-video-device";
    setenv("VISTREL_CAMERAS", (gone.string() + ";test:320x240").c_str(), 1);
    ASSERT_EQ(CCameraDS::CountDevices(), 2);
    // The first camera leaves the list after counting; the second keeps its position.
    setenv("VISTREL_CAMERAS", "test:320x240", 1);
    CCameraDS camera;
    EXPECT_FALSE(camera.Open(0, 320, 240));
    EXPECT_TRUE(camera.Open(1, 320, 240));
    EXPECT_EQ(camera.FrameWidth(), 320);
    unsetenv("VISTREL_CAMERAS");
    SetCameraListOverride(std::nullopt); // forgets the count
}

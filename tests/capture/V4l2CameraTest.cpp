// The V4L2 camera against emulated UVC webcams in virtual time: every wait of the camera moves
// the emulated clock instead of sleeping, so frame timing is exact and the tests are instant.
#include "capture/V4l2Camera.h"
#include "SessionFixture.h"
#include "capture/EmulatedPicture.h"
#include "capture/EmulatedV4l2.h"

#include <chrono>
#include <memory>

namespace {

constexpr auto kFramePeriod = std::chrono::nanoseconds(std::chrono::seconds(1)) / 30;

class V4l2CameraTest : public SessionTest {
protected:
    std::shared_ptr<CEmulatedV4l2> m_emulator =
        std::make_shared<CEmulatedV4l2>(CEmulatedClock::Kind::Virtual);

    std::shared_ptr<CEmulatedUvcCamera> AddCamera(const std::string& path,
                                                  EmulatedUvcProfile profile = {},
                                                  std::shared_ptr<CEmulatedUsbBus> bus = nullptr) {
        return m_emulator->AddCamera(path, profile, std::move(bus));
    }
    std::unique_ptr<CV4l2Camera> Camera(const std::string& path) {
        return std::make_unique<CV4l2Camera>(path, m_emulator);
    }
    // The picture the emulated camera paints for frame `number` at the frame's size.
    static cv::Mat Painted(cv::Size size, std::uint32_t number) {
        cv::Mat picture(size, CV_8UC3);
        PaintEmulatedFrame(picture, number);
        return picture;
    }
};

} // namespace

TEST_F(V4l2CameraTest, OpensAt640x480AndGrabsUncompressedFramesTopRowFirst) {
    AddCamera("/dev/video0");
    auto camera = Camera("/dev/video0");
    ASSERT_TRUE(camera->Open(640, 480));
    EXPECT_EQ(camera->Width(), 640);
    EXPECT_EQ(camera->Height(), 480);
    EXPECT_FALSE(camera->IsCompressed());
    cv::Mat frame;
    for (std::uint32_t number = 0; number < 3; ++number) {
        ASSERT_TRUE(camera->Grab(frame));
        ASSERT_EQ(frame.size(), cv::Size(640, 480));
        EXPECT_EQ(cv::norm(frame, Painted({640, 480}, number), cv::NORM_INF), 0.0) << number;
    }
}

TEST_F(V4l2CameraTest, OpensAtTheNearestSizeTheDeviceOffers) {
    const struct {
        std::vector<cv::Size> offered;
        cv::Size requested;
        cv::Size opened;
    } cases[] = {
        {{{1280, 720}, {640, 480}, {320, 240}}, {640, 480}, {640, 480}},
        {{{1280, 720}, {320, 240}}, {640, 480}, {320, 240}},
        {{{1280, 720}, {320, 240}}, {1000, 700}, {1280, 720}},
        {{{160, 120}}, {640, 480}, {160, 120}},
        {{{640, 480}, {320, 240}}, {320, 240}, {320, 240}},
    };
    for (const auto& c : cases) {
        EmulatedUvcProfile profile;
        profile.sizes = c.offered;
        AddCamera("/dev/video0", profile);
        auto camera = Camera("/dev/video0");
        ASSERT_TRUE(camera->Open(c.requested.width, c.requested.height)) << c.requested;
        EXPECT_EQ(cv::Size(camera->Width(), camera->Height()), c.opened) << c.requested;
        cv::Mat frame;
        ASSERT_TRUE(camera->Grab(frame));
        EXPECT_EQ(frame.size(), c.opened);
    }
}

TEST_F(V4l2CameraTest, CopiesOnlyThePictureOfLinesWiderThanIt) {
    EmulatedUvcProfile profile;
    profile.sizes = {{320, 240}};
    profile.linePadding = 40; // the emulator leaves padding bytes at 0x5A
    AddCamera("/dev/video0", profile);
    auto camera = Camera("/dev/video0");
    ASSERT_TRUE(camera->Open(320, 240));
    cv::Mat frame;
    ASSERT_TRUE(camera->Grab(frame));
    ASSERT_TRUE(frame.isContinuous());
    EXPECT_EQ(cv::norm(frame, Painted({320, 240}, 0), cv::NORM_INF), 0.0);
}

TEST_F(V4l2CameraTest, RefusesBuffersTooSmallForTheReportedLineStride) {
    EmulatedUvcProfile profile;
    profile.oversizedLines = true;
    AddCamera("/dev/video0", profile);
    auto camera = Camera("/dev/video0");
    EXPECT_FALSE(camera->Open(640, 480));
    EXPECT_EQ(camera->Width(), 0);
    EXPECT_NE(LoggedText().find("Camera /dev/video0: buffers of 921600 bytes cannot hold 640x480 "
                                "frames of 1984-byte lines"),
              std::string::npos)
        << LoggedText();
    EXPECT_EQ(m_emulator->OpenFiles(), 0);
    EXPECT_EQ(m_emulator->Mappings(), 0);
}

TEST_F(V4l2CameraTest, HandsOutTheNewestQueuedFrameAndRequeuesTheOthers) {
    auto device = AddCamera("/dev/video0");
    auto camera = Camera("/dev/video0");
    ASSERT_TRUE(camera->Open(640, 480));
    cv::Mat frame;
    ASSERT_TRUE(camera->Grab(frame));
    EXPECT_EQ(ReadEmulatedFrameNumber(frame), 0u);
    EXPECT_EQ(device->QueuedBuffers(), 4);

    // Five frame times pass: frames 1 to 4 fill the four buffers, frame 5 finds none and is
    // lost.
    m_emulator->Clock().Advance(5 * kFramePeriod);
    EXPECT_EQ(device->QueuedBuffers(), 0);
    ASSERT_TRUE(camera->Grab(frame));
    EXPECT_EQ(ReadEmulatedFrameNumber(frame), 4u);
    EXPECT_EQ(device->QueuedBuffers(), 4);
    EXPECT_EQ(device->FramesProduced(), 6u);

    // The next grab waits for the next frame, 6.
    ASSERT_TRUE(camera->Grab(frame));
    EXPECT_EQ(ReadEmulatedFrameNumber(frame), 6u);
    EXPECT_EQ(device->QueuedBuffers(), 4);
}

TEST_F(V4l2CameraTest, SkipsADamagedFrame) {
    const struct {
        const char* name;
        void (*damage)(EmulatedUvcProfile&);
        const char* logged;
    } cases[] = {
        {"flagged", [](EmulatedUvcProfile& s) { s.errorFrame = 1; }, "(flagged as an error)"},
        {"too large", [](EmulatedUvcProfile& s) { s.oversizedFrame = 1; },
         "(more bytes than its buffer holds)"},
    };
    for (const auto& c : cases) {
        EmulatedUvcProfile profile;
        c.damage(profile);
        const std::string path = std::string("/dev/") + c.name;
        AddCamera(path, profile);
        auto camera = Camera(path);
        ASSERT_TRUE(camera->Open(640, 480)) << c.name;
        cv::Mat frame;
        ASSERT_TRUE(camera->Grab(frame)) << c.name;
        EXPECT_EQ(ReadEmulatedFrameNumber(frame), 0u) << c.name;
        ASSERT_TRUE(camera->Grab(frame)) << c.name;
        EXPECT_EQ(ReadEmulatedFrameNumber(frame), 2u) << c.name;
        EXPECT_EQ(cv::norm(frame, Painted({640, 480}, 2), cv::NORM_INF), 0.0) << c.name;
        EXPECT_NE(LoggedText().find("Camera " + path + ": damaged frame 1 skipped " + c.logged),
                  std::string::npos)
            << LoggedText();
    }
}

TEST_F(V4l2CameraTest, EndsWhenTheDeviceIsUnpluggedOrFallsSilent) {
    const struct {
        const char* path;
        void (*fault)(EmulatedUvcProfile&);
        const char* logged;
        bool reopens;
    } cases[] = {
        {"/dev/unplugged", [](EmulatedUvcProfile& s) { s.unplugAfter = 3; },
         "Camera /dev/unplugged: stopped: No such device", false},
        {"/dev/silent", [](EmulatedUvcProfile& s) { s.stallAfter = 3; },
         "Camera /dev/silent: stopped: no frame for two seconds", true},
    };
    for (const auto& c : cases) {
        EmulatedUvcProfile profile;
        c.fault(profile);
        AddCamera(c.path, profile);
        auto camera = Camera(c.path);
        ASSERT_TRUE(camera->Open(640, 480)) << c.path;
        cv::Mat frame;
        for (int i = 0; i < 3; ++i) {
            ASSERT_TRUE(camera->Grab(frame)) << c.path << " " << i;
        }
        EXPECT_FALSE(camera->Grab(frame)) << c.path;
        EXPECT_FALSE(camera->Grab(frame)) << c.path;
        EXPECT_NE(LoggedText().find(c.logged), std::string::npos) << LoggedText();
        camera.reset();
        // An unplugged camera's node is gone; a silent one streams again when opened anew.
        EXPECT_EQ(Camera(c.path)->Open(640, 480), c.reopens) << c.path;
        EXPECT_EQ(m_emulator->OpenFiles(), 0) << c.path;
        EXPECT_EQ(m_emulator->Mappings(), 0) << c.path;
    }
    EXPECT_NE(LoggedText().find("Camera /dev/unplugged: cannot open the device: No such file or "
                                "directory"),
              std::string::npos);
}

TEST_F(V4l2CameraTest, StreamsMjpegWhenTheBusHasNoRoomForUncompressedVideo) {
    auto bus = std::make_shared<CEmulatedUsbBus>();
    AddCamera("/dev/video0", {}, bus);
    AddCamera("/dev/video2", {}, bus);
    auto first = Camera("/dev/video0");
    ASSERT_TRUE(first->Open(640, 480));
    EXPECT_FALSE(first->IsCompressed());
    EXPECT_EQ(bus->Reserved(), 3072);

    auto second = Camera("/dev/video2");
    ASSERT_TRUE(second->Open(640, 480));
    EXPECT_TRUE(second->IsCompressed());
    EXPECT_EQ(second->Width(), 640);
    EXPECT_EQ(second->Height(), 480);
    EXPECT_EQ(bus->Reserved(), 3072 + 1024);
    EXPECT_NE(LoggedText().find("Camera /dev/video2: not enough USB bandwidth to stream 640x480 "
                                "uncompressed, trying MJPEG"),
              std::string::npos)
        << LoggedText();

    cv::Mat frame;
    for (std::uint32_t number = 0; number < 3; ++number) {
        ASSERT_TRUE(second->Grab(frame));
        ASSERT_EQ(frame.size(), cv::Size(640, 480));
        ASSERT_EQ(frame.type(), CV_8UC3);
        EXPECT_EQ(ReadEmulatedFrameNumber(frame), number);
        // Decoded JPEG: close to the picture, colours included.
        EXPECT_GT(cv::PSNR(frame, Painted({640, 480}, number)), 30.0) << number;
    }
    second.reset();
    first.reset();
    EXPECT_EQ(bus->Reserved(), 0);
}

TEST_F(V4l2CameraTest, GivesUpWithAReasonWhenNotEvenMjpegFits) {
    auto bus = std::make_shared<CEmulatedUsbBus>();
    std::vector<std::unique_ptr<CV4l2Camera>> cameras;
    // One uncompressed and two MJPEG streams take 5120 of the 6000 bytes a microframe.
    for (int i = 0; i < 3; ++i) {
        const std::string path = "/dev/video" + std::to_string(2 * i);
        AddCamera(path, {}, bus);
        cameras.push_back(Camera(path));
        ASSERT_TRUE(cameras.back()->Open(640, 480)) << i;
        EXPECT_EQ(cameras.back()->IsCompressed(), i > 0) << i;
    }
    AddCamera("/dev/video6", {}, bus);
    auto last = Camera("/dev/video6");
    EXPECT_FALSE(last->Open(640, 480));
    EXPECT_FALSE(last->Open(320, 240));
    EXPECT_NE(LoggedText().find("Camera /dev/video6: not enough USB bandwidth to stream 640x480, "
                                "not even as MJPEG"),
              std::string::npos)
        << LoggedText();
    EXPECT_NE(LoggedText().find("Camera /dev/video6: not enough USB bandwidth to stream 320x240, "
                                "not even as MJPEG"),
              std::string::npos);
    EXPECT_EQ(bus->Reserved(), 5120);
    // Once another camera lets its bandwidth go, this one fits.
    cameras.front().reset();
    EXPECT_TRUE(last->Open(640, 480));
    EXPECT_FALSE(last->IsCompressed());
}

TEST_F(V4l2CameraTest, WithoutMjpegFallsBackToTheSmallerSizeThatFits) {
    // Older webcams send only uncompressed video: a second one on the bus fits at 320 x 240.
    auto bus = std::make_shared<CEmulatedUsbBus>();
    EmulatedUvcProfile profile;
    profile.offersMjpeg = false;
    AddCamera("/dev/video0", profile, bus);
    AddCamera("/dev/video2", profile, bus);
    auto first = Camera("/dev/video0");
    ASSERT_TRUE(first->Open(640, 480));
    auto second = Camera("/dev/video2");
    EXPECT_FALSE(second->Open(640, 480));
    EXPECT_NE(LoggedText().find("Camera /dev/video2: offers no MJPEG frames"), std::string::npos)
        << LoggedText();
    ASSERT_TRUE(second->Open(320, 240));
    EXPECT_FALSE(second->IsCompressed());
    cv::Mat frame;
    ASSERT_TRUE(second->Grab(frame));
    EXPECT_EQ(frame.size(), cv::Size(320, 240));
}

TEST_F(V4l2CameraTest, ClosingReleasesDescriptorsMappingsAndBandwidth) {
    auto bus = std::make_shared<CEmulatedUsbBus>();
    auto device = AddCamera("/dev/video0", {}, bus);
    auto camera = Camera("/dev/video0");
    ASSERT_TRUE(camera->Open(640, 480));
    EXPECT_EQ(m_emulator->OpenFiles(), 1);
    EXPECT_EQ(m_emulator->Mappings(), 4);
    EXPECT_TRUE(device->IsStreaming());
    // Opening again starts over on the same device.
    ASSERT_TRUE(camera->Open(320, 240));
    EXPECT_EQ(m_emulator->OpenFiles(), 1);
    EXPECT_EQ(bus->Reserved(), 1024);
    camera.reset();
    EXPECT_EQ(m_emulator->OpenFiles(), 0);
    EXPECT_EQ(m_emulator->Mappings(), 0);
    EXPECT_FALSE(device->IsStreaming());
    EXPECT_EQ(bus->Reserved(), 0);
}

TEST_F(V4l2CameraTest, FailsToOpenANodeThatIsNoCamera) {
    auto device = AddCamera("/dev/video0");
    m_emulator->AddMetadataNode("/dev/video1", device);
    EXPECT_FALSE(Camera("/dev/video1")->Open(640, 480));
    EXPECT_FALSE(Camera("/dev/video9")->Open(640, 480));
    EXPECT_NE(LoggedText().find("Camera /dev/video1: cannot set the format: Invalid argument"),
              std::string::npos)
        << LoggedText();
    EXPECT_EQ(m_emulator->OpenFiles(), 0);
}

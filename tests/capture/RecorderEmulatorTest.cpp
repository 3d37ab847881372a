// The whole road from a device to a file: vistrel-record recording emulated webcams through the
// V4L2 camera code, the capture threads and the encoder.
#include "SessionFixture.h"
#include "capture/EmulatedPicture.h"

#include <cstdio>
#include <regex>
#include <sys/wait.h>

namespace {

class RecorderEmulatorTest : public SessionTest {};

} // namespace

TEST_F(RecorderEmulatorTest, RecordsWebcamsSharingABusAndFinishesTheFileOfOneUnplugged) {
    // Two webcams on one USB bus: only one fits uncompressed, the other streams MJPEG. A third
    // is unplugged after 45 frames.
    const std::string command = std::string(VISTREL_RECORD_PROGRAM) +
                                " --cameras 'emulated:bus=1;emulated:bus=1;emulated:unplug=45'"
                                " --seconds 3 --folder '" +
                                Folder() + "' 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string output;
    char buffer[4096];
    while (std::fgets(buffer, sizeof buffer, pipe)) {
        output += buffer;
    }
    const int status = pclose(pipe);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << output;

    const std::regex line(R"(camera (\d): (\S+) frames=(\d+) bytes=\d+\n)");
    int cameras = 0;
    for (std::sregex_iterator it(output.begin(), output.end(), line), end; it != end; ++it) {
        const int camera = std::stoi((*it)[1]);
        const std::size_t frames = std::stoul((*it)[3]);
        const auto pictures = FinishedStream((*it)[2]);
        ASSERT_EQ(pictures.size(), frames) << camera;
        ASSERT_GE(frames, 10u) << camera;
        // Each picture shows a later camera frame than the one before: the newest frame each
        // time, whichever format it travelled in.
        std::uint32_t last = 0;
        for (std::size_t i = 0; i < pictures.size(); ++i) {
            EXPECT_EQ(pictures[i].y.size(), cv::Size(640, 480)) << camera;
            const std::uint32_t number = ReadEmulatedFrameNumber(pictures[i].y);
            if (i > 0) {
                EXPECT_GT(number, last) << camera << " picture " << i;
            }
            last = number;
        }
        if (camera == 2) {
            // The probe frame is not recorded; the camera was gone after frame 44.
            EXPECT_LE(frames, 44u);
            EXPECT_LE(last, 44u);
        }
        ++cameras;
    }
    EXPECT_EQ(cameras, 3) << output;
}

// vistrel-record killed with SIGKILL in the middle of a session of four emulated webcams: what
// reached the stream files by then.
#include "EncoderDelay.h"
#include "SessionFixture.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <map>
#include <regex>

namespace fs = std::filesystem;

namespace {

constexpr int kCameras = 4;

// The recorder as a child process whose standard output the test reads line by line.
class CRecorderProcess {
public:
    explicit CRecorderProcess(const std::vector<std::string>& arguments) {
        int channel[2] = {-1, -1};
        if (pipe(channel) != 0) {
            return;
        }
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, channel[1], STDOUT_FILENO);
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addclose(&actions, channel[0]);
        std::vector<char*> argv{const_cast<char*>(VISTREL_RECORD_PROGRAM)};
        for (const std::string& argument : arguments) {
            argv.push_back(const_cast<char*>(argument.c_str()));
        }
        argv.push_back(nullptr);
        if (posix_spawn(&m_pid, VISTREL_RECORD_PROGRAM, &actions, nullptr, argv.data(), environ) !=
            0) {
            m_pid = -1;
        }
        posix_spawn_file_actions_destroy(&actions);
        close(channel[1]);
        m_output = channel[0];
    }
    ~CRecorderProcess() {
        Kill();
        if (m_output >= 0) {
            close(m_output);
        }
    }

    bool Started() const { return m_pid > 0; }
    // The next line of output; empty when none comes before the deadline or the output ends.
    std::string ReadLine(std::chrono::steady_clock::time_point deadline) {
        while (true) {
            const auto end = m_buffer.find('\n');
            if (end != std::string::npos) {
                std::string line = m_buffer.substr(0, end);
                m_buffer.erase(0, end + 1);
                return line;
            }
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                deadline - std::chrono::steady_clock::now());
            pollfd output{m_output, POLLIN, 0};
            if (left.count() <= 0 || poll(&output, 1, static_cast<int>(left.count())) <= 0) {
                return {};
            }
            char chunk[4096];
            const ssize_t got = read(m_output, chunk, sizeof chunk);
            if (got <= 0) {
                return {};
            }
            m_buffer.append(chunk, static_cast<std::size_t>(got));
        }
    }
    // Ends the process at once, as a crash or kill -9 does, and reaps it.
    void Kill() {
        if (m_pid > 0) {
            kill(m_pid, SIGKILL);
            waitpid(m_pid, nullptr, 0);
            m_pid = -1;
        }
    }

private:
    pid_t m_pid = -1;
    int m_output = -1;
    std::string m_buffer;
};

// The per-camera frame counts of a progress line ("  3.0 s  frames 0:41 1:40 ... queue 2").
std::map<int, int> ProgressCounts(const std::string& line) {
    std::map<int, int> counts;
    const std::regex count(R"((\d+):(\d+))");
    if (line.find(" s  frames") == std::string::npos) {
        return counts;
    }
    for (std::sregex_iterator it(line.begin(), line.end(), count), end; it != end; ++it) {
        counts[std::stoi((*it)[1])] = std::stoi((*it)[2]);
    }
    return counts;
}

std::string StreamFileOf(const std::string& folder, int camera) {
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.path().filename().string().starts_with("通道" + std::to_string(camera) + "_")) {
            return entry.path().string();
        }
    }
    return {};
}

class RecorderCrashTest : public SessionTest {};

} // namespace

TEST_F(RecorderCrashTest, KillNineLosesOnlyTheFramesInsideTheEncoder) {
    const int delay = StreamEncoderDelay({640, 480});
    ASSERT_GT(delay, 0);
    std::string cameras = "emulated";
    for (int i = 1; i < kCameras; ++i) {
        cameras += ";emulated";
    }
    CRecorderProcess recorder({"--cameras", cameras, "--seconds", "60", "--folder", Folder()});
    ASSERT_TRUE(recorder.Started());

    // Kill right after a progress line in which every camera has delivered a few encoder
    // delays' worth of frames: the line's counts are frames encoded (and shown) by then.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(40);
    std::map<int, int> shown;
    while (true) {
        const std::string line = recorder.ReadLine(deadline);
        ASSERT_FALSE(line.empty()) << "no progress line with enough frames in time";
        shown = ProgressCounts(line);
        if (shown.size() == kCameras &&
            std::all_of(shown.begin(), shown.end(),
                        [&](const auto& count) { return count.second >= 3 * delay; })) {
            break;
        }
    }
    recorder.Kill();

    for (int camera = 0; camera < kCameras; ++camera) {
        const std::string file = StreamFileOf(Folder(), camera);
        ASSERT_FALSE(file.empty()) << camera;
        const DecodedStream stream = DecodeH264File(file);
        EXPECT_TRUE(stream.opened) << file;
        EXPECT_EQ(stream.errors, 0) << file;
        const int inFile = static_cast<int>(stream.pictures.size());
        std::printf("camera %d: %d frames encoded by the kill, %d in the file (encoder delay %d, "
                    "%d decoding errors)\n",
                    camera, shown[camera], inFile, delay, stream.errors);
        EXPECT_GE(inFile, shown[camera] - delay) << file;
    }
}

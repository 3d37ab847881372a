// vistrel-record as scripts use it: a real process recording from test cameras.
#include "SessionFixture.h"

#include <cstdio>
#include <map>
#include <memory>
#include <regex>
#include <sys/wait.h>

namespace fs = std::filesystem;

namespace {

struct ToolRun {
    int status = -1;
    std::string output;
};

// Runs the tool for at most a minute: `timeout` ends one that hangs, with status 124.
ToolRun Record(const std::string& arguments) {
    ToolRun run;
    const std::string command =
        "timeout -k 5 60 " + std::string(VISTREL_RECORD_PROGRAM) + " " + arguments + " 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) {
        return run;
    }
    char buffer[4096];
    while (std::fgets(buffer, sizeof buffer, pipe)) {
        run.output += buffer;
    }
    const int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    if (run.status == 124) {
        run.output += "(ended by timeout after 60 s)\n";
    }
    return run;
}

struct CameraLine {
    std::string file;
    std::size_t frames = 0;
    std::uintmax_t bytes = 0;
};

// "camera N: FILE frames=F bytes=B" lines by camera index.
std::map<int, CameraLine> CameraLines(const std::string& output) {
    std::map<int, CameraLine> lines;
    const std::regex line(R"(camera (\d+): (\S+) frames=(\d+) bytes=(\d+))");
    for (std::sregex_iterator it(output.begin(), output.end(), line), end; it != end; ++it) {
        lines[std::stoi((*it)[1])] = {(*it)[2], std::stoul((*it)[3]), std::stoull((*it)[4])};
    }
    return lines;
}

class RecorderToolTest : public SessionTest {};

} // namespace

TEST_F(RecorderToolTest, RecordsEveryCameraThatOpensIntoAFinishedFile) {
    const std::string wall = Folder() + "/wall.png";
    const ToolRun run = Record("--cameras 'test;test:320x240;test:fail;test:frames=40' --seconds 2 "
                               "--folder '" +
                               Folder() + "' --wall '" + wall + "'");
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_NE(run.output.find("queue"), std::string::npos) << run.output; // a progress line
    EXPECT_NE(run.output.find("camera 2: no file"), std::string::npos) << run.output;

    const auto lines = CameraLines(run.output);
    ASSERT_EQ(lines.size(), 3u) << run.output;
    for (const auto& [camera, line] : lines) {
        EXPECT_TRUE(camera == 0 || camera == 1 || camera == 3);
        EXPECT_TRUE(
            std::regex_match(fs::path(line.file).filename().string(),
                             std::regex("通道" + std::to_string(camera) + "_\\d{8}-\\d{6}\\.avi")))
            << line.file;
        EXPECT_EQ(fs::file_size(line.file), line.bytes);
        const auto pictures = FinishedStream(line.file);
        ASSERT_EQ(pictures.size(), line.frames) << camera;
        ASSERT_FALSE(pictures.empty());
        EXPECT_EQ(pictures[0].y.size(), camera == 1 ? cv::Size(320, 240) : cv::Size(640, 480));
        EXPECT_LT(MinU(pictures.back(), {18, 26, 150, 16}), 64.0) << camera;
    }
    // At most forty frames, the first one the probe (fewer when encoding is slow).
    EXPECT_LE(lines.at(3).frames, 39u);
    std::error_code error;
    EXPECT_GT(fs::file_size(wall, error), 0u);
    int streamFiles = 0;
    for (const auto& entry : fs::directory_iterator(Folder())) {
        streamFiles += entry.path().extension() == ".avi";
    }
    EXPECT_EQ(streamFiles, 3);
}

TEST_F(RecorderToolTest, ReportsFailuresInItsExitStatus) {
    const struct {
        const char* arguments;
        int status;
    } cases[] = {
        {"--cameras 'test;camera'", 2},
        {"--seconds -1", 2},
        {"--frobnicate", 2},
        {"--cameras 'test:fail'", 1}, // nothing recorded
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Record(std::string(c.arguments) + " --folder '" + Folder() + "'").status,
                  c.status)
            << c.arguments;
    }
    EXPECT_EQ(Record("--help").status, 0);
}

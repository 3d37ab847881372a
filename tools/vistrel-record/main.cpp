// vistrel-record: a headless recorder for servers, scripts and benchmarks. Runs one recording
// session through the session controller into a folder, with frames sent to a window of its own
// that counts them per camera, and reports what each camera recorded.
#include "RecorderOptions.h"
#include "RecorderWindow.h"
#include "platform/controls/StandardClasses.h"

#include "capture/CameraSource.h"
#include "capture/StreamEncoder.h"
#include "capture/TestCamera.h"
#include "platform/core/MessageLoop.h"
#include "platform/core/Timer.h"
#include "platform/draw/image/PngWrite.h"
#include "settings/RecordingFolder.h"
#include "settings/TextEncoding.h"

#include <opencv2/core.hpp>

extern "C" {
#include <libavutil/log.h>
}

#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

namespace {

constexpr UINT_PTR kProgressTimer = 1;
constexpr UINT_PTR kPollTimer = 2;

volatile std::sig_atomic_t g_interrupted = 0;

void OnInterrupt(int) {
    g_interrupted = 1;
}

// A finished stream file ends in the end code.
bool IsFinishedStream(const std::string& path) {
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    if (!file || file.tellg() < 4) {
        return false;
    }
    file.seekg(-4, std::ios::end);
    unsigned char tail[4] = {};
    file.read(reinterpret_cast<char*>(tail), 4);
    return file &&
           std::equal(std::begin(tail), std::end(tail), std::begin(CStreamEncoder::kEndCode));
}

bool WriteWall(const CVideoWallPicture& wall, const std::string& path) {
    if (wall.Canvas().empty()) {
        return false;
    }
    cv::Mat topDown;
    cv::flip(wall.Canvas(), topDown, 0);
    return WritePngFile(path, topDown.cols, topDown.rows, topDown.data,
                        static_cast<int>(topDown.step), 3);
}

void PrintProgress(const CCameraManager& manager, const CRecorderWindow& window, double seconds) {
    std::printf("%5.1f s  frames", seconds);
    for (int camera = 0; camera < manager.CameraCount(); ++camera) {
        std::printf(" %d:%d", camera, window.FramesOf(camera));
    }
    std::printf("  queue %zu\n", manager.Dispatch().QueueLength());
    std::fflush(stdout);
}

// One line per camera; true when every camera that recorded has a finished file.
bool PrintResults(const CCameraManager& manager, const CRecorderWindow& window) {
    bool allFinished = true;
    int recorded = 0;
    for (int camera = 0; camera < manager.CameraCount(); ++camera) {
        const std::string file = manager.Slot(camera).FileName();
        if (file.empty()) {
            std::printf("camera %d: no file (the camera could not be opened)\n", camera);
            continue;
        }
        ++recorded;
        std::error_code error;
        const auto bytes = fs::file_size(file, error);
        const bool finished = !error && IsFinishedStream(file);
        allFinished = allFinished && finished;
        std::printf("camera %d: %s frames=%d bytes=%llu%s\n", camera, file.c_str(),
                    window.FramesOf(camera), error ? 0ULL : static_cast<unsigned long long>(bytes),
                    finished ? "" : " (not finished)");
    }
    if (recorded == 0) {
        std::fprintf(stderr, "vistrel-record: no camera recorded\n");
    }
    // The synthetic cameras' own drawing, which a real camera would not cost this process.
    if (const auto drawing = CTestCamera::DrawingTime(); drawing.count() > 0) {
        std::printf("test camera drawing: %.3f s CPU\n",
                    std::chrono::duration<double>(drawing).count());
    }
    return allFinished && recorded > 0;
}

} // namespace

int main(int argc, char** argv) {
    InitStandardClasses();
    std::string error;
    const auto options =
        ParseRecorderOptions(std::vector<std::string>(argv + 1, argv + argc), error);
    if (!options) {
        std::fprintf(stderr, "vistrel-record: %s\n%s", error.c_str(), kRecorderUsage);
        return 2;
    }
    if (options->help) {
        std::fputs(kRecorderUsage, stdout);
        return 0;
    }
    if (options->cameras) {
        SetCameraListOverride(options->cameras);
    }
    // libx264's statistics at every close would drown the progress lines.
    av_log_set_level(AV_LOG_ERROR);

    CRecordingFolder folder;
    if (options->folder) {
        std::error_code folderError;
        const fs::path path = fs::absolute(*options->folder, folderError);
        fs::create_directories(path, folderError);
        if (folderError || !fs::is_directory(path)) {
            std::fprintf(stderr, "vistrel-record: cannot create the folder %s\n",
                         options->folder->c_str());
            return 2;
        }
        folder.SetVideoPath(FromUtf8(path.string()));
    } else {
        folder.Load();
    }

    std::signal(SIGINT, OnInterrupt);
    std::signal(SIGTERM, OnInterrupt);

    CRecorderWindow window(!options->wallFile.empty());
    if (!window.Handle()) {
        std::fprintf(stderr, "vistrel-record: cannot create the frame window\n");
        return 1;
    }
    CCameraManager manager;
    manager.SetOwner(window.Handle(), &folder);

    const auto started = std::chrono::steady_clock::now();
    const auto elapsed = [&] {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    };
    bool stopping = false;
    window.onTimer = [&](UINT_PTR timer) {
        if (timer == kProgressTimer) {
            PrintProgress(manager, window, elapsed());
            return;
        }
        if (!stopping && (elapsed() >= options->seconds || g_interrupted)) {
            manager.StopAll();
            stopping = true;
        }
        // Also ends a session whose cameras all ended on their own.
        if (manager.IsDrained()) {
            PostQuitMessage(0);
        }
    };

    manager.StartAll();
    if (manager.CameraCount() == 0) {
        std::fprintf(stderr, "vistrel-record: no camera found\n");
        return 1;
    }
    SetTimer(window.Handle(), kProgressTimer, 1000, nullptr);
    SetTimer(window.Handle(), kPollTimer, 50, nullptr);
    MSG message;
    while (GetMessage(&message, nullptr, 0, 0) > 0) {
        DispatchMessage(&message);
    }

    const bool finished = PrintResults(manager, window);
    if (!options->wallFile.empty() && !WriteWall(window.Wall(), options->wallFile)) {
        std::fprintf(stderr, "vistrel-record: cannot write the wall picture %s\n",
                     options->wallFile.c_str());
        return 1;
    }
    return finished ? 0 : 1;
}

// Test helper: a window on a thread of its own (standing for the UI thread) that records every
// WM_VIDEO_FRAME item, WM_NO_CAMERA and WM_STREAM_FILE_FAILED it receives.
#pragma once

#include "capture/FrameWorkItem.h"
#include "tests/support/WaitUntil.h"

#include <opencv2/core.hpp>

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

struct ReceivedItem {
    bool hadEncoder = false;
    cv::Mat image; // a copy, as received (bottom row first)
    int cameraIndex = 0;
    int cameraCount = 0;
    bool final = false;

    bool IsSolid(unsigned char grey) const {
        return !hadEncoder && image.rows == 1 && image.cols == 1 &&
               image.at<cv::Vec3b>(0, 0) == cv::Vec3b(grey, grey, grey);
    }
};

class CFrameWindow {
public:
    // `onFrame` runs on the window's thread for each frame, before it is recorded (to make
    // the window slow, for example), while the sender waits for the window.
    explicit CFrameWindow(std::function<void(const FrameWorkItem&)> onFrame = nullptr);
    ~CFrameWindow();

    HWND Handle() const { return m_window; }
    std::vector<ReceivedItem> Items() const;
    int NoCameraMessages() const;
    // The camera of each WM_STREAM_FILE_FAILED, in arrival order.
    std::vector<int> FileFailures() const;
    // Waits until `done` holds for the items, or the timeout passes; answers `done`.
    bool WaitFor(const std::function<bool(const std::vector<ReceivedItem>&)>& done,
                 std::chrono::milliseconds timeout = kEncodingWaitLimit) const;

private:
    static LRESULT Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void Run();

    std::function<void(const FrameWorkItem&)> m_onFrame;
    std::thread m_thread;
    HWND m_window = nullptr; // written before the constructor returns, then only read

    mutable std::mutex m_lock;
    mutable std::condition_variable m_changed;
    bool m_created = false;            // guarded by m_lock
    std::vector<ReceivedItem> m_items; // guarded by m_lock
    int m_noCameraMessages = 0;        // guarded by m_lock
    std::vector<int> m_fileFailures;   // guarded by m_lock
};

// Camera frames only (items with an encoder), in arrival order.
std::vector<ReceivedItem> FramesOf(const std::vector<ReceivedItem>& items, int cameraIndex);

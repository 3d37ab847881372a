// The window vistrel-record's session sends its frames to: it counts the frames of each camera
// and keeps the video wall picture up to date.
#pragma once

#include "app/VideoWallPicture.h"
#include "capture/CameraManager.h"

#include <functional>

#include <array>

class CRecorderWindow {
public:
    static constexpr RECT kWallRect{0, 0, 640, 480};

    // `composeWall`: keep the video wall picture (only worth its cost when it is written).
    explicit CRecorderWindow(bool composeWall);
    ~CRecorderWindow();
    CRecorderWindow(const CRecorderWindow&) = delete;
    CRecorderWindow& operator=(const CRecorderWindow&) = delete;

    // Null when the window could not be created.
    HWND Handle() const { return m_window; }
    int FramesOf(int camera) const { return m_frames.at(static_cast<std::size_t>(camera)); }
    bool SawNoCameraMessage() const { return m_noCamera; }
    // The wall as the cameras' last frames left it, bottom row first.
    const CVideoWallPicture& Wall() const { return m_wall; }

    // Called for WM_TIMER.
    std::function<void(UINT_PTR timer)> onTimer;

private:
    static LRESULT Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void OnVideoFrame(const FrameWorkItem& item);

    HWND m_window = nullptr;
    std::array<int, CCameraManager::kSlotCount> m_frames{};
    bool m_noCamera = false;
    bool m_composeWall = false;
    CVideoWallPicture m_wall;
};

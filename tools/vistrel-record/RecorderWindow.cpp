#include "RecorderWindow.h"

#include "platform/core/Window.h"

namespace {

const WString kClassName = L"VistrelRecorder";

} // namespace

CRecorderWindow::CRecorderWindow(bool composeWall) : m_composeWall(composeWall) {
    WNDCLASS windowClass;
    windowClass.lpfnWndProc = &CRecorderWindow::Procedure;
    windowClass.lpszClassName = kClassName;
    RegisterClass(windowClass);
    m_window = CreateWindowEx(0, kClassName, L"vistrel-record", WS_POPUP, 0, 0, kWallRect.Width(),
                              kWallRect.Height(), nullptr, 0, this);
}

CRecorderWindow::~CRecorderWindow() {
    if (m_window) {
        DestroyWindow(m_window);
    }
}

LRESULT CRecorderWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCT*>(lParam);
        SetWindowLongPtr(window, GWLP_USERDATA, reinterpret_cast<LPARAM>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<CRecorderWindow*>(GetWindowLongPtr(window, GWLP_USERDATA));
    switch (message) {
    case WM_VIDEO_FRAME:
        if (wParam) {
            self->OnVideoFrame(*reinterpret_cast<const FrameWorkItem*>(wParam));
        }
        return 0;
    case WM_NO_CAMERA:
        self->m_noCamera = true;
        return 0;
    case WM_TIMER:
        if (self->onTimer) {
            self->onTimer(static_cast<UINT_PTR>(wParam));
        }
        return 0;
    default:
        return DefWindowProc(window, message, wParam, lParam);
    }
}

void CRecorderWindow::OnVideoFrame(const FrameWorkItem& item) {
    // Only camera frames: the single-colour items that blank and grey the wall would leave a
    // uniform picture at the end.
    if (!item.encoder || item.image.empty() || item.cameraIndex < 0 ||
        item.cameraIndex >= CCameraManager::kSlotCount) {
        return;
    }
    ++m_frames[static_cast<std::size_t>(item.cameraIndex)];
    if (m_composeWall) {
        m_wall.Draw(&item, kWallRect);
    }
}

#include "FrameWindow.h"

#include "platform/core/MessageLoop.h"
#include "platform/core/Window.h"

namespace {

const WString kClassName = L"VistrelTestFrameWindow";

} // namespace

CFrameWindow::CFrameWindow(std::function<void(const FrameWorkItem&)> onFrame)
    : m_onFrame(std::move(onFrame)) {
    m_thread = std::thread([this] { Run(); });
    std::unique_lock lock(m_lock);
    m_changed.wait(lock, [this] { return m_created; });
}

CFrameWindow::~CFrameWindow() {
    PostMessage(m_window, WM_CLOSE, 0, 0);
    m_thread.join();
}

void CFrameWindow::Run() {
    WNDCLASS windowClass;
    windowClass.lpfnWndProc = &CFrameWindow::Procedure;
    windowClass.lpszClassName = kClassName;
    RegisterClass(windowClass); // fails harmlessly when an earlier window registered it
    HWND window =
        CreateWindowEx(0, kClassName, L"frames", WS_POPUP, 0, 0, 64, 48, nullptr, 0, this);
    {
        std::lock_guard lock(m_lock);
        m_window = window;
        m_created = true;
    }
    m_changed.notify_all();
    MSG message;
    while (GetMessage(&message, nullptr, 0, 0) > 0) {
        DispatchMessage(&message);
    }
}

LRESULT CFrameWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCT*>(lParam);
        SetWindowLongPtr(window, GWLP_USERDATA, reinterpret_cast<LPARAM>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<CFrameWindow*>(GetWindowLongPtr(window, GWLP_USERDATA));
    switch (message) {
    case WM_VIDEO_FRAME: {
        const auto* item = reinterpret_cast<const FrameWorkItem*>(wParam);
        if (self->m_onFrame && item->encoder) {
            self->m_onFrame(*item);
        }
        ReceivedItem received{item->encoder != nullptr, item->image.clone(), item->cameraIndex,
                              item->cameraCount, item->final};
        {
            std::lock_guard lock(self->m_lock);
            self->m_items.push_back(std::move(received));
        }
        self->m_changed.notify_all();
        return 0;
    }
    case WM_NO_CAMERA: {
        std::lock_guard lock(self->m_lock);
        ++self->m_noCameraMessages;
        return 0;
    }
    case WM_STREAM_FILE_FAILED: {
        std::lock_guard lock(self->m_lock);
        self->m_fileFailures.push_back(static_cast<int>(wParam));
        return 0;
    }
    case WM_CLOSE:
        DestroyWindow(window);
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProc(window, message, wParam, lParam);
    }
}

std::vector<ReceivedItem> CFrameWindow::Items() const {
    std::lock_guard lock(m_lock);
    return m_items;
}

int CFrameWindow::NoCameraMessages() const {
    std::lock_guard lock(m_lock);
    return m_noCameraMessages;
}

std::vector<int> CFrameWindow::FileFailures() const {
    std::lock_guard lock(m_lock);
    return m_fileFailures;
}

bool CFrameWindow::WaitFor(const std::function<bool(const std::vector<ReceivedItem>&)>& done,
                           std::chrono::milliseconds timeout) const {
    std::unique_lock lock(m_lock);
    return m_changed.wait_for(lock, timeout, [&] { return done(m_items); });
}

std::vector<ReceivedItem> FramesOf(const std::vector<ReceivedItem>& items, int cameraIndex) {
    std::vector<ReceivedItem> frames;
    for (const ReceivedItem& item : items) {
        if (item.hadEncoder && item.cameraIndex == cameraIndex) {
            frames.push_back(item);
        }
    }
    return frames;
}

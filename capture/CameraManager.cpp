#include "capture/CameraManager.h"

#include "app/Log.h"
#include "app/SentMessageWait.h"
#include "platform/core/MessageLoop.h"

#include <opencv2/core/utility.hpp>

#include <algorithm>

CCameraManager* CCameraManager::Instance() {
    // Never destroyed: capture and dispatch threads may still run while the process exits.
    static CCameraManager* const instance = new CCameraManager();
    return instance;
}

CCameraManager::CCameraManager() {
    // The pipeline already runs a thread per camera and the dispatch thread, and its images are
    // small: OpenCV's own worker pool would only add hand-over and spinning costs per call.
    cv::setNumThreads(0);
    for (int i = 0; i < kSlotCount; ++i) {
        m_slots[static_cast<std::size_t>(i)].SetFileFailureReport(
            [this, i] { ReportFileFailure(i); });
    }
}

CCameraManager::~CCameraManager() {
    m_dispatch.SetTargetWindow(nullptr);
    RequestStop();
    // A frame already on its way may be waiting for this thread's window.
    WaitHandlingSentMessages([this] { return IsDrained(); }, std::chrono::milliseconds::max());
}

void CCameraManager::SetOwner(HWND window, const CRecordingFolder* folder) {
    m_owner.store(window);
    for (CVideoThread& slot : m_slots) {
        slot.SetOwner(folder);
    }
}

void CCameraManager::SetClock(const WallClock& clock) {
    for (CVideoThread& slot : m_slots) {
        slot.SetClock(clock);
    }
}

void CCameraManager::StartAll() {
    LogMessage("begin cam button event 1\n");
    const HWND owner = m_owner.load();
    SendSolidColour(owner, 0, 0, 0);
    m_dispatch.SetTargetWindow(owner);
    m_dispatch.Start();

    const int found = CCameraDS::CountDevices();
    LogMessage("cam num=%d\n", found);
    m_cameraCount = std::clamp(found, 0, kSlotCount);
    if (found > kSlotCount) {
        LogMessage("cameras %d to %d ignored: only %d can record at once\n", kSlotCount, found - 1,
                   kSlotCount);
    }
    if (m_cameraCount == 0) {
        SendMessage(owner, WM_NO_CAMERA, 0, 0);
    }
    for (int i = 0; i < m_cameraCount; ++i) {
        CVideoThread& slot = m_slots[static_cast<std::size_t>(i)];
        slot.SetSession(&m_dispatch, i, m_cameraCount);
        // A slot still recording goes on. One whose previous thread is still finishing (a camera
        // stuck in a slow grab) starts when that thread has ended: this thread never waits.
        slot.Start();
    }
    LogMessage("begin cam button event 2\n");
}

void CCameraManager::StopAll() {
    LogMessage("end cam button event 1\n");
    RequestStop();
    LogMessage("end cam button event 2\n");
}

bool CCameraManager::StopAllAndWait(DWORD timeoutMs) {
    StopAll();
    const bool drained = WaitHandlingSentMessages([this] { return IsDrained(); },
                                                  std::chrono::milliseconds(timeoutMs));
    if (drained) {
        // Every capture thread has ended its run: joining them costs nothing and leaves no
        // ended thread behind when the process exits.
        for (CVideoThread& slot : m_slots) {
            slot.Join();
        }
    }
    return drained;
}

void CCameraManager::RequestStop() {
    // A slot of an earlier start may record above the latest camera count.
    for (CVideoThread& slot : m_slots) {
        slot.ClearStarted();
    }
    m_dispatch.WakeWaiters();
}

void CCameraManager::ReportFileFailure(int camera) {
    // Posted, never sent: the dispatch thread must not wait for the UI thread here.
    PostMessage(m_owner.load(), WM_STREAM_FILE_FAILED, static_cast<WPARAM>(camera), 0);
}

bool CCameraManager::IsDrained() const {
    const bool capturing = std::any_of(m_slots.begin(), m_slots.end(),
                                       [](const CVideoThread& slot) { return slot.IsRunning(); });
    return !capturing && m_dispatch.IsIdle();
}

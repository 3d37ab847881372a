#include "capture/Dispatch.h"

#include "app/Log.h"
#include "capture/StreamEncoder.h"
#include "platform/core/MessageLoop.h"

#include <opencv2/core.hpp>

extern "C" {
#include <libavutil/error.h>
}

CDispatch::~CDispatch() {
    ClearStarted();
    { std::lock_guard lock(m_lock); }
    m_itemQueued.notify_all();
    Join();
}

void CDispatch::Push(FrameWorkItemPtr item) {
    {
        std::lock_guard lock(m_lock);
        ++m_pending[item->cameraIndex];
        m_recording.insert(item->cameraIndex);
        m_queue.push_back(std::move(item));
    }
    m_itemQueued.notify_one();
}

void CDispatch::WaitForRoom(int camera, const CThread& waiter) {
    std::unique_lock lock(m_lock);
    m_itemDone.wait(
        lock, [&] { return !waiter.IsStarted() || m_pending[camera] <= kMaxPendingPerCamera; });
}

bool CDispatch::WaitUntilFinished(int camera, const CThread& waiter) {
    std::unique_lock lock(m_lock);
    m_itemDone.wait(lock, [&] { return !waiter.IsStarted() || m_pending[camera] == 0; });
    return m_pending[camera] == 0;
}

void CDispatch::WakeWaiters() {
    // Taking the lock orders the waiters' flag check against this wake-up, so none misses it.
    { std::lock_guard lock(m_lock); }
    m_itemDone.notify_all();
}

std::size_t CDispatch::QueueLength() const {
    std::lock_guard lock(m_lock);
    return m_queue.size();
}

bool CDispatch::IsIdle() const {
    std::lock_guard lock(m_lock);
    return m_queue.empty() && !m_processing;
}

void CDispatch::run() {
    std::unique_lock lock(m_lock);
    while (true) {
        m_itemQueued.wait(lock, [&] { return !m_queue.empty() || !IsStarted(); });
        if (m_queue.empty()) {
            return; // stopped, and everything queued is done
        }
        FrameWorkItemPtr item = std::move(m_queue.front());
        m_queue.pop_front();
        m_processing = true;
        // Once stopped (the owner is shutting down and may be waiting for this thread), the
        // rest of the queue is still encoded and finished but no longer shown.
        const bool show = IsStarted();
        lock.unlock();

        Process(*item, show);

        lock.lock();
        if (item->final) {
            m_recording.erase(item->cameraIndex);
        }
        const bool greyWall = show && item->final && m_recording.empty() && m_queue.empty();
        if (greyWall) {
            lock.unlock();
            SendSolidColour(m_target.load(), 110, 110, 110);
            lock.lock();
        }
        --m_pending[item->cameraIndex];
        m_processing = false;
        item.reset();
        m_itemDone.notify_all();
    }
}

void CDispatch::Process(FrameWorkItem& item, bool sendToWindow) {
    if (item.encoder) {
        // An encoding error ended this camera's recording and finished its file; what the
        // camera queued before it noticed is dropped.
        if (item.encoder->HasFailed()) {
            return;
        }
        int result = item.image.empty() ? 0 : item.encoder->EncodeFrame(item.image);
        if (item.final && result == 0) {
            result = item.encoder->Flush();
            item.encoder->Close();
        }
        if (result < 0) {
            char error[AV_ERROR_MAX_STRING_SIZE] = {};
            av_strerror(result, error, sizeof error);
            LogMessage("Error encoding frame of camera %d: %s\n", item.cameraIndex, error);
            return;
        }
    }
    // A final item without an image (its camera stopped delivering) only finishes the file.
    if (item.image.empty() || !sendToWindow) {
        return;
    }
    cv::flip(item.image, item.image, 0);
    SendMessage(m_target.load(), WM_VIDEO_FRAME, reinterpret_cast<WPARAM>(&item), 0);
}

void SendSolidColour(HWND window, unsigned char blue, unsigned char green, unsigned char red) {
    FrameWorkItem item;
    item.image = cv::Mat(1, 1, CV_8UC3, cv::Scalar(blue, green, red));
    item.cameraIndex = 0;
    item.cameraCount = 1;
    SendMessage(window, WM_VIDEO_FRAME, reinterpret_cast<WPARAM>(&item), 0);
}

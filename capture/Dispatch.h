// The frame dispatch thread: the single consumer of every capture thread's frames. It takes
// work items in push order, encodes each into its camera's stream file, finishes the file on
// the camera's final item, flips the image bottom row first and hands the item synchronously
// to the target window (WM_VIDEO_FRAME). After the final item of the last camera that was
// recording, with nothing queued behind it, it paints the wall grey. An encoding error ends only
// its camera's recording: one log line names the camera and the error, and the camera's later items
// are dropped up to its final one.
#pragma once

#include "capture/FrameWorkItem.h"
#include "capture/Thread.h"

#include <condition_variable>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <set>

class CDispatch : public CThread {
public:
    // A capture thread waits before its next frame while its camera has more than this many
    // items queued or being processed, so memory stays flat when encoding is slower than the
    // cameras. One is enough to keep the dispatch thread fed: with several cameras the others'
    // items wait behind it, and a single camera's next frame is grabbed while one is encoded.
    static constexpr int kMaxPendingPerCamera = 1;

    CDispatch() = default;
    // Ends the thread after everything queued has been encoded and its files finished.
    ~CDispatch() override;

    void SetTargetWindow(HWND window) { m_target.store(window); }
    // Appends the item; never waits for room, so final items are never held up.
    void Push(FrameWorkItemPtr item);
    // Waits while `camera` has more than kMaxPendingPerCamera items pending, for as long as
    // `waiter` stays started.
    void WaitForRoom(int camera, const CThread& waiter);
    // Waits until nothing of `camera` is pending (its previous session is finished), for as
    // long as `waiter` stays started. True when nothing is pending.
    bool WaitUntilFinished(int camera, const CThread& waiter);
    // Wakes the capture threads waiting in WaitForRoom or WaitUntilFinished, after their
    // started flags were cleared.
    void WakeWaiters();

    // Items queued and not yet taken.
    std::size_t QueueLength() const;
    // Nothing queued and nothing being processed.
    bool IsIdle() const;

    void run() override;

private:
    // Encodes, finishes and hands over one item; runs without the lock so that capture threads
    // can push meanwhile.
    void Process(FrameWorkItem& item, bool sendToWindow);

    mutable std::mutex m_lock;
    // Guarded by m_lock: the queue, each camera's items queued or being processed, and whether
    // an item is being processed.
    std::deque<FrameWorkItemPtr> m_queue;
    std::map<int, int> m_pending;
    // Guarded by m_lock: the cameras that have pushed items and whose final item is not done.
    std::set<int> m_recording;
    bool m_processing = false;
    // Signalled on every push and on the stop request.
    std::condition_variable m_itemQueued;
    // Signalled when an item is done and by WakeWaiters.
    std::condition_variable m_itemDone;

    std::atomic<HWND> m_target{nullptr};
};

// Paints the whole wall of `window` in one colour: a 1 x 1 image in an item of camera count 1,
// sent with WM_VIDEO_FRAME.
void SendSolidColour(HWND window, unsigned char blue, unsigned char green, unsigned char red);

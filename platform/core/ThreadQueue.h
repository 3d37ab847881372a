// One message queue per thread: posted messages, messages sent from other threads, the quit
// request and the thread's timers, with a wake-up descriptor that other threads signal.
#pragma once

#include "platform/base/Messages.h"
#include "platform/core/Timer.h"

#include <chrono>
#include <deque>
#include <memory>
#include <mutex>
#include <vector>

class CThreadQueue;

// A message sent from one thread to a window of another. The target completes it; the sender
// waits for `done`, which is guarded by the sender's queue lock.
struct CSentMessage {
    HWND hwnd = nullptr;
    UINT msg = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    std::shared_ptr<CThreadQueue> sender;
    LRESULT result = 0;
    bool done = false;
};

struct CTimerEntry {
    HWND hwnd = nullptr;
    UINT_PTR id = 0;
    std::chrono::milliseconds period{0};
    std::chrono::steady_clock::time_point due;
    TIMERPROC callback = nullptr;
};

using Clock = std::chrono::steady_clock;

class CThreadQueue : public std::enable_shared_from_this<CThreadQueue> {
public:
    explicit CThreadQueue(DWORD threadId);
    ~CThreadQueue();
    CThreadQueue(const CThreadQueue&) = delete;
    CThreadQueue& operator=(const CThreadQueue&) = delete;

    // The calling thread's queue, made on first use.
    static CThreadQueue& Current();
    // Another thread's queue, or null when that thread has none (or has ended).
    static std::shared_ptr<CThreadQueue> ForThread(DWORD threadId);

    DWORD ThreadId() const { return m_threadId; }

    void Post(const MSG& msg, bool atFront = false);
    void PostQuit(int exitCode);
    // Queues a message sent by another thread; false when this thread has ended.
    bool Deliver(std::shared_ptr<CSentMessage> sent);
    // Marks a message this thread sent as answered and wakes this thread.
    void Complete(CSentMessage& sent, LRESULT result);
    bool IsDone(const CSentMessage& sent);

    // Handles every message other threads sent here; answers whether there was one.
    bool HandleIncomingSends();
    // Answers 0 to sends still waiting for `hwnd` (it has been destroyed).
    void FailSendsTo(HWND hwnd);
    // The thread has ended: every waiting and later send is answered 0.
    void Close();

    // Finds (and with `remove` takes) the first posted message that passes the filter.
    bool TakePosted(MSG* msg, HWND filter, UINT min, UINT max, bool remove);
    bool TakeQuit(MSG* msg, bool remove);
    bool TakeTimer(MSG* msg, HWND filter, UINT min, UINT max, bool remove);
    void RemoveMessagesFor(HWND hwnd);

    UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT milliseconds, TIMERPROC callback);
    bool KillTimer(HWND hwnd, UINT_PTR id);

    // Blocks until woken, until the next timer is due, or until the backend has events (on the
    // backend's thread).
    void Wait();
    // Blocks until `awaited` is answered or another thread sends to this one.
    void WaitForSend(const CSentMessage& awaited);
    void Wake();

private:
    const DWORD m_threadId;
    int m_wakeFd = -1;

    std::mutex m_lock;
    // Guarded by m_lock:
    std::deque<MSG> m_posted;
    std::deque<std::shared_ptr<CSentMessage>> m_incoming;
    bool m_closed = false;
    bool m_quit = false;
    int m_quitCode = 0;
    std::vector<CTimerEntry> m_timers;
    UINT_PTR m_nextThreadTimerId = 0x7FFF0000;
};

// True when `hwnd` is the filter window or one of its descendants (a null filter takes all).
bool PassesWindowFilter(HWND hwnd, HWND filter);
bool PassesRangeFilter(UINT msg, UINT min, UINT max);

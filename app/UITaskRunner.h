// The main window's task thread: runs posted tasks one at a time, in posting order, away from
// the user-interface thread. Posting queues a task; Signal wakes the thread, which then runs
// everything queued. Start, Post, Signal and Stop are called on the user-interface thread.
#pragma once

#include "app/BaseTask.h"

#include <atomic>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

class CUITaskRunner {
public:
    CUITaskRunner() = default;
    // Stops the thread (see Stop).
    ~CUITaskRunner();
    CUITaskRunner(const CUITaskRunner&) = delete;
    CUITaskRunner& operator=(const CUITaskRunner&) = delete;

    // Starts the task thread; a runner already started is left alone.
    void Start();
    // Queues the task, holding a reference to it until it has run or is dropped. Answers the
    // task's sequence number: 1 for the first task posted, then counting up.
    int Post(conew::IBaseTask* task);
    // Wakes the task thread to run what is queued.
    void Signal();
    // Ends the thread: a task that is running finishes, and every task still queued is
    // released without running. While waiting, messages that the task thread sends to this
    // thread's windows are handled, so a task sending to the main window cannot hold Stop up.
    // Afterwards the runner is as new and may be started again.
    void Stop();

private:
    void Run();

    std::mutex m_lock;
    // Guarded by m_lock: the stop request, the pending wake-up (an auto-reset event), the next
    // sequence number and the queued tasks in posting order.
    bool m_stop = false;
    bool m_signalled = false;
    int m_nextSequence = 1;
    std::deque<conew::TaskPtr> m_tasks;
    std::condition_variable m_wake;

    std::thread m_thread;
    std::atomic<bool> m_threadEnded{false};
};

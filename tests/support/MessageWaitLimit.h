// Bounds a test's blocking waits for messages on the calling thread (GetMessage, and the
// modal loops built on it), which no deadline of their own can end.
#pragma once

#include "tests/support/WaitUntil.h"

#include <condition_variable>
#include <mutex>
#include <thread>

class CMessageWaitLimit {
public:
    // Unless destroyed first, once `timeout` has passed this reports a failure and posts WM_QUIT
    // to the thread that made it, which ends the wait there. Destroyed on that thread, it takes
    // back a WM_QUIT of its own that is still queued, so that later tests do not see it.
    explicit CMessageWaitLimit(std::chrono::milliseconds timeout = kWaitLimit);
    ~CMessageWaitLimit();
    CMessageWaitLimit(const CMessageWaitLimit&) = delete;
    CMessageWaitLimit& operator=(const CMessageWaitLimit&) = delete;

private:
    std::mutex m_lock;
    std::condition_variable m_wake;
    bool m_ended = false;   // guarded by m_lock
    bool m_expired = false; // guarded by m_lock
    std::thread m_thread;
};

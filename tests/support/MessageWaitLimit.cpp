#include "tests/support/MessageWaitLimit.h"

#include "platform/core/MessageLoop.h"

CMessageWaitLimit::CMessageWaitLimit(std::chrono::milliseconds timeout) {
    const DWORD waiter = GetCurrentThreadId();
    m_thread = std::thread([this, waiter, timeout] {
        {
            std::unique_lock lock(m_lock);
            if (m_wake.wait_for(lock, timeout, [this] { return m_ended; })) {
                return;
            }
            m_expired = true;
        }
        ADD_FAILURE() << "still waiting for messages after " << timeout.count()
                      << " ms; ending the wait";
        PostThreadMessage(waiter, WM_QUIT, 0, 0);
    });
}

CMessageWaitLimit::~CMessageWaitLimit() {
    {
        std::lock_guard lock(m_lock);
        m_ended = true;
    }
    m_wake.notify_all();
    m_thread.join();
    bool expired = false;
    {
        std::lock_guard lock(m_lock);
        expired = m_expired;
    }
    if (expired) {
        MSG quit;
        PeekMessage(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    }
}

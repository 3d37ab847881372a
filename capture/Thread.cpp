#include "capture/Thread.h"

#include <system_error>

CThread::~CThread() {
    Join();
}

bool CThread::Start() {
    {
        std::lock_guard lock(m_lock);
        if (m_started.load()) {
            return true;
        }
        if (m_running.load()) {
            // The previous run is still finishing (a camera may be stuck in a slow grab): its
            // thread starts the next run when it returns, so the caller never waits for it.
            m_restart = true;
            return true;
        }
    }
    // The previous thread, if any, has left run() and cleared m_running; it is only returning.
    Join();
    // The flag is set before the body runs, so its first check already sees it.
    m_started.store(true);
    m_running.store(true);
    try {
        m_thread = std::thread([this] { RunWhileStarted(); });
    } catch (const std::system_error&) {
        m_started.store(false);
        m_running.store(false);
        return false;
    }
    return true;
}

void CThread::ClearStarted() {
    std::lock_guard lock(m_lock);
    m_restart = false;
    m_started.store(false);
}

void CThread::RunWhileStarted() {
    while (true) {
        run();
        std::lock_guard lock(m_lock);
        if (!m_restart) {
            m_running.store(false);
            return;
        }
        m_restart = false;
        m_started.store(true);
    }
}

void CThread::Join() {
    if (m_thread.joinable()) {
        m_thread.join();
    }
}

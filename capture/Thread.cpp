#include "capture/Thread.h"

#include <system_error>

CThread::~CThread() {
    Join();
}

bool CThread::Start() {
    if (m_started.load()) {
        return true;
    }
    Join();
    // The flag is set before the body runs, so its first check already sees it.
    m_started.store(true);
    m_running.store(true);
    try {
        m_thread = std::thread([this] {
            run();
            m_running.store(false);
        });
    } catch (const std::system_error&) {
        m_started.store(false);
        m_running.store(false);
        return false;
    }
    return true;
}

void CThread::Join() {
    if (m_thread.joinable()) {
        m_thread.join();
    }
}

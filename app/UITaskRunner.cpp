#include "app/UITaskRunner.h"

#include "app/SentMessageWait.h"

CUITaskRunner::~CUITaskRunner() {
    Stop();
}

void CUITaskRunner::Start() {
    if (m_thread.joinable()) {
        return;
    }
    m_threadEnded.store(false);
    m_thread = std::thread([this] { Run(); });
}

int CUITaskRunner::Post(conew::IBaseTask* task) {
    task->AddRef();
    conew::TaskPtr reference(task);
    std::lock_guard lock(m_lock);
    task->SetSequence(m_nextSequence++);
    m_tasks.push_back(std::move(reference));
    return task->Sequence();
}

void CUITaskRunner::Signal() {
    {
        std::lock_guard lock(m_lock);
        m_signalled = true;
    }
    m_wake.notify_one();
}

void CUITaskRunner::Stop() {
    if (m_thread.joinable()) {
        {
            std::lock_guard lock(m_lock);
            m_stop = true;
        }
        m_wake.notify_one();
        WaitHandlingSentMessages([this] { return m_threadEnded.load(); },
                                 std::chrono::milliseconds::max());
        m_thread.join();
    }
    std::deque<conew::TaskPtr> dropped;
    {
        std::lock_guard lock(m_lock);
        dropped.swap(m_tasks);
        m_stop = false;
        m_signalled = false;
        m_nextSequence = 1;
    }
    // Released outside the lock: a task's destructor is not ours to run under it.
    dropped.clear();
}

void CUITaskRunner::Run() {
    std::unique_lock lock(m_lock);
    while (!m_stop) {
        m_wake.wait(lock, [this] { return m_signalled || m_stop; });
        m_signalled = false;
        while (!m_stop && !m_tasks.empty()) {
            conew::TaskPtr task = std::move(m_tasks.front());
            m_tasks.pop_front();
            lock.unlock();
            const bool succeeded = task->run();
            task->Complete(succeeded ? conew::IBaseTask::kSucceeded : conew::IBaseTask::kFailed);
            task.reset();
            lock.lock();
        }
    }
    m_threadEnded.store(true);
}

#include "platform/core/ThreadQueue.h"

#include "platform/core/Backend.h"
#include "platform/core/WindowProcedure.h"
#include "platform/core/WindowTable.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <map>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

namespace {

std::mutex g_queuesLock;
std::map<DWORD, std::weak_ptr<CThreadQueue>> g_queues; // guarded by g_queuesLock

std::atomic<DWORD> g_nextThreadId{1};

// Owns the calling thread's queue; when the thread ends, pending sends to it are answered 0.
struct CQueueHolder {
    std::shared_ptr<CThreadQueue> queue;
    ~CQueueHolder() {
        if (!queue) {
            return;
        }
        {
            std::lock_guard guard(g_queuesLock);
            g_queues.erase(queue->ThreadId());
        }
        queue->Close();
    }
};

thread_local CQueueHolder t_holder;
thread_local DWORD t_threadId = 0;
thread_local int t_handlingSends = 0;

} // namespace

DWORD GetCurrentThreadId() {
    if (t_threadId == 0) {
        t_threadId = g_nextThreadId.fetch_add(1);
    }
    return t_threadId;
}

bool InSendMessage() {
    return t_handlingSends > 0;
}

CThreadQueue::CThreadQueue(DWORD threadId)
    : m_threadId(threadId), m_wakeFd(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}

CThreadQueue::~CThreadQueue() {
    if (m_wakeFd >= 0) {
        close(m_wakeFd);
    }
}

CThreadQueue& CThreadQueue::Current() {
    if (!t_holder.queue) {
        t_holder.queue = std::make_shared<CThreadQueue>(GetCurrentThreadId());
        std::lock_guard guard(g_queuesLock);
        g_queues[t_holder.queue->ThreadId()] = t_holder.queue;
    }
    return *t_holder.queue;
}

std::shared_ptr<CThreadQueue> CThreadQueue::ForThread(DWORD threadId) {
    std::lock_guard guard(g_queuesLock);
    auto it = g_queues.find(threadId);
    return it == g_queues.end() ? nullptr : it->second.lock();
}

void CThreadQueue::Wake() {
    const std::uint64_t one = 1;
    // A full counter still leaves the descriptor readable, so a failed write loses nothing.
    [[maybe_unused]] ssize_t written = write(m_wakeFd, &one, sizeof one);
}

void CThreadQueue::Post(const MSG& msg, bool atFront) {
    {
        std::lock_guard guard(m_lock);
        if (atFront) {
            m_posted.push_front(msg);
        } else {
            m_posted.push_back(msg);
        }
    }
    Wake();
}

void CThreadQueue::PostQuit(int exitCode) {
    {
        std::lock_guard guard(m_lock);
        m_quit = true;
        m_quitCode = exitCode;
    }
    Wake();
}

bool CThreadQueue::Deliver(std::shared_ptr<CSentMessage> sent) {
    {
        std::lock_guard guard(m_lock);
        if (m_closed) {
            return false;
        }
        m_incoming.push_back(std::move(sent));
    }
    Wake();
    return true;
}

void CThreadQueue::Close() {
    {
        std::lock_guard guard(m_lock);
        m_closed = true;
    }
    FailSendsTo(nullptr);
}

void CThreadQueue::Complete(CSentMessage& sent, LRESULT result) {
    {
        std::lock_guard guard(m_lock);
        sent.result = result;
        sent.done = true;
    }
    Wake();
}

bool CThreadQueue::IsDone(const CSentMessage& sent) {
    std::lock_guard guard(m_lock);
    return sent.done;
}

bool CThreadQueue::HandleIncomingSends() {
    bool handled = false;
    for (;;) {
        std::shared_ptr<CSentMessage> sent;
        {
            std::lock_guard guard(m_lock);
            if (m_incoming.empty()) {
                return handled;
            }
            sent = std::move(m_incoming.front());
            m_incoming.pop_front();
        }
        handled = true;
        LRESULT result = 0;
        if (WindowBelongsTo(sent->hwnd, m_threadId)) {
            ++t_handlingSends;
            result = InvokeWindowProc(sent->hwnd, sent->msg, sent->wParam, sent->lParam);
            --t_handlingSends;
        }
        sent->sender->Complete(*sent, result);
    }
}

void CThreadQueue::FailSendsTo(HWND hwnd) {
    std::vector<std::shared_ptr<CSentMessage>> failed;
    {
        std::lock_guard guard(m_lock);
        auto keep = std::stable_partition(m_incoming.begin(), m_incoming.end(), [hwnd](auto& s) {
            return hwnd != nullptr && s->hwnd != hwnd;
        });
        failed.assign(std::make_move_iterator(keep), std::make_move_iterator(m_incoming.end()));
        m_incoming.erase(keep, m_incoming.end());
    }
    for (auto& sent : failed) {
        sent->sender->Complete(*sent, 0);
    }
}

bool PassesRangeFilter(UINT msg, UINT min, UINT max) {
    return (min == 0 && max == 0) || (msg >= min && msg <= max);
}

bool PassesWindowFilter(HWND hwnd, HWND filter) {
    if (!filter) {
        return true;
    }
    if (hwnd == filter) {
        return true;
    }
    return hwnd && IsChild(filter, hwnd);
}

bool CThreadQueue::TakePosted(MSG* msg, HWND filter, UINT min, UINT max, bool remove) {
    std::lock_guard guard(m_lock);
    for (auto it = m_posted.begin(); it != m_posted.end(); ++it) {
        if (PassesRangeFilter(it->message, min, max) &&
            (filter == nullptr || (it->hwnd && PassesWindowFilter(it->hwnd, filter)))) {
            *msg = *it;
            if (remove) {
                m_posted.erase(it);
            }
            return true;
        }
    }
    return false;
}

bool CThreadQueue::TakeQuit(MSG* msg, bool remove) {
    std::lock_guard guard(m_lock);
    if (!m_quit) {
        return false;
    }
    *msg = MSG{};
    msg->message = WM_QUIT;
    msg->wParam = WPARAM(m_quitCode);
    if (remove) {
        m_quit = false;
    }
    return true;
}

bool CThreadQueue::TakeTimer(MSG* msg, HWND filter, UINT min, UINT max, bool remove) {
    if (!PassesRangeFilter(WM_TIMER, min, max)) {
        return false;
    }
    const auto now = Clock::now();
    std::lock_guard guard(m_lock);
    for (CTimerEntry& t : m_timers) {
        if (t.due > now || (filter && !(t.hwnd && PassesWindowFilter(t.hwnd, filter)))) {
            continue;
        }
        *msg = MSG{};
        msg->hwnd = t.hwnd;
        msg->message = WM_TIMER;
        msg->wParam = t.id;
        msg->lParam = LPARAM(reinterpret_cast<std::intptr_t>(t.callback));
        msg->time = GetTickCount();
        if (remove) {
            // A timer that fell behind fires once and then keeps its period from now.
            t.due = now + t.period;
        }
        return true;
    }
    return false;
}

void CThreadQueue::RemoveMessagesFor(HWND hwnd) {
    std::lock_guard guard(m_lock);
    std::erase_if(m_timers, [hwnd](const CTimerEntry& t) { return t.hwnd == hwnd; });
}

UINT_PTR CThreadQueue::SetTimer(HWND hwnd, UINT_PTR id, UINT milliseconds, TIMERPROC callback) {
    std::lock_guard guard(m_lock);
    if (!hwnd) {
        id = m_nextThreadTimerId++;
    }
    const auto period = std::chrono::milliseconds(std::max<UINT>(milliseconds, 1));
    auto it = std::find_if(m_timers.begin(), m_timers.end(),
                           [&](const CTimerEntry& t) { return t.hwnd == hwnd && t.id == id; });
    if (it == m_timers.end()) {
        m_timers.push_back({hwnd, id, period, Clock::now() + period, callback});
    } else {
        *it = {hwnd, id, period, Clock::now() + period, callback};
    }
    return hwnd ? (id ? id : 1) : id;
}

bool CThreadQueue::KillTimer(HWND hwnd, UINT_PTR id) {
    std::lock_guard guard(m_lock);
    return std::erase_if(m_timers,
                         [&](const CTimerEntry& t) { return t.hwnd == hwnd && t.id == id; }) > 0;
}

namespace {

void PollWake(pollfd* fds, nfds_t count, int timeoutMs, int wakeFd) {
    int ready;
    do {
        ready = poll(fds, count, timeoutMs);
    } while (ready < 0 && errno == EINTR);
    std::uint64_t counter;
    [[maybe_unused]] ssize_t got = read(wakeFd, &counter, sizeof counter);
}

} // namespace

void CThreadQueue::WaitForSend(const CSentMessage& awaited) {
    {
        std::lock_guard guard(m_lock);
        if (awaited.done || !m_incoming.empty()) {
            return;
        }
    }
    pollfd fd{m_wakeFd, POLLIN, 0};
    PollWake(&fd, 1, -1, m_wakeFd);
}

void CThreadQueue::Wait() {
    int timeoutMs = -1;
    {
        std::lock_guard guard(m_lock);
        if (!m_posted.empty() || !m_incoming.empty() || m_quit) {
            return;
        }
        const auto now = Clock::now();
        for (const CTimerEntry& t : m_timers) {
            const auto left = std::chrono::ceil<std::chrono::milliseconds>(t.due - now).count();
            const int ms = int(std::clamp<long long>(left, 0, 1 << 30));
            timeoutMs = timeoutMs < 0 ? ms : std::min(timeoutMs, ms);
        }
    }
    pollfd fds[2] = {{m_wakeFd, POLLIN, 0}, {-1, POLLIN, 0}};
    nfds_t count = 1;
    if (BackendThreadId() == m_threadId && Backend().EventFd() >= 0) {
        fds[1].fd = Backend().EventFd();
        count = 2;
    }
    PollWake(fds, count, timeoutMs, m_wakeFd);
}

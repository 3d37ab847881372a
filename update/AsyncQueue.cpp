#include "update/AsyncQueue.h"

#include <IceUtil/Time.h>

#include <algorithm>

namespace {

constexpr std::chrono::milliseconds kFirstRetryPause{1000};
constexpr std::chrono::milliseconds kLongestRetryPause{5 * 60 * 1000};

} // namespace

std::chrono::milliseconds AsyncQueue::RetryPause(int failures) {
    std::chrono::milliseconds pause = kFirstRetryPause;
    for (int i = 1; i < failures && pause < kLongestRetryPause; ++i) {
        pause *= 2;
    }
    return std::min(pause, kLongestRetryPause);
}

AsyncQueue::AsyncQueue(IMsgDispatch* receiver)
    : m_connection(std::make_unique<CHttpConnection>()), m_receiver(receiver) {
    m_connection->SetProgress(&AsyncQueue::AbortWhenStopping, this);
}

bool AsyncQueue::Enqueue(IMessagePtr request) {
    Lock lock(*this);
    if (m_stop) {
        return false;
    }
    const bool wasEmpty = m_requests.empty();
    m_requests.push_back(std::move(request));
    if (wasEmpty) {
        notify();
    }
    return true;
}

void AsyncQueue::Stop() {
    {
        Lock lock(*this);
        m_stop = true;
        notify();
    }
    // Only a started thread can be joined, and only once; start() ran on this thread.
    if (_started && !m_joined) {
        m_joined = true;
        getThreadControl().join();
    }
}

void AsyncQueue::run() {
    Lock lock(*this);
    // Failed attempts since the last success.
    int failures = 0;
    while (true) {
        while (m_requests.empty() && !m_stop) {
            wait();
        }
        if (m_stop) {
            break;
        }
        // Only the worker removes requests, so the head stays the same while it is sent.
        const IMessagePtr request = m_requests.front();
        lock.release();
        const bool delivered = Attempt(request);
        lock.acquire();
        if (delivered) {
            m_requests.pop_front();
            failures = 0;
            continue;
        }
        // Stop ends the pause at once.
        const IceUtil::Time until = IceUtil::Time::now(IceUtil::Time::Monotonic) +
                                    IceUtil::Time::milliSeconds(RetryPause(++failures).count());
        for (IceUtil::Time now = IceUtil::Time::now(IceUtil::Time::Monotonic);
             !m_stop && now < until; now = IceUtil::Time::now(IceUtil::Time::Monotonic)) {
            timedWait(until - now);
        }
    }
    std::list<IMessagePtr> dropped;
    dropped.swap(m_requests);
    lock.release();
}

bool AsyncQueue::Attempt(const IMessagePtr& request) {
    if (!m_connection->Prepare(request.get()) || !m_connection->Transfer()) {
        return false;
    }
    const char* answer = m_connection->Response().data();
    const std::int32_t size = m_connection->ReceivedLength();
    if (request->IsUrlMessage()) {
        m_receiver->OnRecvRaw(answer, size, request->GetMsgType());
    } else {
        m_receiver->OnRecvStream(answer, size);
    }
    return true;
}

int AsyncQueue::AbortWhenStopping(void* worker, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    return static_cast<AsyncQueue*>(worker)->m_stop ? 1 : 0;
}

#include "update/AsyncQueue.h"

#include <IceUtil/Time.h>

namespace {

// The pause before a failed request is tried again, so that an unreachable host or a failing
// server is not asked in a tight loop. Stop ends the pause at once.
constexpr int kRetryDelayMs = 1000;

} // namespace

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
        } else if (!m_stop) {
            timedWait(IceUtil::Time::milliSeconds(kRetryDelayMs));
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

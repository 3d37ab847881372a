// The HTTP request worker: a thread that performs posted requests one after the other against
// the update-descriptor address and hands every accepted answer to the dispatcher. A request
// that fails stays at the head of the list and is tried again after a pause that grows with
// every failure in a row, so that a machine without network does not ask every second.
#pragma once

#include "update/HttpConnection.h"
#include "update/IMessage.h"
#include "update/IMsgDispatch.h"

#include <IceUtil/Handle.h>
#include <IceUtil/Monitor.h>
#include <IceUtil/Mutex.h>
#include <IceUtil/Thread.h>

#include <atomic>
#include <chrono>
#include <list>
#include <memory>

class AsyncQueue : public IceUtil::Thread, public IceUtil::Monitor<IceUtil::Mutex> {
public:
    // The receiver (not owned) must outlive the thread.
    explicit AsyncQueue(IMsgDispatch* receiver);

    // Appends the request and wakes the thread; false once the worker is stopping.
    bool Enqueue(IMessagePtr request);
    // Sets the stop flag, wakes the thread and waits until it has ended. A transfer in
    // progress is aborted; requests still queued are dropped without being sent.
    void Stop();

    void run() override;

    // The pause after `failures` failed attempts in a row (1 or more): one second, doubling
    // with each further failure, at most five minutes.
    static std::chrono::milliseconds RetryPause(int failures);

private:
    // Performs the request once; true when its answer has been handed to the receiver.
    bool Attempt(const IMessagePtr& request);
    // The transfer progress callback: a non-zero answer makes libcurl abort the transfer.
    static int AbortWhenStopping(void* worker, curl_off_t, curl_off_t, curl_off_t, curl_off_t);

    std::list<IMessagePtr> m_requests; // guarded by the monitor
    // Set under the monitor; also read by the progress callback during a transfer.
    std::atomic<bool> m_stop{false};
    // Used by the worker thread only while it runs; created and deleted with the worker.
    std::unique_ptr<CHttpConnection> m_connection;
    IMsgDispatch* m_receiver;
    bool m_joined = false; // touched only by the thread that calls Stop
};

using AsyncQueuePtr = IceUtil::Handle<AsyncQueue>;

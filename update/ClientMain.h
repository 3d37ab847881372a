// The message dispatcher: the meeting point between the HTTP request worker and the handlers
// on the user-interface thread. Handlers register by message identifier; answers from the
// worker are queued, and a 100 ms thread timer on the creating (user-interface) thread takes
// them off the queue and hands each to its handler.
#pragma once

#include "platform/base/Types.h"
#include "update/AsyncQueue.h"
#include "update/HttpConnection.h"
#include "update/IMsgDispatch.h"
#include "update/IRoot.h"
#include "update/RecvMsg.h"

#include <IceUtil/Monitor.h>
#include <IceUtil/Mutex.h>

#include <list>
#include <map>
#include <memory>

class CClientMain final : public IRoot, public IMsgDispatch {
public:
    // The single dispatcher of the process, created by the first call. It belongs to the
    // thread that created it, which must be the user-interface thread, and is deleted when
    // that thread ends (for the main thread: when main returns), before the thread's message
    // queue goes.
    static IRoot* Instance();

    // Starts the worker thread and the pump timer on the calling thread. Delete the
    // dispatcher on the same thread; deleting it stops the worker and drops what is queued.
    CClientMain();
    ~CClientMain();
    CClientMain(const CClientMain&) = delete;
    CClientMain& operator=(const CClientMain&) = delete;

    void RegisterProcess(std::int32_t msgType, IMsgProcess* handler) override;
    bool PostRequest(IMessagePtr request) override;
    bool SendRequest(IMessage* request, IMessage* response, curl_xferinfo_callback progress,
                     void* progressData) override;

    bool OnRecvRaw(const char* data, std::int32_t size, std::int32_t msgType) override;
    bool OnRecvStream(const char* data, std::int32_t size) override;

    // One delivery tick, run by the pump timer: queued answers in arrival order, at most six
    // of them to handlers; answers without a handler are dropped and not counted. The answers
    // are taken off the queue before the handlers run, so handlers may run nested message
    // loops while the worker goes on handing over answers; a nested tick delivers nothing.
    void Pump();

private:
    static void OnPumpTimer(HWND hwnd, UINT msg, UINT_PTR id, DWORD time);

    // Used only as a lock, never waited on.
    IceUtil::Monitor<IceUtil::Mutex> m_lock;
    std::list<CRecvMsgPtr> m_received; // guarded by m_lock
    // Touched only on the user-interface thread; the handlers are not owned.
    std::map<std::int32_t, IMsgProcess*> m_handlers;
    std::unique_ptr<CHttpConnection> m_syncConnection;
    AsyncQueuePtr m_worker;
    UINT_PTR m_pumpTimer = 0;
    // True while Pump runs, so that a handler's nested message loop does not tick again. Read
    // and written on the user-interface thread only.
    bool m_pumping = false;
};

#include "update/ClientMain.h"

#include "update/StreamFraming.h"

#include "platform/core/Timer.h"

#include <atomic>
#include <mutex>
#include <utility>
#include <vector>

namespace {

constexpr UINT kPumpPeriodMs = 100;
// Answers handed to handlers by one tick at most.
constexpr std::size_t kAnswersPerTick = 6;

// The dispatchers whose pump timers run on this thread, by timer id: a thread timer's
// callback learns only its id.
std::map<UINT_PTR, CClientMain*>& PumpTimers() {
    thread_local std::map<UINT_PTR, CClientMain*> timers;
    return timers;
}

std::mutex g_creationLock;
std::atomic<CClientMain*> g_instance{nullptr};

// Owns the single dispatcher on the thread that created it. Thread-local objects end in the
// reverse order of their first use, and the thread's message queue was in use before the
// dispatcher existed, so the dispatcher can still kill its timer when it is deleted here.
struct CInstanceOwner {
    std::unique_ptr<CClientMain> dispatcher;
    ~CInstanceOwner() {
        if (dispatcher) {
            g_instance = nullptr;
        }
    }
};
thread_local CInstanceOwner t_instanceOwner;

} // namespace

IRoot* CClientMain::Instance() {
    if (CClientMain* existing = g_instance.load()) {
        return existing;
    }
    std::lock_guard guard(g_creationLock);
    if (CClientMain* existing = g_instance.load()) {
        return existing;
    }
    // Created before the owner is first touched, so that the owner ends first.
    auto created = std::make_unique<CClientMain>();
    CClientMain* dispatcher = created.get();
    t_instanceOwner.dispatcher = std::move(created);
    g_instance = dispatcher;
    return dispatcher;
}

CClientMain::CClientMain()
    : m_syncConnection(std::make_unique<CHttpConnection>()), m_worker(new AsyncQueue(this)) {
    m_worker->start();
    m_pumpTimer = SetTimer(nullptr, 0, kPumpPeriodMs, &CClientMain::OnPumpTimer);
    if (m_pumpTimer) {
        PumpTimers()[m_pumpTimer] = this;
    }
}

CClientMain::~CClientMain() {
    if (m_pumpTimer) {
        KillTimer(nullptr, m_pumpTimer);
        PumpTimers().erase(m_pumpTimer);
    }
    m_handlers.clear();
    m_syncConnection.reset();
    if (m_worker) {
        m_worker->Stop();
    }
    {
        IceUtil::Monitor<IceUtil::Mutex>::Lock lock(m_lock);
        m_received.clear();
    }
    m_worker = nullptr;
}

void CClientMain::RegisterProcess(std::int32_t msgType, IMsgProcess* handler) {
    if (handler) {
        m_handlers.emplace(msgType, handler);
    }
}

bool CClientMain::PostRequest(IMessagePtr request) {
    return m_worker && m_worker->Enqueue(std::move(request));
}

bool CClientMain::SendRequest(IMessage* request, IMessage* response,
                              curl_xferinfo_callback progress, void* progressData) {
    return m_syncConnection && m_syncConnection->Request(request, response, progress, progressData);
}

bool CClientMain::OnRecvRaw(const char* data, std::int32_t size, std::int32_t msgType) {
    if (size < 0 || (size > 0 && !data)) {
        return false;
    }
    CRecvMsgPtr record = new CRecvMsg(msgType, 0, std::string_view(data, size));
    IceUtil::Monitor<IceUtil::Mutex>::Lock lock(m_lock);
    m_received.push_back(std::move(record));
    return true;
}

bool CClientMain::OnRecvStream(const char* data, std::int32_t size) {
    if (size <= 0 || !data) {
        return true;
    }
    IceUtil::Monitor<IceUtil::Mutex>::Lock lock(m_lock);
    for (const StreamFrame& frame : CutStream(std::string_view(data, size))) {
        m_received.push_back(new CRecvMsg(frame.msgType, 0, frame.payload));
    }
    return true;
}

void CClientMain::Pump() {
    if (m_pumping) {
        return;
    }
    m_pumping = true;
    // The tick's answers are taken off the queue first and delivered without the lock, so a
    // handler that runs a modal loop does not hold up the worker's next hand-over. Answers
    // without a handler are dropped here and do not count; answers that arrive meanwhile wait
    // for the next tick.
    std::vector<std::pair<CRecvMsgPtr, IMsgProcess*>> due;
    {
        IceUtil::Monitor<IceUtil::Mutex>::Lock lock(m_lock);
        while (!m_received.empty() && due.size() < kAnswersPerTick) {
            CRecvMsgPtr record = std::move(m_received.front());
            m_received.pop_front();
            if (const auto found = m_handlers.find(record->MsgType()); found != m_handlers.end()) {
                due.emplace_back(std::move(record), found->second);
            }
        }
    }
    for (const auto& [record, handler] : due) {
        const std::string& body = record->Body();
        handler->OnRecvMsg(record->MsgType(), record->Reserved(), body.data(),
                           std::int32_t(body.size()));
    }
    m_pumping = false;
}

void CClientMain::OnPumpTimer(HWND, UINT, UINT_PTR id, DWORD) {
    const auto& timers = PumpTimers();
    if (const auto found = timers.find(id); found != timers.end()) {
        found->second->Pump();
    }
}

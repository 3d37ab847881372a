// Posting, sending, retrieving and dispatching messages.
#include "platform/core/MessageLoop.h"

#include "platform/core/Backend.h"
#include "platform/core/Input.h"
#include "platform/core/PaintQueue.h"
#include "platform/core/ThreadQueue.h"
#include "platform/core/Timer.h"
#include "platform/core/Window.h"
#include "platform/core/WindowProcedure.h"

namespace {

// One pass over everything the thread may retrieve, in the order of precedence: sent messages
// are handled, then posted messages, the quit request, paints and timers are looked at.
bool PeekOnce(CThreadQueue& queue, MSG* msg, HWND hwnd, UINT min, UINT max, bool remove) {
    queue.HandleIncomingSends();
    // After the sends: their handlers may have made the display read events into its own
    // buffer, where waiting on the connection would not see them.
    if (BackendThreadId() == queue.ThreadId()) {
        Backend().ReadEvents();
    }
    if (queue.TakePosted(msg, hwnd, min, max, remove)) {
        if (remove) {
            NoteRetrievedInput(*msg);
        }
        return true;
    }
    if (PassesRangeFilter(WM_QUIT, min, max) && queue.TakeQuit(msg, remove)) {
        return true;
    }
    if (PassesRangeFilter(WM_PAINT, min, max) && TakePaint(msg, hwnd)) {
        return true;
    }
    return queue.TakeTimer(msg, hwnd, min, max, remove);
}

bool IsCursorMessage(UINT msg) {
    return msg == WM_MOUSEMOVE || msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN ||
           msg == WM_MBUTTONDOWN || msg == WM_LBUTTONDBLCLK || msg == WM_RBUTTONDBLCLK ||
           msg == WM_MBUTTONDBLCLK;
}

} // namespace

bool PostPreparedMessage(MSG msg) {
    const DWORD owner = GetWindowThreadId(msg.hwnd);
    auto queue = owner ? CThreadQueue::ForThread(owner) : nullptr;
    if (!queue) {
        return false;
    }
    msg.time = GetTickCount();
    GetCursorPos(&msg.pt);
    queue->Post(msg);
    return true;
}

bool PostMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    MSG m;
    m.hwnd = hwnd;
    m.message = msg;
    m.wParam = wParam;
    m.lParam = lParam;
    return PostPreparedMessage(m);
}

bool PostThreadMessage(DWORD threadId, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto queue = CThreadQueue::ForThread(threadId);
    if (!queue) {
        return false;
    }
    MSG m;
    m.message = msg;
    m.wParam = wParam;
    m.lParam = lParam;
    m.time = GetTickCount();
    queue->Post(m);
    return true;
}

void PostQuitMessage(int exitCode) {
    CThreadQueue::Current().PostQuit(exitCode);
}

LRESULT SendMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    const DWORD owner = GetWindowThreadId(hwnd);
    if (owner == 0) {
        return 0;
    }
    CThreadQueue& self = CThreadQueue::Current();
    if (owner == self.ThreadId()) {
        return InvokeWindowProc(hwnd, msg, wParam, lParam);
    }
    auto target = CThreadQueue::ForThread(owner);
    if (!target) {
        return 0;
    }
    auto sent = std::make_shared<CSentMessage>();
    sent->hwnd = hwnd;
    sent->msg = msg;
    sent->wParam = wParam;
    sent->lParam = lParam;
    sent->sender = self.shared_from_this();
    if (!target->Deliver(sent)) {
        return 0;
    }
    // While waiting, messages sent to this thread are handled, so two threads sending to each
    // other cannot deadlock.
    while (!self.IsDone(*sent)) {
        self.HandleIncomingSends();
        self.WaitForSend(*sent);
    }
    return sent->result;
}

int GetMessage(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax) {
    CThreadQueue& queue = CThreadQueue::Current();
    while (!PeekOnce(queue, msg, hwnd, filterMin, filterMax, true)) {
        queue.Wait();
    }
    return msg->message == WM_QUIT ? 0 : 1;
}

bool PeekMessage(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT removeFlags) {
    return PeekOnce(CThreadQueue::Current(), msg, hwnd, filterMin, filterMax,
                    (removeFlags & PM_REMOVE) != 0);
}

void WaitMessage() {
    CThreadQueue& queue = CThreadQueue::Current();
    MSG msg;
    while (!PeekOnce(queue, &msg, nullptr, 0, 0, false)) {
        queue.Wait();
    }
}

bool TranslateMessage(const MSG* msg) {
    if ((msg->message != WM_KEYDOWN && msg->message != WM_SYSKEYDOWN) || msg->typed == 0) {
        return false;
    }
    MSG ch = *msg;
    ch.message = WM_CHAR;
    ch.wParam = WPARAM(msg->typed);
    ch.typed = 0;
    // The character comes next, before any key message queued behind the press.
    CThreadQueue::Current().Post(ch, true);
    return true;
}

LRESULT DispatchMessage(const MSG* msg) {
    if (msg->message == WM_TIMER && msg->lParam != 0) {
        auto callback = reinterpret_cast<TIMERPROC>(msg->lParam);
        callback(msg->hwnd, WM_TIMER, msg->wParam, GetTickCount());
        return 0;
    }
    if (!msg->hwnd || !WindowBelongsTo(msg->hwnd, GetCurrentThreadId())) {
        return 0;
    }
    if (IsCursorMessage(msg->message) && !GetCapture()) {
        SendMessage(msg->hwnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(msg->hwnd),
                    MAKELPARAM(int(HTCLIENT), int(msg->message)));
    }
    return InvokeWindowProc(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

bool RunModalLoop(const std::function<bool()>& ended,
                  const std::function<bool(MSG&)>& preTranslate) {
    while (!ended()) {
        MSG msg;
        if (GetMessage(&msg, nullptr, 0, 0) == 0) {
            PostQuitMessage(int(msg.wParam));
            return false;
        }
        if (preTranslate && preTranslate(msg)) {
            continue;
        }
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
    return true;
}

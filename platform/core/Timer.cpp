#include "platform/core/Timer.h"

#include "platform/core/MessageLoop.h"
#include "platform/core/ThreadQueue.h"
#include "platform/core/Window.h"

UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT milliseconds, TIMERPROC callback) {
    // A window's timers live in its own thread's queue, so only that thread may set them.
    if (hwnd && GetWindowThreadId(hwnd) != GetCurrentThreadId()) {
        return 0;
    }
    return CThreadQueue::Current().SetTimer(hwnd, id, milliseconds, callback);
}

bool KillTimer(HWND hwnd, UINT_PTR id) {
    return CThreadQueue::Current().KillTimer(hwnd, id);
}

DWORD GetTickCount() {
    return DWORD(
        std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now().time_since_epoch())
            .count());
}

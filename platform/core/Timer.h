// Window timers (WM_TIMER to the window) and thread timers (WM_TIMER dispatched to a
// callback). WM_TIMER is made when the timer is due and no posted message waits; a timer
// that falls behind delivers one WM_TIMER, not a backlog.
#pragma once

#include "platform/base/Types.h"

using TIMERPROC = void (*)(HWND hwnd, UINT msg, UINT_PTR id, DWORD time);

// With a window: the timer `id` of that window (set again, it restarts). Without one: a thread
// timer whose new id is answered. Answers 0 on failure.
UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT milliseconds, TIMERPROC callback);
bool KillTimer(HWND hwnd, UINT_PTR id);
// Milliseconds of a monotonic clock.
DWORD GetTickCount();

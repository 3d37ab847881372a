// Keyboard focus, mouse capture, mouse-leave tracking and cursors.
#pragma once

#include "platform/base/Types.h"
#include "platform/base/WindowStyles.h"

HWND SetFocus(HWND hwnd); // answers the window that had the focus
HWND GetFocus();

HWND SetCapture(HWND hwnd); // answers the previous capture holder
bool ReleaseCapture();
HWND GetCapture();

constexpr DWORD TME_HOVER = 0x00000001;
constexpr DWORD TME_LEAVE = 0x00000002;
constexpr DWORD TME_CANCEL = 0x80000000;

struct TRACKMOUSEEVENT {
    DWORD dwFlags = 0;
    HWND hwndTrack = nullptr;
    DWORD dwHoverTime = 0;
};
// With TME_LEAVE, WM_MOUSELEAVE is posted once when the pointer leaves the window.
bool TrackMouseEvent(TRACKMOUSEEVENT* request);

bool GetCursorPos(POINT* point);
HCURSOR LoadCursor(HCURSOR id);
HCURSOR SetCursor(HCURSOR cursor); // answers the previous cursor
HCURSOR GetCursor();

// Key state as GetKeyState reports it: the high bit is set while the key is down.
short GetKeyState(int virtualKey);

int GetSystemMetrics(int index);

struct MONITORINFO {
    RECT rcMonitor;
    RECT rcWork;
};
bool GetMonitorInfo(HWND hwnd, MONITORINFO* info);

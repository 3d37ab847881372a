// Icons in the desktop's system tray, with a callback message for the mouse and a tip.
#pragma once

#include "platform/base/Types.h"

class CIcon;

constexpr DWORD NIM_ADD = 0;
constexpr DWORD NIM_MODIFY = 1;
constexpr DWORD NIM_DELETE = 2;

constexpr UINT NIF_MESSAGE = 0x01;
constexpr UINT NIF_ICON = 0x02;
constexpr UINT NIF_TIP = 0x04;

struct NOTIFYICONDATA {
    HWND hWnd = nullptr; // receives the callback message
    UINT uID = 0;
    UINT uFlags = 0;
    UINT uCallbackMessage = 0;
    CIcon* hIcon = nullptr; // copied; the caller keeps its own
    WString szTip;
};

// NIM_ADD fails (false) when no system tray runs or the icon exists; NIM_MODIFY and NIM_DELETE
// fail for an icon that was never added. Mouse input on the icon reaches the window as the
// callback message with wParam = uID and lParam = the mouse message (WM_LBUTTONDBLCLK,
// WM_RBUTTONUP, ...).
bool Shell_NotifyIcon(DWORD message, const NOTIFYICONDATA* data);

// The tray icon's window class; done by the window system before the first class lookup.
void RegisterTrayIconClass();

#include "platform/shell/NotifyIcon.h"

#include "platform/core/Backend.h"
#include "platform/core/MessageLoop.h"
#include "platform/core/Paint.h"
#include "platform/core/Window.h"
#include "platform/draw/Gdi.h"

#include <map>
#include <memory>
#include <mutex>

namespace {

const WString kTrayClass = L"VistrelTrayIcon";
constexpr int kInitialSize = 24;
constexpr COLORREF kTrayBackground = RGB(0x3A, 0x3F, 0x47);

struct CTrayIcon {
    HWND owner = nullptr;
    UINT id = 0;
    UINT callback = 0;
    std::unique_ptr<CIcon> icon;
    WString tip;
};

std::mutex g_iconsLock;
std::map<std::pair<HWND, UINT>, HWND> g_icons; // guarded by g_iconsLock

CTrayIcon* State(HWND hwnd) {
    return reinterpret_cast<CTrayIcon*>(GetWindowLongPtr(hwnd, GWLP_USERDATA));
}

void Paint(HWND hwnd) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    if (dc) {
        RECT client;
        GetClientRect(hwnd, &client);
        CGdiHandle<HBRUSH> background(CreateSolidBrush(kTrayBackground));
        FillRect(dc, &client, background);
        if (CTrayIcon* state = State(hwnd); state && state->icon) {
            // The icon keeps its aspect, as large as the tray's slot allows.
            const int side = std::min(client.Width(), client.Height());
            DrawIconEx(dc, (client.Width() - side) / 2, (client.Height() - side) / 2,
                       state->icon.get(), side, side, 0, nullptr, DI_NORMAL);
        }
    }
    EndPaint(hwnd, &ps);
}

bool IsMouseMessage(UINT msg) {
    return msg >= WM_MOUSEFIRST && msg <= WM_MBUTTONDBLCLK;
}

LRESULT TrayProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    CTrayIcon* state = State(hwnd);
    if (state && IsMouseMessage(msg)) {
        if (state->callback) {
            PostMessage(state->owner, state->callback, state->id, LPARAM(msg));
        }
        return 0;
    }
    switch (msg) {
    case WM_PAINT:
        Paint(hwnd);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_NCDESTROY:
        delete state; // the state is the window's from its creation on
        SetWindowLongPtr(hwnd, GWLP_USERDATA, 0);
        return 0;
    default:
        return DefWindowProc(hwnd, msg, wParam, lParam);
    }
}

void Apply(HWND hwnd, const NOTIFYICONDATA& data) {
    CTrayIcon* state = State(hwnd);
    if (data.uFlags & NIF_MESSAGE) {
        state->callback = data.uCallbackMessage;
    }
    if ((data.uFlags & NIF_ICON) && data.hIcon) {
        state->icon = std::make_unique<CIcon>(*data.hIcon);
        InvalidateRect(hwnd, nullptr, false);
    }
    if (data.uFlags & NIF_TIP) {
        state->tip = data.szTip;
        SetWindowText(hwnd, data.szTip);
    }
}

HWND Find(const NOTIFYICONDATA& data) {
    std::lock_guard guard(g_iconsLock);
    auto it = g_icons.find({data.hWnd, data.uID});
    return it == g_icons.end() ? nullptr : it->second;
}

bool Add(const NOTIFYICONDATA& data) {
    if (!IsWindow(data.hWnd) || Find(data)) {
        return false;
    }
    HWND hwnd = CreateWindowEx(WS_EX_TOOLWINDOW, kTrayClass, data.szTip, WS_POPUP, 0, 0,
                               kInitialSize, kInitialSize, nullptr, 0, nullptr);
    if (!hwnd) {
        return false;
    }
    auto* state = new CTrayIcon;
    state->owner = data.hWnd;
    state->id = data.uID;
    SetWindowLongPtr(hwnd, GWLP_USERDATA, reinterpret_cast<LPARAM>(state));
    Apply(hwnd, data);
    if (!Backend().DockInTray(hwnd)) {
        DestroyWindow(hwnd);
        return false;
    }
    // The tray decides where the icon goes; for the window system it is now shown.
    ShowWindow(hwnd, SW_SHOWNA);
    std::lock_guard guard(g_iconsLock);
    g_icons[{data.hWnd, data.uID}] = hwnd;
    return true;
}

} // namespace

void RegisterTrayIconClass() {
    RegisterWindowClass(kTrayClass, TrayProc, CS_DBLCLKS, IDC_ARROW);
}

bool Shell_NotifyIcon(DWORD message, const NOTIFYICONDATA* data) {
    if (!data) {
        return false;
    }
    switch (message) {
    case NIM_ADD:
        return Add(*data);
    case NIM_MODIFY: {
        HWND hwnd = Find(*data);
        if (!hwnd) {
            return false;
        }
        Apply(hwnd, *data);
        return true;
    }
    case NIM_DELETE: {
        HWND hwnd = Find(*data);
        if (!hwnd) {
            return false;
        }
        {
            std::lock_guard guard(g_iconsLock);
            g_icons.erase({data->hWnd, data->uID});
        }
        DestroyWindow(hwnd);
        return true;
    }
    default:
        return false;
    }
}

// A small program on the real display for trying the window system by hand and for the X11
// tests: a borderless window with rounded corners holding a picture and an edit box. A right
// click opens a pop-up menu; the tray icon reports its clicks. Everything it observes is
// printed on standard output, one line per event, for the test driver to read.
#include "platform/base/Utf8.h"
#include "platform/controls/Menu.h"
#include "platform/controls/StandardClasses.h"
#include "platform/controls/Static.h"
#include "platform/core/Input.h"
#include "platform/core/MessageLoop.h"
#include "platform/core/Paint.h"
#include "platform/core/Window.h"
#include "platform/draw/Gdi.h"
#include "platform/shell/NotifyIcon.h"
#include "platform/x11/X11Backend.h"

#include <cstdio>
#include <memory>
#include <vector>

namespace {

constexpr int kWidth = 360;
constexpr int kHeight = 240;
constexpr int kEditId = 101;
constexpr int kPictureId = 102;
constexpr UINT kTrayCallback = 2024;
constexpr UINT_PTR kCommandHello = 32775;
constexpr UINT_PTR kCommandQuit = 32774;
constexpr UINT_PTR kCommandMove = 32776;

constexpr COLORREF kHeader = RGB(0x1F, 0x5F, 0xA8);
constexpr COLORREF kBody = RGB(0xF2, 0xF4, 0xF7);

void Say(const std::string& line) {
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
}

// Every corner loses two pixels on the outer row and one on the next, as the skinned dialogs'
// frames do.
CRegion RoundedFrame(int w, int h) {
    CRegion r({0, 2, w, h - 2});
    for (const RECT& band : {RECT{2, 0, w - 2, 1}, RECT{2, h - 1, w - 2, h}, RECT{1, 1, w - 1, 2},
                             RECT{1, h - 2, w - 1, h - 1}}) {
        r = r.Union(CRegion(band));
    }
    return r;
}

// A picture with four coloured quarters, so screenshots show where it landed.
HBITMAP MakePicture(int w, int h) {
    HBITMAP bitmap = CreateCompatibleBitmap(nullptr, w, h);
    const std::uint32_t colours[4] = {0xE04040, 0x40B040, 0x4060E0, 0xE0C040};
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            *bitmap->Span32(x, y) = colours[(y < h / 2 ? 0 : 2) + (x < w / 2 ? 0 : 1)];
        }
    }
    return bitmap;
}

HMENU g_menu = nullptr;

LRESULT MainProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        if (HDC dc = BeginPaint(hwnd, &ps)) {
            RECT client;
            GetClientRect(hwnd, &client);
            CGdiHandle<HBRUSH> body(CreateSolidBrush(kBody));
            CGdiHandle<HBRUSH> header(CreateSolidBrush(kHeader));
            FillRect(dc, &client, body);
            RECT bar{0, 0, client.right, 32};
            FillRect(dc, &bar, header);
            SetBkMode(dc, TRANSPARENT);
            SetTextColor(dc, RGB(0xFF, 0xFF, 0xFF));
            SelectObject(dc, static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
            RECT title{10, 0, client.right, 32};
            DrawText(dc, L"Vistrel 窗口系统", &title, DT_SINGLELINE | DT_VCENTER);
        }
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_LBUTTONDOWN:
        if (GET_Y_LPARAM(lParam) < 32) {
            SendMessage(hwnd, WM_SYSCOMMAND, SC_MOVE + HTCAPTION, 0); // drag by the header
        }
        return 0;
    case WM_RBUTTONUP: {
        POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        ClientToScreen(hwnd, &p);
        TrackPopupMenu(GetSubMenu(g_menu, 0), 0, p.x, p.y, 0, hwnd, nullptr);
        return 0;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == kEditId && HIWORD(wParam) == EN_CHANGE) {
            Say("edit: " + WideToUtf8(GetWindowText(reinterpret_cast<HWND>(lParam))));
        } else if (wParam == kCommandHello) {
            Say("menu: 32775");
        } else if (wParam == kCommandMove) {
            Say("menu: 32776");
            SetWindowPos(hwnd, nullptr, 300, 200, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        } else if (wParam == kCommandQuit) {
            Say("menu: 32774");
            DestroyWindow(hwnd);
        }
        return 0;
    case kTrayCallback:
        if (lParam != WM_MOUSEMOVE) {
            Say("tray: id=" + std::to_string(wParam) + " msg=" + std::to_string(lParam));
        }
        if (lParam == WM_RBUTTONUP) {
            POINT p;
            GetCursorPos(&p);
            SetForegroundWindow(hwnd);
            TrackPopupMenu(GetSubMenu(g_menu, 0), 0x20, p.x, p.y, 0, hwnd, nullptr);
        }
        return 0;
    case WM_CLOSE:
        DestroyWindow(hwnd);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProc(hwnd, msg, wParam, lParam);
    }
}

std::unique_ptr<CIcon> MakeTrayIcon() {
    std::vector<std::uint32_t> pixels(16 * 16, 0xFF1F5FA8);
    for (int i = 4; i < 12; ++i) {
        for (int j = 4; j < 12; ++j) {
            pixels[size_t(i * 16 + j)] = 0xFFFFFFFF;
        }
    }
    return std::make_unique<CIcon>(16, 16, std::move(pixels));
}

} // namespace

int main() {
    InitStandardClasses();
    if (!InstallX11Backend("vistrel-x11-demo")) {
        return 1;
    }
    RegisterWindowClass(L"VistrelX11Demo", MainProc, CS_DBLCLKS, IDC_ARROW);

    g_menu = CreateMenu();
    HMENU popup = CreatePopupMenu();
    AppendMenu(popup, MF_STRING, kCommandHello, L"窗口");
    AppendMenu(popup, MF_STRING, kCommandMove, L"移动");
    AppendMenu(popup, MF_SEPARATOR, 0, L"");
    AppendMenu(popup, MF_STRING, kCommandQuit, L"退出");
    AppendMenu(g_menu, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), L"TrayMenu");

    HWND main =
        CreateWindowEx(WS_EX_APPWINDOW, L"VistrelX11Demo", L"Vistrel demo",
                       WS_POPUP | WS_CLIPCHILDREN, 100, 100, kWidth, kHeight, nullptr, 0, nullptr);
    auto icon = MakeTrayIcon();
    SendMessage(main, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon.get()));
    const CRegion frame = RoundedFrame(kWidth, kHeight);
    SetWindowRgn(main, &frame, false);
    HWND picture = CreateWindowEx(0, L"Static", L"", WS_CHILD | WS_VISIBLE | SS_BITMAP, 20, 50, 120,
                                  90, main, kPictureId, nullptr);
    HBITMAP image = MakePicture(120, 90);
    SendMessage(picture, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(image));
    HWND edit = CreateWindowEx(0, L"Edit", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | 0x80, 160, 80,
                               180, 26, main, kEditId, nullptr);
    Say(edit ? "edit: created" : "edit: unavailable");
    ShowWindow(main, SW_SHOW);
    if (edit) {
        SetFocus(edit);
    }

    NOTIFYICONDATA tray;
    tray.hWnd = main;
    tray.uID = 1;
    tray.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    tray.uCallbackMessage = kTrayCallback;
    tray.hIcon = icon.get();
    tray.szTip = L"Vistrel";
    Say(Shell_NotifyIcon(NIM_ADD, &tray) ? "tray: added" : "tray: unavailable");
    Say("ready");

    MSG msg;
    while (GetMessage(&msg, nullptr, 0, 0)) {
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
    Shell_NotifyIcon(NIM_DELETE, &tray);
    DeleteObject(image);
    DestroyMenu(g_menu);
    Say("bye");
    return 0;
}

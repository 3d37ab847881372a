// The pop-up menu window and its modal tracking.
#include "platform/controls/Menu.h"
#include "platform/controls/MenuWindow.h"
#include "platform/core/Backend.h"
#include "platform/core/Input.h"
#include "platform/core/MessageLoop.h"
#include "platform/core/Paint.h"
#include "platform/core/Window.h"
#include "platform/draw/Gdi.h"

#include <algorithm>

namespace {

constexpr int kFrame = 1;
constexpr int kPadding = 3;
constexpr int kItemHeight = 26;
constexpr int kSeparatorHeight = 9;
constexpr int kTextIndent = 24;
constexpr int kMinWidth = 120;
constexpr COLORREF kBackground = RGB(0xFF, 0xFF, 0xFF);
constexpr COLORREF kFrameColour = RGB(0x9A, 0xA4, 0xB0);
constexpr COLORREF kHotBackground = RGB(0xDD, 0xEC, 0xFA);
constexpr COLORREF kText = RGB(0x26, 0x2B, 0x33);
constexpr COLORREF kSeparator = RGB(0xE2, 0xE6, 0xEA);

const WString kMenuClass = L"#32768";

struct CMenuTracker {
    HMENU menu = nullptr;
    HWND window = nullptr;
    int hot = -1;
    bool done = false;
    UINT_PTR chosen = 0;
    std::vector<RECT> itemRects; // client coordinates
};

thread_local CMenuTracker* t_tracking = nullptr;

bool IsSeparator(const CMenuItem& item) {
    return (item.flags & MF_SEPARATOR) != 0;
}

HFONT MenuFont() {
    return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

// Lays the items out top to bottom; answers the window size.
SIZE LayOut(CMenuTracker& t) {
    CMemoryDC dc;
    SelectObject(dc, MenuFont());
    int width = kMinWidth;
    int y = kFrame + kPadding;
    t.itemRects.clear();
    for (const CMenuItem& item : t.menu->items) {
        const int height = IsSeparator(item) ? kSeparatorHeight : kItemHeight;
        if (!IsSeparator(item)) {
            RECT text{0, 0, 1000, 1000};
            DrawText(dc, item.text, &text, DT_SINGLELINE | DT_CALCRECT);
            width = std::max<int>(width, text.Width() + 2 * kTextIndent + 2 * kFrame);
        }
        t.itemRects.push_back({kFrame + kPadding, y, 0, y + height});
        y += height;
    }
    for (RECT& r : t.itemRects) {
        r.right = width - kFrame - kPadding;
    }
    return {width, y + kPadding + kFrame};
}

int ItemAt(const CMenuTracker& t, POINT p) {
    for (size_t i = 0; i < t.itemRects.size(); ++i) {
        if (t.itemRects[i].Contains(p) && !IsSeparator(t.menu->items[i])) {
            return int(i);
        }
    }
    return -1;
}

void SetHot(CMenuTracker& t, int index) {
    if (index == t.hot) {
        return;
    }
    for (int i : {t.hot, index}) {
        if (i >= 0) {
            InvalidateRect(t.window, &t.itemRects[size_t(i)], false);
        }
    }
    t.hot = index;
}

// The next item that is not a separator, going up or down and wrapping around.
int NextSelectable(const CMenuTracker& t, int from, int step) {
    const int count = int(t.menu->items.size());
    for (int n = 1; n <= count; ++n) {
        const int i =
            ((from < 0 ? (step > 0 ? -1 : count) : from) + step * n % count + count) % count;
        if (!IsSeparator(t.menu->items[size_t(i)])) {
            return i;
        }
    }
    return -1;
}

void Choose(CMenuTracker& t, int index) {
    if (index >= 0) {
        t.chosen = t.menu->items[size_t(index)].id;
    }
    t.done = true;
}

void Paint(CMenuTracker& t) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(t.window, &ps);
    if (dc) {
        RECT client;
        GetClientRect(t.window, &client);
        CGdiHandle<HBRUSH> frame(CreateSolidBrush(kFrameColour));
        CGdiHandle<HBRUSH> background(CreateSolidBrush(kBackground));
        CGdiHandle<HBRUSH> hot(CreateSolidBrush(kHotBackground));
        CGdiHandle<HBRUSH> separator(CreateSolidBrush(kSeparator));
        FillRect(dc, &client, frame);
        RECT inside{kFrame, kFrame, client.right - kFrame, client.bottom - kFrame};
        FillRect(dc, &inside, background);
        SelectObject(dc, MenuFont());
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, kText);
        for (size_t i = 0; i < t.itemRects.size(); ++i) {
            const RECT& r = t.itemRects[i];
            const CMenuItem& item = t.menu->items[i];
            if (IsSeparator(item)) {
                const int mid = (r.top + r.bottom) / 2;
                RECT line{r.left + 4, mid, r.right - 4, mid + 1};
                FillRect(dc, &line, separator);
                continue;
            }
            if (int(i) == t.hot) {
                FillRect(dc, &r, hot);
            }
            RECT text{r.left + kTextIndent - kPadding, r.top, r.right, r.bottom};
            DrawText(dc, item.text, &text, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
        }
    }
    EndPaint(t.window, &ps);
}

LRESULT MenuProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    CMenuTracker* t = t_tracking;
    if (!t || t->window != hwnd) {
        return DefWindowProc(hwnd, msg, wParam, lParam);
    }
    const POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    RECT client;
    GetClientRect(hwnd, &client);
    switch (msg) {
    case WM_PAINT:
        Paint(*t);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_MOUSEMOVE:
        SetHot(*t, client.Contains(p) ? ItemAt(*t, p) : -1);
        return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
        if (!client.Contains(p)) {
            t->done = true; // a press anywhere else closes the menu
        }
        return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
        if (client.Contains(p) && ItemAt(*t, p) >= 0) {
            Choose(*t, ItemAt(*t, p));
        }
        return 0;
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lParam) != hwnd) {
            t->done = true;
        }
        return 0;
    default:
        return DefWindowProc(hwnd, msg, wParam, lParam);
    }
}

// Keys go to whichever window has the focus; while a menu is open they are the menu's.
bool TakeMenuKeys(CMenuTracker& t, MSG& msg) {
    if (msg.message == WM_CHAR || msg.message == WM_KEYUP || msg.message == WM_SYSKEYUP) {
        return true;
    }
    if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) {
        return false;
    }
    switch (msg.wParam) {
    case VK_ESCAPE:
    case VK_MENU:
        t.done = true;
        break;
    case VK_UP:
        SetHot(t, NextSelectable(t, t.hot, -1));
        break;
    case VK_DOWN:
        SetHot(t, NextSelectable(t, t.hot, 1));
        break;
    case VK_RETURN:
    case VK_SPACE:
        if (t.hot >= 0) {
            Choose(t, t.hot);
        }
        break;
    default:
        break;
    }
    return true;
}

POINT PlaceMenu(SIZE size, UINT flags, int x, int y) {
    int left = (flags & TPM_RIGHTALIGN)    ? x - size.cx
               : (flags & TPM_CENTERALIGN) ? x - size.cx / 2
                                           : x;
    int top = (flags & TPM_BOTTOMALIGN)    ? y - size.cy
              : (flags & TPM_VCENTERALIGN) ? y - size.cy / 2
                                           : y;
    const RECT work = Backend().WorkArea();
    if (top + size.cy > work.bottom && y - size.cy >= work.top) {
        top = y - size.cy; // no room below the point: open upwards
    }
    if (left + size.cx > work.right) {
        left = work.right - size.cx;
    }
    left = std::max<int>(left, work.left);
    top = std::clamp<int>(top, work.top, std::max<int>(work.top, work.bottom - size.cy));
    return {left, top};
}

} // namespace

void RegisterMenuClass() {
    RegisterWindowClass(kMenuClass, MenuProc, CS_DBLCLKS, IDC_ARROW);
}

UINT_PTR TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int, HWND owner, const RECT*) {
    if (!menu || menu->items.empty() || t_tracking || (owner && !IsWindow(owner))) {
        return 0;
    }
    CMenuTracker tracker;
    tracker.menu = menu;
    const SIZE size = LayOut(tracker);
    const POINT at = PlaceMenu(size, flags, x, y);
    tracker.window = CreateWindowEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kMenuClass,
                                    L"", WS_POPUP, at.x, at.y, size.cx, size.cy, owner, 0, nullptr);
    if (!tracker.window) {
        return 0;
    }
    t_tracking = &tracker;
    ShowWindow(tracker.window, SW_SHOWNA);
    SetCapture(tracker.window);
    Backend().GrabInput(tracker.window, true);
    RunModalLoop([&] { return tracker.done || !IsWindow(tracker.window); },
                 [&](MSG& msg) { return TakeMenuKeys(tracker, msg); });
    Backend().GrabInput(tracker.window, false);
    if (GetCapture() == tracker.window) {
        ReleaseCapture();
    }
    t_tracking = nullptr;
    DestroyWindow(tracker.window);
    if (tracker.chosen && !(flags & TPM_RETURNCMD) && owner) {
        PostMessage(owner, WM_COMMAND, tracker.chosen, 0);
    }
    return (flags & TPM_RETURNCMD) ? tracker.chosen : UINT_PTR(tracker.chosen != 0);
}

void EndMenu() {
    if (CMenuTracker* t = t_tracking) {
        t->done = true;
        PostMessage(t->window, WM_NULL, 0, 0);
    }
}

// Focus, capture, mouse-leave tracking, cursors, key state and screen metrics.
#include "platform/core/Input.h"

#include "platform/core/Backend.h"
#include "platform/core/MessageLoop.h"
#include "platform/core/Window.h"
#include "platform/core/WindowTable.h"

namespace {
CWindowTable& Table() {
    return CWindowTable::Instance();
}
} // namespace

HWND SetFocus(HWND hwnd) {
    HWND previous;
    {
        std::lock_guard guard(Table().lock);
        auto& table = Table();
        if (hwnd && !table.Find(hwnd)) {
            return nullptr;
        }
        previous = table.focus;
        if (previous == hwnd) {
            return previous;
        }
        table.focus = hwnd;
    }
    if (previous) {
        SendMessage(previous, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hwnd), 0);
    }
    if (hwnd) {
        const HWND root = GetAncestor(hwnd, GA_ROOT);
        if (GetActiveWindow() != root) {
            SetActiveWindow(root);
        }
        SendMessage(hwnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(previous), 0);
    }
    return previous;
}

HWND GetFocus() {
    std::lock_guard guard(Table().lock);
    return Table().focus;
}

HWND SetCapture(HWND hwnd) {
    HWND previous;
    {
        std::lock_guard guard(Table().lock);
        if (!Table().Find(hwnd)) {
            return nullptr;
        }
        previous = Table().capture;
        Table().capture = hwnd;
    }
    if (previous && previous != hwnd) {
        SendMessage(previous, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(hwnd));
    }
    return previous;
}

bool ReleaseCapture() {
    HWND previous;
    {
        std::lock_guard guard(Table().lock);
        previous = Table().capture;
        Table().capture = nullptr;
    }
    if (previous) {
        SendMessage(previous, WM_CAPTURECHANGED, 0, 0);
    }
    return true;
}

HWND GetCapture() {
    std::lock_guard guard(Table().lock);
    return Table().capture;
}

bool TrackMouseEvent(TRACKMOUSEEVENT* request) {
    bool leftAlready = false;
    {
        std::lock_guard guard(Table().lock);
        auto& table = Table();
        if (!table.Find(request->hwndTrack)) {
            return false;
        }
        if (request->dwFlags & TME_CANCEL) {
            if (table.tracked == request->hwndTrack) {
                table.tracked = nullptr;
            }
            return true;
        }
        if (!(request->dwFlags & TME_LEAVE)) {
            return true;
        }
        if (table.HitTest(table.cursorPos, true) == request->hwndTrack) {
            table.tracked = request->hwndTrack;
        } else {
            leftAlready = true;
        }
    }
    // The pointer is not over the window now: the leave is reported at once.
    if (leftAlready) {
        PostMessage(request->hwndTrack, WM_MOUSELEAVE, 0, 0);
    }
    return true;
}

bool GetCursorPos(POINT* point) {
    std::lock_guard guard(Table().lock);
    *point = Table().cursorPos;
    return true;
}

HCURSOR LoadCursor(HCURSOR id) {
    return id;
}

HCURSOR SetCursor(HCURSOR cursor) {
    HCURSOR previous;
    {
        std::lock_guard guard(Table().lock);
        previous = Table().cursor;
        Table().cursor = cursor;
    }
    if (previous != cursor) {
        Backend().CursorChanged(cursor);
    }
    return previous;
}

HCURSOR GetCursor() {
    std::lock_guard guard(Table().lock);
    return Table().cursor;
}

short GetKeyState(int virtualKey) {
    std::lock_guard guard(Table().lock);
    auto it = Table().keysSeen.find(WPARAM(virtualKey));
    return it != Table().keysSeen.end() && it->second ? short(0x8000) : short(0);
}

void NoteRetrievedInput(const MSG& msg) {
    const bool down = msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN;
    const bool up = msg.message == WM_KEYUP || msg.message == WM_SYSKEYUP;
    if (down || up) {
        std::lock_guard guard(Table().lock);
        Table().keysSeen[msg.wParam] = down;
    }
}

int GetSystemMetrics(int index) {
    const RECT screen = Backend().ScreenRect();
    const RECT work = Backend().WorkArea();
    switch (index) {
    case SM_CXSCREEN:
        return screen.Width();
    case SM_CYSCREEN:
        return screen.Height();
    case SM_CXFULLSCREEN:
        return work.Width();
    case SM_CYFULLSCREEN:
        return work.Height();
    case SM_CXICON:
    case SM_CYICON:
        return 32;
    case SM_CXSMICON:
    case SM_CYSMICON:
        return 16;
    default:
        return 0;
    }
}

bool GetMonitorInfo(HWND, MONITORINFO* info) {
    info->rcMonitor = Backend().ScreenRect();
    info->rcWork = Backend().WorkArea();
    return true;
}

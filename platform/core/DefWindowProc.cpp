// The default handling of window messages.
#include "platform/core/Backend.h"
#include "platform/core/Input.h"
#include "platform/core/MessageLoop.h"
#include "platform/core/Paint.h"
#include "platform/core/Window.h"
#include "platform/core/WindowProcedure.h"

namespace {

LRESULT DefaultSetCursor(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    // The parent may choose the cursor for its children.
    if (GetWindowLongPtr(hwnd, GWL_STYLE) & WS_CHILD) {
        if (SendMessage(GetParent(hwnd), WM_SETCURSOR, wParam, lParam)) {
            return 1;
        }
    }
    if (LOWORD(std::uintptr_t(lParam)) != HTCLIENT) {
        return 0;
    }
    // The cursor is the class cursor of the window under the pointer, which may be a child of
    // the window answering.
    WNDCLASS wc;
    const HWND under = reinterpret_cast<HWND>(wParam);
    if (GetClassInfo(GetClassName(under ? under : hwnd), &wc) && wc.hCursor) {
        SetCursor(wc.hCursor);
        return 1;
    }
    return 0;
}

void ReportPositionChange(HWND hwnd, const WINDOWPOS& pos) {
    if (!(pos.flags & SWP_NOMOVE)) {
        SendMessage(hwnd, WM_MOVE, 0, MAKELPARAM(pos.x, pos.y));
    }
    if (!(pos.flags & SWP_NOSIZE)) {
        const WPARAM kind = IsIconic(hwnd)   ? SIZE_MINIMIZED
                            : IsZoomed(hwnd) ? SIZE_MAXIMIZED
                                             : SIZE_RESTORED;
        SendMessage(hwnd, WM_SIZE, kind, MAKELPARAM(pos.cx, pos.cy));
    }
}

// The window keeps one icon of each kind (borrowed: the caller keeps it alive); the desktop
// shows the big one, else the small one.
LRESULT DefaultSetIcon(HWND hwnd, WPARAM kind, LPARAM icon) {
    const WString name = kind == ICON_BIG ? L"IconBig" : L"IconSmall";
    void* previous = GetProp(hwnd, name);
    SetProp(hwnd, name, reinterpret_cast<void*>(icon));
    if (!(GetWindowLongPtr(hwnd, GWL_STYLE) & WS_CHILD)) {
        void* shown = GetProp(hwnd, L"IconBig");
        Backend().TopLevelIconChanged(
            hwnd, static_cast<const CIcon*>(shown ? shown : GetProp(hwnd, L"IconSmall")));
    }
    return reinterpret_cast<LRESULT>(previous);
}

LRESULT DefaultSysCommand(HWND hwnd, WPARAM command) {
    switch (command & 0xFFF0) {
    case SC_CLOSE:
        SendMessage(hwnd, WM_CLOSE, 0, 0);
        break;
    case SC_MINIMIZE:
        ShowWindow(hwnd, SW_MINIMIZE);
        break;
    case SC_MAXIMIZE:
        ShowWindow(hwnd, SW_SHOWMAXIMIZED);
        break;
    case SC_RESTORE:
        ShowWindow(hwnd, SW_RESTORE);
        break;
    case SC_MOVE:
        Backend().BeginUserMove(GetAncestor(hwnd, GA_ROOT));
        break;
    default:
        break;
    }
    return 0;
}

} // namespace

LRESULT DefWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_NCCREATE:
    case WM_NCACTIVATE:
    case WM_MOUSEACTIVATE:
        return 1;
    case WM_NCHITTEST:
        return LRESULT(HTCLIENT);
    case WM_CLOSE:
        DestroyWindow(hwnd);
        return 0;
    case WM_SETTEXT:
        return StoreWindowTitle(hwnd, reinterpret_cast<const wchar_t*>(lParam));
    case WM_GETTEXT:
        return CopyWindowTitle(hwnd, wParam, reinterpret_cast<wchar_t*>(lParam), false);
    case WM_GETTEXTLENGTH:
        return CopyWindowTitle(hwnd, 0, nullptr, true);
    case WM_PAINT: {
        PAINTSTRUCT ps;
        BeginPaint(hwnd, &ps);
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_SETCURSOR:
        return DefaultSetCursor(hwnd, wParam, lParam);
    case WM_WINDOWPOSCHANGED:
        ReportPositionChange(hwnd, *reinterpret_cast<const WINDOWPOS*>(lParam));
        return 0;
    case WM_SYSCOMMAND:
        return DefaultSysCommand(hwnd, wParam);
    case WM_SETICON:
        return DefaultSetIcon(hwnd, wParam, lParam);
    case WM_RBUTTONUP: {
        POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        ClientToScreen(hwnd, &p);
        SendMessage(hwnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hwnd), MAKELPARAM(p.x, p.y));
        return 0;
    }
    case WM_CONTEXTMENU:
        if (GetWindowLongPtr(hwnd, GWL_STYLE) & WS_CHILD) {
            return SendMessage(GetParent(hwnd), msg, wParam, lParam);
        }
        return 0;
    default:
        return 0;
    }
}

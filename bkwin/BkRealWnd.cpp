#include "bkwin/BkRealWnd.h"

#include "bkwin/BkElementNotify.h"
#include "platform/base/WindowStyles.h"
#include "platform/core/MessageLoop.h"
#include "platform/core/Paint.h"
#include "platform/core/Window.h"

HWND CBkRealWnd::RealWindow() const {
    return hostWindow ? GetDlgItem(hostWindow, id) : nullptr;
}

void CBkRealWnd::ShowRealWindows(bool show) {
    if (HWND child = RealWindow()) {
        ShowWindow(child, show ? SW_SHOW : SW_HIDE);
    }
}

void PlaceRealWindow(const CBkWindow& element, HWND child, const RECT& windowRect, HWND insertAfter,
                     UINT flags) {
    const RECT& r = windowRect;
    if (child) {
        SetWindowPos(child, insertAfter, r.left, r.top, r.Width(), r.Height(), flags);
    }
    if (element.hostWindow) {
        RealWndNotify notify;
        notify.hdr = {element.hostWindow, VIEW_CTRL_ID, NOTIFY_REALWND_RESIZED};
        notify.itemId = std::uint32_t(element.id);
        notify.rect = r;
        SendMessage(element.hostWindow, WM_NOTIFY, VIEW_CTRL_ID, LPARAM(&notify));
    }
    if (child && IsWindowVisible(child)) {
        InvalidateRect(child, nullptr, true);
        SetWindowPos(child, nullptr, 0, 0, 0, 0,
                     SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED | SWP_SHOWWINDOW);
    }
}

void CBkRealWnd::OnPositionChanged(const WINDOWPOS* pos) {
    const RECT old = rect;
    LRESULT ignored = 0;
    CBkWindow::HandleMessage(hostWindow, WM_WINDOWPOSCHANGED, 0, LPARAM(pos), ignored);
    if (rect != old) {
        PlaceRealWindow(*this, RealWindow(), rect, HWND_TOP, SWP_NOREDRAW);
    }
}

bool CBkRealWnd::HandleMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (msg) {
    case WM_PAINT:
        result = 0;
        return true;
    case WM_WINDOWPOSCHANGED:
        result = 0;
        if (lParam) {
            OnPositionChanged(reinterpret_cast<const WINDOWPOS*>(lParam));
        }
        return true;
    case WM_SHOWWINDOW:
        CBkWindow::HandleMessage(hwnd, msg, wParam, lParam, result);
        // A window inside a hidden container stays hidden until the container is shown.
        if (wParam && Parent() && !Parent()->IsVisibleDeep()) {
            return true;
        }
        ShowRealWindows(wParam != 0);
        return true;
    case WM_DESTROY:
        if (HWND child = RealWindow(); child && IsWindow(child)) {
            ShowWindow(child, SW_HIDE);
        }
        return CBkWindow::HandleMessage(hwnd, msg, wParam, lParam, result);
    default:
        return CBkWindow::HandleMessage(hwnd, msg, wParam, lParam, result);
    }
}

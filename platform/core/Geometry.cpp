// Showing, enabling, moving and sizing windows; coordinates, regions, z-order and activation.
#include "platform/core/Backend.h"
#include "platform/core/Input.h"
#include "platform/core/MessageLoop.h"
#include "platform/core/Paint.h"
#include "platform/core/Window.h"
#include "platform/core/WindowTable.h"

#include <algorithm>

namespace {

CWindowTable& Table() {
    return CWindowTable::Instance();
}

// Puts a top-level window at the top of its layer (topmost or normal), then the windows it
// owns above it, so owned pop-ups never fall behind their owner.
void RaiseTopLevel(CWindowTable& table, HWND hwnd) {
    CWindow* w = table.Find(hwnd);
    if (!w) {
        return;
    }
    auto& tops = table.topLevels;
    std::erase(tops, hwnd);
    const bool topmost = (w->exStyle & WS_EX_TOPMOST) != 0;
    auto at = topmost ? tops.begin() : std::find_if(tops.begin(), tops.end(), [&](HWND h) {
        CWindow* t = table.Find(h);
        return t && !(t->exStyle & WS_EX_TOPMOST);
    });
    tops.insert(at, hwnd);
    std::vector<HWND> owned;
    for (HWND h : tops) {
        CWindow* t = table.Find(h);
        if (t && t->owner == hwnd) {
            owned.push_back(h);
        }
    }
    for (auto it = owned.rbegin(); it != owned.rend(); ++it) {
        RaiseTopLevel(table, *it);
    }
}

void ApplyZOrder(CWindowTable& table, CWindow& w, HWND insertAfter) {
    if (!w.IsChild()) {
        if (insertAfter == HWND_TOPMOST) {
            w.exStyle |= WS_EX_TOPMOST;
        } else if (insertAfter == HWND_NOTOPMOST) {
            w.exStyle &= ~WS_EX_TOPMOST;
        }
        if (insertAfter == HWND_BOTTOM) {
            std::erase(table.topLevels, w.hwnd);
            table.topLevels.push_back(w.hwnd);
        } else {
            RaiseTopLevel(table, w.hwnd);
        }
        return;
    }
    CWindow* p = table.Find(w.parent);
    if (!p) {
        return;
    }
    auto& siblings = p->children;
    std::erase(siblings, w.hwnd);
    if (insertAfter == HWND_TOP || insertAfter == HWND_TOPMOST || insertAfter == HWND_NOTOPMOST) {
        siblings.insert(siblings.begin(), w.hwnd);
    } else if (insertAfter == HWND_BOTTOM) {
        siblings.push_back(w.hwnd);
    } else {
        auto it = std::find(siblings.begin(), siblings.end(), insertAfter);
        siblings.insert(it == siblings.end() ? siblings.end() : std::next(it), w.hwnd);
    }
}

} // namespace

bool IsWindowVisible(HWND hwnd) {
    std::lock_guard guard(Table().lock);
    CWindow* w = Table().Find(hwnd);
    return w && Table().Visible(*w);
}

bool IsWindowEnabled(HWND hwnd) {
    std::lock_guard guard(Table().lock);
    CWindow* w = Table().Find(hwnd);
    return w && !(w->style & WS_DISABLED);
}

bool IsIconic(HWND hwnd) {
    return (GetWindowLongPtr(hwnd, GWL_STYLE) & WS_MINIMIZE) != 0;
}
bool IsZoomed(HWND hwnd) {
    return (GetWindowLongPtr(hwnd, GWL_STYLE) & WS_MAXIMIZE) != 0;
}

bool EnableWindow(HWND hwnd, bool enable) {
    bool wasDisabled;
    {
        std::lock_guard guard(Table().lock);
        CWindow* w = Table().Find(hwnd);
        if (!w) {
            return false;
        }
        wasDisabled = (w->style & WS_DISABLED) != 0;
        if (wasDisabled == !enable) {
            return wasDisabled;
        }
        w->style = enable ? (w->style & ~WS_DISABLED) : (w->style | WS_DISABLED);
    }
    if (!enable) {
        const HWND focus = GetFocus();
        if (focus == hwnd || IsChild(hwnd, focus)) {
            SetFocus(nullptr);
        }
        if (GetCapture() == hwnd) {
            ReleaseCapture();
        }
    }
    SendMessage(hwnd, WM_ENABLE, enable, 0);
    InvalidateRect(hwnd, nullptr, true);
    return wasDisabled;
}

bool SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int width, int height, UINT flags) {
    WINDOWPOS pos{hwnd, insertAfter, x, y, width, height, flags};
    {
        std::lock_guard guard(Table().lock);
        CWindow* w = Table().Find(hwnd);
        if (!w || hwnd == Table().desktop) {
            return false;
        }
        if (flags & SWP_NOMOVE) {
            pos.x = w->rect.left;
            pos.y = w->rect.top;
        }
        if (flags & SWP_NOSIZE) {
            pos.cx = w->Width();
            pos.cy = w->Height();
        }
    }
    SendMessage(hwnd, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&pos));
    pos.cx = std::max(pos.cx, 0);
    pos.cy = std::max(pos.cy, 0);

    RECT oldRect;
    bool moved, sized, shown, hidden, child, visibleBefore;
    HWND parent;
    {
        std::lock_guard guard(Table().lock);
        CWindow* w = Table().Find(hwnd);
        if (!w) {
            return false;
        }
        oldRect = w->rect;
        child = w->IsChild();
        parent = w->parent;
        moved = pos.x != oldRect.left || pos.y != oldRect.top;
        sized = pos.cx != oldRect.Width() || pos.cy != oldRect.Height();
        visibleBefore = (w->style & WS_VISIBLE) != 0;
        shown = (flags & SWP_SHOWWINDOW) && !visibleBefore;
        hidden = (flags & SWP_HIDEWINDOW) && visibleBefore;
    }
    if (moved || sized || (flags & SWP_FRAMECHANGED)) {
        NCCALCSIZE_PARAMS ncp;
        ncp.rgrc[0] = {pos.x, pos.y, pos.x + pos.cx, pos.y + pos.cy};
        ncp.rgrc[1] = oldRect;
        ncp.rgrc[2] = oldRect;
        ncp.lppos = &pos;
        SendMessage(hwnd, WM_NCCALCSIZE, 1, reinterpret_cast<LPARAM>(&ncp));
    }
    {
        std::lock_guard guard(Table().lock);
        auto& table = Table();
        CWindow* w = table.Find(hwnd);
        if (!w) {
            return false;
        }
        w->rect = {pos.x, pos.y, pos.x + pos.cx, pos.y + pos.cy};
        if (!(flags & SWP_NOZORDER)) {
            ApplyZOrder(table, *w, pos.hwndInsertAfter);
        }
        if (shown) {
            w->style |= WS_VISIBLE;
        }
        if (hidden) {
            w->style &= ~WS_VISIBLE;
        }
    }

    if (!child) {
        if (moved || sized) {
            RECT r;
            GetWindowRect(hwnd, &r);
            Backend().TopLevelMoved(hwnd, r);
        }
        if (!(flags & SWP_NOZORDER)) {
            Backend().TopLevelRaised(hwnd);
        }
        if (shown || hidden) {
            Backend().TopLevelShown(hwnd, shown && !IsIconic(hwnd));
        }
    }
    if (hidden) {
        const HWND focus = GetFocus();
        if (focus == hwnd || IsChild(hwnd, focus)) {
            SetFocus(child ? parent : nullptr);
        }
        if (!child && GetActiveWindow() == hwnd) {
            SetActiveWindow(nullptr);
        }
    }
    if (!(flags & SWP_NOREDRAW)) {
        const bool changed = moved || sized || shown || hidden || (flags & SWP_FRAMECHANGED);
        if (child && changed && (visibleBefore || shown)) {
            InvalidateRect(parent, &oldRect, true);
        }
        if (changed && !hidden) {
            InvalidateRect(hwnd, nullptr, true);
        }
    }
    if (shown && !child && !(flags & SWP_NOACTIVATE) &&
        !(GetWindowLongPtr(hwnd, GWL_EXSTYLE) & WS_EX_NOACTIVATE)) {
        SetActiveWindow(hwnd);
    }
    SendMessage(hwnd, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&pos));
    return true;
}

bool MoveWindow(HWND hwnd, int x, int y, int width, int height, bool repaint) {
    return SetWindowPos(hwnd, nullptr, x, y, width, height,
                        SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW));
}

bool ShowWindow(HWND hwnd, int command) {
    DWORD style;
    RECT restoreRect;
    {
        std::lock_guard guard(Table().lock);
        CWindow* w = Table().Find(hwnd);
        if (!w) {
            return false;
        }
        style = w->style;
        restoreRect = w->restoreRect;
    }
    const bool wasVisible = (style & WS_VISIBLE) != 0;
    const bool minimized = (style & WS_MINIMIZE) != 0;
    const bool maximized = (style & WS_MAXIMIZE) != 0;
    const bool activate = command != SW_SHOWNA && command != SW_SHOWNOACTIVATE &&
                          command != SW_SHOWMINNOACTIVE && command != SW_MINIMIZE;

    if (command == SW_HIDE) {
        if (wasVisible) {
            SendMessage(hwnd, WM_SHOWWINDOW, 0, 0);
            SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                         SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
        return wasVisible;
    }

    auto setState = [&](DWORD set, DWORD clear, bool saveRect) {
        std::lock_guard guard(Table().lock);
        CWindow* w = Table().Find(hwnd);
        if (!w) {
            return;
        }
        if (saveRect && !(w->style & (WS_MINIMIZE | WS_MAXIMIZE))) {
            w->restoreRect = w->rect;
        }
        w->style = (w->style & ~clear) | set;
    };

    if (!wasVisible) {
        SendMessage(hwnd, WM_SHOWWINDOW, 1, 0);
    }
    const UINT showFlags = SWP_SHOWWINDOW | SWP_NOZORDER | (activate ? 0 : SWP_NOACTIVATE);
    switch (command) {
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE:
    case SW_SHOWMINNOACTIVE:
        setState(WS_MINIMIZE, 0, true);
        SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, showFlags | SWP_NOMOVE | SWP_NOSIZE);
        if (!(GetWindowLongPtr(hwnd, GWL_STYLE) & WS_CHILD)) {
            Backend().TopLevelShown(hwnd, false);
            if (GetActiveWindow() == hwnd) {
                SetActiveWindow(nullptr);
            }
        }
        SendMessage(hwnd, WM_SIZE, SIZE_MINIMIZED, 0);
        break;
    case SW_SHOWMAXIMIZED: {
        setState(WS_MAXIMIZE, WS_MINIMIZE, true);
        const RECT work = Backend().WorkArea();
        MINMAXINFO mmi;
        mmi.ptMaxPosition = {work.left, work.top};
        mmi.ptMaxSize = {work.Width(), work.Height()};
        mmi.ptMaxTrackSize = mmi.ptMaxSize;
        SendMessage(hwnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
        if (minimized && wasVisible && !(style & WS_CHILD)) {
            Backend().TopLevelShown(hwnd, true);
        }
        SetWindowPos(hwnd, nullptr, mmi.ptMaxPosition.x, mmi.ptMaxPosition.y, mmi.ptMaxSize.x,
                     mmi.ptMaxSize.y, showFlags | SWP_FRAMECHANGED);
        break;
    }
    default: {
        const bool restore =
            (minimized || maximized) && (command == SW_SHOWNORMAL || command == SW_RESTORE);
        if (restore) {
            // Restoring a minimised window that was maximised before brings the maximised size.
            setState(0, WS_MINIMIZE | (minimized ? 0 : WS_MAXIMIZE), false);
            if (!(style & WS_CHILD)) {
                Backend().TopLevelShown(hwnd, true);
            }
            if (maximized && !minimized) {
                SetWindowPos(hwnd, nullptr, restoreRect.left, restoreRect.top, restoreRect.Width(),
                             restoreRect.Height(), showFlags | SWP_FRAMECHANGED);
            } else {
                SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                             showFlags | SWP_NOMOVE | SWP_NOSIZE | SWP_FRAMECHANGED);
            }
        } else {
            SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, showFlags | SWP_NOMOVE | SWP_NOSIZE);
        }
        if (activate && !(style & WS_CHILD)) {
            SetActiveWindow(hwnd);
        }
        break;
    }
    }
    return wasVisible;
}

bool GetWindowRect(HWND hwnd, RECT* rect) {
    std::lock_guard guard(Table().lock);
    CWindow* w = Table().Find(hwnd);
    if (!w) {
        return false;
    }
    *rect = Table().ScreenRect(*w);
    return true;
}

bool GetClientRect(HWND hwnd, RECT* rect) {
    std::lock_guard guard(Table().lock);
    CWindow* w = Table().Find(hwnd);
    if (!w) {
        return false;
    }
    const RECT r = Table().ScreenRect(*w);
    *rect = {0, 0, r.Width(), r.Height()};
    return true;
}

void MapWindowPoints(HWND from, HWND to, POINT* points, int count) {
    std::lock_guard guard(Table().lock);
    auto& table = Table();
    POINT offset{0, 0};
    if (CWindow* f = from ? table.Find(from) : nullptr) {
        const POINT o = table.ScreenOrigin(*f);
        offset.x += o.x;
        offset.y += o.y;
    }
    if (CWindow* t = to ? table.Find(to) : nullptr) {
        const POINT o = table.ScreenOrigin(*t);
        offset.x -= o.x;
        offset.y -= o.y;
    }
    for (int i = 0; i < count; ++i) {
        points[i].x += offset.x;
        points[i].y += offset.y;
    }
}

bool ClientToScreen(HWND hwnd, POINT* point) {
    if (!IsWindow(hwnd)) {
        return false;
    }
    MapWindowPoints(hwnd, nullptr, point, 1);
    return true;
}

bool ScreenToClient(HWND hwnd, POINT* point) {
    if (!IsWindow(hwnd)) {
        return false;
    }
    MapWindowPoints(nullptr, hwnd, point, 1);
    return true;
}

bool SetWindowRgn(HWND hwnd, const CRegion* region, bool redraw) {
    bool topLevel;
    CRegion shape;
    {
        std::lock_guard guard(Table().lock);
        CWindow* w = Table().Find(hwnd);
        if (!w) {
            return false;
        }
        if (region && !region->IsEmpty()) {
            w->shape = *region;
            shape = *region;
        } else {
            w->shape.reset();
        }
        topLevel = !w->IsChild();
    }
    if (topLevel) {
        Backend().TopLevelRegionChanged(hwnd, shape);
    }
    if (redraw) {
        InvalidateRect(hwnd, nullptr, true);
    }
    return true;
}

void CentreWindowOn(HWND hwnd, HWND owner) {
    const bool onOwner = owner && IsWindowVisible(owner) && !IsIconic(owner);
    MONITORINFO monitor;
    if (!GetMonitorInfo(onOwner ? owner : hwnd, &monitor)) {
        return;
    }
    const RECT& work = monitor.rcWork;
    RECT target = work;
    if (onOwner) {
        GetWindowRect(owner, &target);
    }
    RECT own;
    GetWindowRect(hwnd, &own);
    const LONG width = own.Width();
    const LONG height = own.Height();
    LONG x = target.left + (target.Width() - width) / 2;
    LONG y = target.top + (target.Height() - height) / 2;
    x = std::max(work.left, std::min(x, work.right - width));
    y = std::max(work.top, std::min(y, work.bottom - height));
    SetWindowPos(hwnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool GetWindowRgn(HWND hwnd, CRegion* region) {
    std::lock_guard guard(Table().lock);
    CWindow* w = Table().Find(hwnd);
    if (!w || !w->shape) {
        return false;
    }
    *region = *w->shape;
    return true;
}

bool BringWindowToTop(HWND hwnd) {
    return SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

HWND WindowFromPoint(POINT screenPoint) {
    std::lock_guard guard(Table().lock);
    return Table().HitTest(screenPoint, false);
}

HWND ChildWindowFromPoint(HWND parent, POINT clientPoint) {
    std::lock_guard guard(Table().lock);
    auto& table = Table();
    CWindow* p = table.Find(parent);
    if (!p) {
        return nullptr;
    }
    if (!RECT{0, 0, p->Width(), p->Height()}.Contains(clientPoint)) {
        return nullptr;
    }
    for (HWND h : p->children) {
        CWindow* c = table.Find(h);
        if (c && c->rect.Contains(clientPoint)) {
            return h;
        }
    }
    return parent;
}

HWND GetActiveWindow() {
    std::lock_guard guard(Table().lock);
    return Table().active;
}

HWND GetForegroundWindow() {
    return GetActiveWindow();
}

HWND SetActiveWindow(HWND hwnd) {
    HWND previous;
    {
        std::lock_guard guard(Table().lock);
        auto& table = Table();
        if (hwnd) {
            CWindow* w = table.Find(hwnd);
            if (!w) {
                return nullptr;
            }
            hwnd = table.Root(hwnd);
        }
        previous = table.active;
        if (previous == hwnd) {
            return previous;
        }
        table.active = hwnd;
    }
    if (previous && IsWindow(previous)) {
        SendMessage(previous, WM_NCACTIVATE, 0, 0);
        SendMessage(previous, WM_ACTIVATE, 0, reinterpret_cast<LPARAM>(hwnd));
    }
    if (hwnd) {
        SendMessage(hwnd, WM_NCACTIVATE, 1, 0);
        SendMessage(hwnd, WM_ACTIVATE, 1, reinterpret_cast<LPARAM>(previous));
        Backend().TopLevelActivated(hwnd);
        const HWND focus = GetFocus();
        if (focus != hwnd && !IsChild(hwnd, focus)) {
            SetFocus(hwnd);
        }
    }
    return previous;
}

bool SetForegroundWindow(HWND hwnd) {
    if (!IsWindow(hwnd)) {
        return false;
    }
    SetActiveWindow(hwnd);
    BringWindowToTop(GetAncestor(hwnd, GA_ROOT));
    return true;
}

// Invalid regions, WM_PAINT generation and the paint device context.
#include "platform/core/Paint.h"

#include "platform/core/MessageLoop.h"
#include "platform/core/PaintDC.h"
#include "platform/core/PaintQueue.h"
#include "platform/core/ThreadQueue.h"
#include "platform/core/Window.h"
#include "platform/core/WindowTable.h"

namespace {

CWindowTable& Table() {
    return CWindowTable::Instance();
}

// Adds `area` (client coordinates, already inside the client area) to the window and to the
// visible children it covers. Lock held.
void AddInvalid(CWindowTable& table, CWindow& w, const CRegion& area, bool erase) {
    if (area.IsEmpty()) {
        return;
    }
    w.invalid = w.invalid.Union(area);
    w.eraseBackground = w.eraseBackground || erase;
    for (HWND h : w.children) {
        CWindow* c = table.Find(h);
        if (!c || !(c->style & WS_VISIBLE)) {
            continue;
        }
        const CRegion childArea = area.Offset(-c->rect.left, -c->rect.top)
                                      .Intersect(CRegion(RECT{0, 0, c->Width(), c->Height()}));
        AddInvalid(table, *c, childArea, erase);
    }
}

bool Invalidate(HWND hwnd, const CRegion* region, bool erase) {
    DWORD owner;
    {
        std::lock_guard guard(Table().lock);
        CWindow* w = Table().Find(hwnd);
        if (!w || hwnd == Table().desktop) {
            return false;
        }
        const CRegion client(RECT{0, 0, w->Width(), w->Height()});
        AddInvalid(Table(), *w, region ? region->Intersect(client) : client, erase);
        owner = w->threadId;
    }
    if (owner != GetCurrentThreadId()) {
        if (auto queue = CThreadQueue::ForThread(owner)) {
            queue->Wake();
        }
    }
    return true;
}

// Depth-first, parents before children: the first window of `thread` that is shown, needs
// painting and lies in the filter window's tree. Lock held.
HWND FindPaintable(CWindowTable& table, HWND hwnd, DWORD thread, HWND filter, bool inFilter) {
    CWindow* w = table.Find(hwnd);
    if (!w || !(w->style & WS_VISIBLE) || (w->style & WS_MINIMIZE)) {
        return nullptr;
    }
    inFilter = inFilter || hwnd == filter;
    if (inFilter && w->threadId == thread && !w->invalid.IsEmpty()) {
        return hwnd;
    }
    for (HWND child : w->children) {
        if (HWND found = FindPaintable(table, child, thread, filter, inFilter)) {
            return found;
        }
    }
    return nullptr;
}

} // namespace

bool TakePaint(MSG* msg, HWND filter) {
    std::lock_guard guard(Table().lock);
    auto& table = Table();
    const DWORD thread = GetCurrentThreadId();
    for (HWND top : table.topLevels) {
        if (HWND found = FindPaintable(table, top, thread, filter, filter == nullptr)) {
            *msg = MSG{};
            msg->hwnd = found;
            msg->message = WM_PAINT;
            return true;
        }
    }
    return false;
}

bool InvalidateRect(HWND hwnd, const RECT* rect, bool erase) {
    if (!rect) {
        return Invalidate(hwnd, nullptr, erase);
    }
    const CRegion region(*rect);
    return Invalidate(hwnd, &region, erase);
}

bool InvalidateRgn(HWND hwnd, const CRegion* region, bool erase) {
    return Invalidate(hwnd, region, erase);
}

bool ValidateRect(HWND hwnd, const RECT* rect) {
    std::lock_guard guard(Table().lock);
    CWindow* w = Table().Find(hwnd);
    if (!w) {
        return false;
    }
    w->invalid = rect ? w->invalid.Subtract(CRegion(*rect)) : CRegion();
    if (w->invalid.IsEmpty()) {
        w->eraseBackground = false;
    }
    return true;
}

bool GetUpdateRect(HWND hwnd, RECT* rect) {
    std::lock_guard guard(Table().lock);
    CWindow* w = Table().Find(hwnd);
    if (!w) {
        return false;
    }
    if (rect) {
        *rect = w->invalid.Bounds();
    }
    return !w->invalid.IsEmpty();
}

CRegion GetUpdateRegion(HWND hwnd) {
    std::lock_guard guard(Table().lock);
    CWindow* w = Table().Find(hwnd);
    return w ? w->invalid : CRegion();
}

bool UpdateWindow(HWND hwnd) {
    std::vector<HWND> tree{hwnd};
    for (size_t i = 0; i < tree.size(); ++i) {
        const HWND h = tree[i];
        if (IsWindowVisible(h) && GetUpdateRect(h, nullptr)) {
            SendMessage(h, WM_PAINT, 0, 0);
        }
        std::lock_guard guard(Table().lock);
        if (CWindow* w = Table().Find(h)) {
            tree.insert(tree.end(), w->children.begin(), w->children.end());
        }
    }
    return IsWindow(hwnd);
}

CRegion GetVisibleRegion(HWND hwnd) {
    std::lock_guard guard(Table().lock);
    auto& table = Table();
    CWindow* w = table.Find(hwnd);
    if (!w) {
        return {};
    }
    CRegion visible(RECT{0, 0, w->Width(), w->Height()});
    if (w->shape) {
        visible = visible.Intersect(*w->shape);
    }
    if (w->style & WS_CLIPCHILDREN) {
        for (HWND h : w->children) {
            CWindow* c = table.Find(h);
            if (c && (c->style & WS_VISIBLE)) {
                visible = visible.Subtract(c->shape ? c->shape->Offset(c->rect.left, c->rect.top)
                                                    : CRegion(c->rect));
            }
        }
    }
    // Walk up: each ancestor's client area (and shape) bounds what shows of the window.
    POINT offset{0, 0}; // the window's origin in the current ancestor's client coordinates
    for (CWindow* cur = w; cur->IsChild();) {
        CWindow* p = table.Find(cur->parent);
        if (!p) {
            break;
        }
        offset.x += cur->rect.left;
        offset.y += cur->rect.top;
        if (cur->style & WS_CLIPSIBLINGS) {
            for (HWND h : p->children) {
                if (h == cur->hwnd) {
                    break; // siblings after this one lie below it
                }
                CWindow* s = table.Find(h);
                if (s && (s->style & WS_VISIBLE)) {
                    visible = visible.Subtract(CRegion(s->rect).Offset(-offset.x, -offset.y));
                }
            }
        }
        CRegion parentArea(RECT{0, 0, p->Width(), p->Height()});
        if (p->shape) {
            parentArea = parentArea.Intersect(*p->shape);
        }
        visible = visible.Intersect(parentArea.Offset(-offset.x, -offset.y));
        cur = p;
    }
    return visible;
}

HDC BeginPaint(HWND hwnd, PAINTSTRUCT* ps) {
    CRegion invalid;
    bool erase;
    {
        std::lock_guard guard(Table().lock);
        CWindow* w = Table().Find(hwnd);
        if (!w) {
            return nullptr;
        }
        invalid = w->invalid;
        erase = w->eraseBackground;
        w->invalid = CRegion();
        w->eraseBackground = false;
    }
    ps->rcPaint = invalid.Bounds();
    ps->hdc = CreateWindowPaintDC(hwnd, invalid.Intersect(GetVisibleRegion(hwnd)));
    ps->fErase = erase && !SendMessage(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(ps->hdc), 0);
    return ps->hdc;
}

bool EndPaint(HWND, const PAINTSTRUCT* ps) {
    if (ps->hdc) {
        ReleaseWindowPaintDC(ps->hdc);
    }
    return true;
}

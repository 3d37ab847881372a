#include "platform/core/WindowTable.h"

#include "platform/core/Backend.h"

CWindowTable& CWindowTable::Instance() {
    static CWindowTable table;
    return table;
}

CWindowTable::CWindowTable() {
    auto desk = std::make_unique<CWindow>();
    desk->hwnd = NewHandle();
    desk->className = L"#32769";
    desk->style = WS_VISIBLE;
    desktop = desk->hwnd;
    windows.emplace(desk->hwnd, std::move(desk));
}

CWindow* CWindowTable::Find(HWND hwnd) {
    auto it = windows.find(hwnd);
    if (it == windows.end() || it->second->zombie) {
        return nullptr;
    }
    return it->second.get();
}

HWND CWindowTable::NewHandle() {
    return reinterpret_cast<HWND>(m_nextHandle++);
}

POINT CWindowTable::ScreenOrigin(const CWindow& w) {
    if (w.hwnd == desktop) {
        const RECT screen = Backend().ScreenRect();
        return {screen.left, screen.top};
    }
    POINT origin{w.rect.left, w.rect.top};
    for (const CWindow* p = w.IsChild() ? Find(w.parent) : nullptr; p;
         p = p->IsChild() ? Find(p->parent) : nullptr) {
        origin.x += p->rect.left;
        origin.y += p->rect.top;
    }
    return origin;
}

RECT CWindowTable::ScreenRect(const CWindow& w) {
    if (w.hwnd == desktop) {
        return Backend().ScreenRect();
    }
    const POINT o = ScreenOrigin(w);
    return {o.x, o.y, o.x + w.Width(), o.y + w.Height()};
}

HWND CWindowTable::Root(HWND hwnd) {
    CWindow* w = Find(hwnd);
    while (w && w->IsChild()) {
        CWindow* p = Find(w->parent);
        if (!p) {
            break;
        }
        w = p;
    }
    return w ? w->hwnd : nullptr;
}

bool CWindowTable::Visible(const CWindow& w) {
    for (const CWindow* p = &w; p; p = p->IsChild() ? Find(p->parent) : nullptr) {
        if (!(p->style & WS_VISIBLE) || (p->style & WS_MINIMIZE)) {
            return false;
        }
    }
    return true;
}

bool CWindowTable::ShapeContains(const CWindow& w, POINT screenPoint) {
    if (!w.shape) {
        return true;
    }
    const RECT r = ScreenRect(w);
    return w.shape->Contains({screenPoint.x - r.left, screenPoint.y - r.top});
}

HWND CWindowTable::HitTestChildren(const CWindow& parent, POINT screenPoint, bool enabledOnly) {
    for (HWND childHandle : parent.children) {
        const CWindow* child = Find(childHandle);
        if (!child || !(child->style & WS_VISIBLE) ||
            (enabledOnly && (child->style & WS_DISABLED))) {
            continue;
        }
        if (ScreenRect(*child).Contains(screenPoint) && ShapeContains(*child, screenPoint)) {
            HWND deeper = HitTestChildren(*child, screenPoint, enabledOnly);
            return deeper ? deeper : child->hwnd;
        }
    }
    return nullptr;
}

HWND CWindowTable::HitTest(POINT screenPoint, bool enabledOnly) {
    for (HWND top : topLevels) {
        const CWindow* w = Find(top);
        if (!w || !(w->style & WS_VISIBLE) || (w->style & WS_MINIMIZE)) {
            continue;
        }
        if (!ScreenRect(*w).Contains(screenPoint) || !ShapeContains(*w, screenPoint)) {
            continue;
        }
        if (enabledOnly && (w->style & WS_DISABLED)) {
            return nullptr;
        }
        HWND deeper = HitTestChildren(*w, screenPoint, enabledOnly);
        return deeper ? deeper : w->hwnd;
    }
    return nullptr;
}

#include "platform/base/Types.h"

#include <algorithm>

RECT IntersectRects(const RECT& a, const RECT& b) {
    RECT r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
           std::min(a.bottom, b.bottom)};
    return r.IsEmpty() ? RECT{} : r;
}

RECT BoundingRect(const RECT& a, const RECT& b) {
    if (a.IsEmpty()) {
        return b.IsEmpty() ? RECT{} : b;
    }
    if (b.IsEmpty()) {
        return a;
    }
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
            std::max(a.bottom, b.bottom)};
}

RECT OffsetRectBy(const RECT& r, LONG dx, LONG dy) {
    return {r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
}

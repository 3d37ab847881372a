#include "bkwin/BkPanel.h"

#include <algorithm>
#include <vector>

namespace {

// One placement: the position and the available size the child measured itself against.
// Moving a child repeats the placement elsewhere with the same available size, so its size
// and the layout of its own children stay the same.
struct Placement {
    CBkWindow* child;
    int x;
    int y;
    int cx;
    int cy;

    void Apply() const {
        WINDOWPOS pos;
        pos.x = x;
        pos.y = y;
        pos.cx = cx;
        pos.cy = cy;
        SendElementMessage(child, WM_WINDOWPOSCHANGED, 0, LPARAM(&pos));
    }
    void MoveBy(int dx, int dy) {
        if (dx != 0 || dy != 0) {
            x += dx;
            y += dy;
            Apply();
        }
    }
};

int AlignOffset(int free, int align, int middle, int far) {
    if (align == middle) {
        return free / 2;
    }
    return align == far ? free : 0;
}

} // namespace

bool CBkPanel::HandleMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (msg == WM_WINDOWPOSCHANGED) {
        CBkContainerWnd::HandleMessage(hwnd, msg, wParam, lParam, result);
        FlowChildren();
        return true;
    }
    return CBkContainerWnd::HandleMessage(hwnd, msg, wParam, lParam, result);
}

void CBkPanel::FlowChildren() {
    const RECT inner = InnerArea();
    std::vector<Placement> line;
    int x = inner.left;
    int lineTop = inner.top;
    int lineHeight = 0;
    const auto finishLine = [&] {
        const int height = std::max(lineHeight, style.lineSpacing);
        for (Placement& placed : line) {
            placed.MoveBy(0, AlignOffset(height - placed.child->rect.Height(), placed.child->vAlign,
                                         VALIGN_MIDDLE, VALIGN_BOTTOM));
        }
        line.clear();
        lineTop += height;
        x = inner.left;
        lineHeight = 0;
    };
    for (const std::unique_ptr<CBkWindow>& owned : children) {
        CBkWindow* child = owned.get();
        if (child->state & STATE_HIDDEN) {
            continue;
        }
        if (child->posFlags & POS_FLOATING) {
            Placement placed{child, inner.left, inner.top, inner.Width(), inner.Height()};
            placed.Apply();
            placed.MoveBy(AlignOffset(inner.Width() - child->rect.Width(), child->hAlign,
                                      HALIGN_CENTER, HALIGN_RIGHT),
                          AlignOffset(inner.Height() - child->rect.Height(), child->vAlign,
                                      VALIGN_MIDDLE, VALIGN_BOTTOM));
            continue;
        }
        Placement placed{child, x, lineTop, int(inner.right) - x, int(inner.bottom) - lineTop};
        placed.Apply();
        if (!line.empty() && child->rect.right > inner.right) {
            finishLine();
            placed = {child, x, lineTop, inner.Width(), int(inner.bottom) - lineTop};
            placed.Apply();
        }
        line.push_back(placed);
        lineHeight = std::max(lineHeight, int(child->rect.Height()));
        x = child->rect.right + style.spacing;
    }
    if (!line.empty()) {
        finishLine();
    }
}

#include "bkwin/BkDialog.h"

bool CBkDialog::HandleMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (msg == WM_WINDOWPOSCHANGED) {
        // Placing itself is the element base's; the panel's flow does not apply here.
        CBkWindow::HandleMessage(hwnd, msg, wParam, lParam, result);
        LayoutChildren();
        return true;
    }
    return CBkPanel::HandleMessage(hwnd, msg, wParam, lParam, result);
}

void CBkDialog::LayoutChild(CBkWindow* child) {
    const RECT inner = InnerArea();
    WINDOWPOS pos;
    // A child without "pos" has items of 0: it sits at the inner top-left corner.
    pos.x = ResolvePosItem(child->posItems[0], inner.left, inner.Width());
    pos.y = ResolvePosItem(child->posItems[1], inner.top, inner.Height());
    pos.cx = inner.Width();
    pos.cy = inner.Height();
    SendElementMessage(child, WM_WINDOWPOSCHANGED, 0, LPARAM(&pos));
}

// Small element classes for tests: a leaf with the element base's behaviour, and one that
// records how the real-window walk reaches it.
#pragma once

#include "bkwin/BkDialog.h"

#include <vector>

class CTestLeaf : public CBkWindow {
public:
    const char* TagName() const override { return "leaf"; }
};

class CTestRealWindow : public CBkWindow {
public:
    const char* TagName() const override { return "realwnd"; }
    void ShowRealWindows(bool show) override { shown.push_back(show); }
    std::vector<bool> shown;
};

// Places a root element at (x, y) with the available size, as a host does.
inline void PlaceRoot(CBkWindow& root, int x, int y, int cx, int cy) {
    WINDOWPOS pos;
    pos.x = x;
    pos.y = y;
    pos.cx = cx;
    pos.cy = cy;
    SendElementMessage(&root, WM_WINDOWPOSCHANGED, 0, LPARAM(&pos));
}

// Appends a "dlg" child with the position text (loading flag set) and answers it.
inline CBkDialog* AddDialog(CBkContainerWnd& parent, const char* pos) {
    auto* child = static_cast<CBkDialog*>(parent.AppendChild(std::make_unique<CBkDialog>()));
    child->ApplyAttribute("pos", pos, true);
    return child;
}

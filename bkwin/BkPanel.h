// The "div" container: places its in-flow children left to right, wrapping into lines, and
// its floating children by their alignment.
#pragma once

#include "bkwin/BkContainerWnd.h"

class CBkPanel : public CBkContainerWnd {
public:
    static constexpr const char* kTag = "div";
    const char* TagName() const override { return kTag; }

    bool HandleMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    // In-flow children go left to right from the inner top-left corner, `spacing` apart; a
    // child that would pass the inner right edge starts a new line (unless it is first on its
    // line). A line is as tall as its tallest child, at least `lineSpacing`. Each child sits in
    // its line by its own `valign`. Floating children are placed in the inner area by their
    // `align` and `valign`.
    void FlowChildren();
};

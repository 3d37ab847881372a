// The "check" element: a check glyph at the left edge with the text beside it; a click
// toggles STATE_CHECKED.
#pragma once

#include "bkwin/BkGlyphBox.h"

class CBkCheckBox : public CBkGlyphBox {
public:
    static constexpr const char* kTag = "check";
    CBkCheckBox();
    const char* TagName() const override { return kTag; }
    bool HandleMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
};

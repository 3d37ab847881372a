// The "check" element: a check glyph at the left edge with the text beside it; a click
// toggles STATE_CHECKED.
#pragma once

#include "bkwin/BkWindow.h"

class CBkCheckBox : public CBkWindow {
public:
    static constexpr const char* kTag = "check";
    const char* TagName() const override { return kTag; }

    // check (stored only: it does not change the checked state).
    HRESULT ApplyAttribute(std::string_view name, std::string_view value, bool loading) override;
    bool RepaintsOnStateChange() override { return true; }
    bool HandleMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

    std::int32_t checkValue = 0;
};

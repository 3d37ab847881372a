// The "hr" element: one straight line from the rectangle's top-left to its bottom-right corner
// in the background colour; equal top and bottom make a horizontal rule.
#pragma once

#include "bkwin/BkWindow.h"

class CBkLine : public CBkWindow {
public:
    static constexpr const char* kTag = "hr";
    const char* TagName() const override { return kTag; }

    // size (pen width), style (solid, dash, dot, dashdot, dashdotdot).
    HRESULT ApplyAttribute(std::string_view name, std::string_view value, bool loading) override;
    // Paints the line alone: crbg is the line's colour, not a background to fill. The region
    // test uses the line's reach (the pen width around a possibly empty rectangle).
    bool PaintRegion(HDC dc, HRGN region) override;
    bool HandleMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

    std::int32_t penStyle = 0;
    std::int32_t penWidth = 1;
};

// What the "check" and "radio" elements share: a glyph at the left edge with the element's
// text beside it, measured and painted together, and the stored "check" attribute.
#pragma once

#include "bkwin/BkWindow.h"

class CBkGlyphBox : public CBkWindow {
public:
    // check (stored only: it does not change the checked state).
    HRESULT ApplyAttribute(std::string_view name, std::string_view value, bool loading) override;
    bool RepaintsOnStateChange() override { return true; }
    // Paints (WM_PAINT) and measures (WM_NCCALCSIZE) glyph and text; anything else goes to
    // the base.
    bool HandleMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

    std::int32_t checkValue = 0;

protected:
    struct CGlyphLook {
        UINT kind;          // DFCS_BUTTONCHECK or DFCS_BUTTONRADIO
        int glyphSize;      // width; also the height of a square glyph
        bool square;        // a square centred vertically, else as high as the element
        int textIndent;     // the text starts this far right of the left edge
        UINT extraTextMode; // added to the style's text mode, with DT_VCENTER
    };
    explicit CBkGlyphBox(const CGlyphLook& look) : m_look(look) {}

private:
    CGlyphLook m_look;
};

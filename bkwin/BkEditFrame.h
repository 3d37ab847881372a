// The frame of the edit and combo boxes: one pixel in the normal colour, two pixels in the
// hover colour while the mouse is over the box or its window.
#pragma once

#include "platform/base/Types.h"
#include "platform/draw/GdiObject.h"
#include "platform/draw/Pen.h"

class CBkEditFrame {
public:
    static constexpr COLORREF kNormalColour = 0xD1A04E;
    static constexpr COLORREF kHoverColour = 0xFFE485;

    // Draws the frame inside `rect` with the null brush; the pens are made on first use and
    // kept for the owner's life.
    void Draw(HDC dc, const RECT& rect, bool hover);

private:
    CGdiHandle<HPEN> m_normalPen;
    CGdiHandle<HPEN> m_hoverPen;
};

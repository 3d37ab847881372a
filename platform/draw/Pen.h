// Pens: the outline of rectangles and the stroke of lines.
#pragma once

#include "platform/draw/GdiObject.h"

#include <algorithm>

constexpr int PS_SOLID = 0;
constexpr int PS_DASH = 1;
constexpr int PS_DOT = 2;
constexpr int PS_DASHDOT = 3;
constexpr int PS_DASHDOTDOT = 4;
constexpr int PS_NULL = 5;
// Like PS_SOLID, but a rectangle's outline lies wholly inside the rectangle.
constexpr int PS_INSIDEFRAME = 6;

class CPen : public CGdiObject {
public:
    static constexpr int kMaxWidth = 4096;
    static constexpr GdiKind kKind = GdiKind::Pen;
    CPen(int style, int width, COLORREF colour, bool stock = false)
        : CGdiObject(kKind, stock), m_style(style), m_width(std::clamp(width, 1, kMaxWidth)),
          m_colour(colour) {}

    int Style() const { return m_style; }
    int Width() const { return m_width; }
    COLORREF Colour() const { return m_colour; }

private:
    int m_style;
    int m_width; // in pixels; 0 asks for the thinnest pen, which is 1; at most kMaxWidth
    COLORREF m_colour;
};

// An unknown style gives null.
HPEN CreatePen(int style, int width, COLORREF colour);

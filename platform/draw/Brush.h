// Brushes: solid fills, the null brush, and the system colours.
#pragma once

#include "platform/draw/GdiObject.h"

class CBrush : public CGdiObject {
public:
    static constexpr GdiKind kKind = GdiKind::Brush;
    // A brush without a colour draws nothing (the null brush).
    CBrush(bool hollow, COLORREF colour, bool stock = false)
        : CGdiObject(kKind, stock), m_hollow(hollow), m_colour(colour) {}

    bool IsHollow() const { return m_hollow; }
    COLORREF Colour() const { return m_colour; }

private:
    bool m_hollow;
    COLORREF m_colour;
};

HBRUSH CreateSolidBrush(COLORREF colour);

// System colours, as a light desktop theme shows them.
constexpr int COLOR_SCROLLBAR = 0;
constexpr int COLOR_BACKGROUND = 1;
constexpr int COLOR_WINDOW = 5;
constexpr int COLOR_WINDOWFRAME = 6;
constexpr int COLOR_WINDOWTEXT = 8;
constexpr int COLOR_HIGHLIGHT = 13;
constexpr int COLOR_HIGHLIGHTTEXT = 14;
constexpr int COLOR_BTNFACE = 15;
constexpr int COLOR_BTNSHADOW = 16;
constexpr int COLOR_GRAYTEXT = 17;
constexpr int COLOR_BTNTEXT = 18;
constexpr int COLOR_BTNHIGHLIGHT = 20;
constexpr int COLOR_3DDKSHADOW = 21;
constexpr int COLOR_3DLIGHT = 22;
constexpr int COLOR_INFOTEXT = 23;
constexpr int COLOR_INFOBK = 24;
COLORREF GetSysColor(int index);
// A stock brush of the system colour; null for an unknown index.
HBRUSH GetSysColorBrush(int index);

// Resolves a brush argument: a live brush, or the small numbers (COLOR_xxx + 1) that window
// classes use for a system-colour background. Null when it is neither.
CBrush* BrushFromHandle(HBRUSH brush);

#include "platform/draw/Shapes.h"

#include "platform/draw/Brush.h"
#include "platform/draw/GdiRegion.h"
#include "platform/draw/Pen.h"
#include "platform/draw/PixelColour.h"
#include "platform/draw/Raster.h"

#include <cmath>
#include <cstdlib>

namespace {

CDeviceContext* Context(HDC hdc) {
    return IsDeviceContext(hdc) ? hdc : nullptr;
}

// Draws pen strokes pixel by pixel, keeping the dash pattern's phase across segments.
class CPenStroke {
public:
    CPenStroke(CDeviceContext& dc, const CPen& pen) : m_dc(dc), m_width(pen.Width()) {
        m_pixel = PixelFromColour(pen.Colour());
        m_gapPixel = PixelFromColour(dc.State().backgroundColour);
        m_opaqueGaps = dc.State().backgroundMode == OPAQUE;
        SetPattern(pen.Style());
    }

    // From a to b (device coordinates), b excluded. Only the steps whose major coordinate
    // lies inside `bounds` are walked, starting mid-line with the same pixels and dash phase
    // an unclipped walk would have, so a huge line costs no more than its visible part.
    void Line(POINT a, POINT b, const RECT& bounds) {
        const std::int64_t dx = std::abs(std::int64_t(b.x) - a.x);
        const std::int64_t dy = std::abs(std::int64_t(b.y) - a.y);
        const int sx = a.x < b.x ? 1 : -1, sy = a.y < b.y ? 1 : -1;
        const bool xMajor = dx >= dy;
        const std::int64_t major = xMajor ? dx : dy, minor = xMajor ? dy : dx;
        const int majorStep = xMajor ? sx : sy, minorStep = xMajor ? sy : sx;
        const std::int64_t start = xMajor ? a.x : a.y;
        const std::int64_t low = (xMajor ? bounds.left : bounds.top) - m_width;
        const std::int64_t high = (xMajor ? bounds.right : bounds.bottom) + m_width;
        std::int64_t first = 0, last = major;
        if (majorStep > 0) {
            first = std::max(first, low - start);
            last = std::min(last, high - start);
        } else {
            first = std::max(first, start - high + 1);
            last = std::min(last, start - low + 1);
        }
        if (first >= last) {
            Advance(major);
            return;
        }
        // After i steps the walk has made k minor steps, the least k that keeps its error
        // term major / 2 - i * minor + k * major from going negative.
        const std::int64_t behind = first * minor - major / 2;
        const std::int64_t k = behind <= 0 ? 0 : (behind + major - 1) / major;
        std::int64_t error = major / 2 - first * minor + k * major;
        std::int64_t along = start + first * majorStep;
        std::int64_t across = (xMajor ? a.y : a.x) + k * minorStep;
        Advance(first);
        for (std::int64_t i = first; i < last; ++i) {
            Plot(xMajor ? POINT{LONG(along), LONG(across)} : POINT{LONG(across), LONG(along)},
                 xMajor);
            along += majorStep;
            error -= minor;
            if (error < 0) {
                across += minorStep;
                error += major;
            }
        }
        Advance(major - last);
    }

private:
    void SetPattern(int style) {
        // Thin pens use the classic cosmetic dash lengths; wider pens a pattern scaled by the
        // width, so that dashes stay longer than the line is thick.
        static const std::vector<int> cosmetic[] = {
            {18, 6}, {3, 3}, {9, 6, 3, 6}, {9, 3, 3, 3, 3, 3}};
        static const std::vector<int> geometric[] = {
            {3, 1}, {1, 1}, {3, 1, 1, 1}, {3, 1, 1, 1, 1, 1}};
        if (style < PS_DASH || style > PS_DASHDOTDOT) {
            return;
        }
        const std::vector<int>& lengths =
            m_width == 1 ? cosmetic[style - PS_DASH] : geometric[style - PS_DASH];
        bool on = true;
        for (int length : lengths) {
            m_onAt.insert(m_onAt.end(), std::size_t(length * (m_width == 1 ? 1 : m_width)), on);
            on = !on;
        }
    }

    void Advance(std::int64_t steps) {
        if (!m_onAt.empty()) {
            m_phase = std::size_t((std::int64_t(m_phase) + steps) % std::int64_t(m_onAt.size()));
        }
    }

    void Plot(POINT p, bool xMajor) {
        bool on = true;
        if (!m_onAt.empty()) {
            on = m_onAt[m_phase];
            m_phase = (m_phase + 1) % m_onAt.size();
        }
        if (!on && !m_opaqueGaps) {
            return;
        }
        const int before = m_width / 2;
        const RECT dot = xMajor ? RECT{p.x, p.y - before, p.x + 1, p.y - before + m_width}
                                : RECT{p.x - before, p.y, p.x - before + m_width, p.y + 1};
        FillClipped(m_dc, dot, on ? m_pixel : m_gapPixel);
    }

    CDeviceContext& m_dc;
    int m_width;
    std::uint32_t m_pixel;
    std::uint32_t m_gapPixel;
    bool m_opaqueGaps;
    std::vector<bool> m_onAt; // per pixel of one pattern cycle; empty for a solid pen
    std::size_t m_phase = 0;
};

RECT ClipBounds(CDeviceContext& dc) {
    RECT bounds{};
    for (const RECT& r : dc.DeviceClip()) {
        bounds = BoundingRect(bounds, r);
    }
    return bounds;
}

void FillWithBrush(CDeviceContext& dc, const RECT& logical, const CBrush* brush) {
    if (brush && !brush->IsHollow()) {
        FillClipped(dc, dc.ToDevice(logical), PixelFromColour(brush->Colour()));
    }
}

// Fills the band between `outer` and `inner` (inner inside outer, device coordinates).
void FillFrame(CDeviceContext& dc, const RECT& outer, const RECT& inner, std::uint32_t pixel) {
    if (inner.IsEmpty()) {
        FillClipped(dc, outer, pixel);
        return;
    }
    FillClipped(dc, RECT{outer.left, outer.top, outer.right, inner.top}, pixel);
    FillClipped(dc, RECT{outer.left, inner.bottom, outer.right, outer.bottom}, pixel);
    FillClipped(dc, RECT{outer.left, inner.top, inner.left, inner.bottom}, pixel);
    FillClipped(dc, RECT{inner.right, inner.top, outer.right, inner.bottom}, pixel);
}

// The pixel columns [first, last) that a rounded rectangle covers on row y: rows inside the
// corner bands are narrowed by the corner ellipse, tested at pixel centres.
struct CSpan {
    int first;
    int last;
};
CSpan RoundedSpan(const RECT& r, double radiusX, double radiusY, int y) {
    const double centre = y + 0.5;
    double dy = 0;
    if (centre < r.top + radiusY) {
        dy = r.top + radiusY - centre;
    } else if (centre > r.bottom - radiusY) {
        dy = centre - (r.bottom - radiusY);
    }
    if (dy <= 0 || radiusY <= 0) {
        return {r.left, r.right};
    }
    const double ratio = dy / radiusY;
    if (ratio >= 1) {
        return {0, 0};
    }
    const double dx = radiusX * std::sqrt(1 - ratio * ratio);
    const int first = int(std::ceil(r.left + radiusX - dx - 0.5));
    const int last = int(std::floor(r.right - radiusX + dx - 0.5)) + 1;
    return {std::max(first, int(r.left)), std::min(last, int(r.right))};
}

// The outline rectangle and the inside of a rectangle drawn with a pen of `width`.
struct COutline {
    RECT outer;
    RECT inner;
};
COutline OutlineOf(const RECT& r, const CPen& pen) {
    const int w = pen.Width();
    if (pen.Style() == PS_INSIDEFRAME) {
        return {r, RECT{r.left + w, r.top + w, r.right - w, r.bottom - w}};
    }
    // Centred on the path through the outermost pixels.
    const int before = w / 2;
    const RECT outer{r.left - before, r.top - before, r.right - 1 - before + w,
                     r.bottom - 1 - before + w};
    const RECT inner{r.left - before + w, r.top - before + w, r.right - 1 - before,
                     r.bottom - 1 - before};
    return {outer, inner};
}

// The rectangle with its corners in order, kept within +-2^29 so that geometry on it cannot
// overflow.
RECT Ordered(int left, int top, int right, int bottom) {
    static constexpr int limit = 1 << 29;
    auto clamp = [](int v) { return std::clamp(v, -limit, limit); };
    return RECT{clamp(std::min(left, right)), clamp(std::min(top, bottom)),
                clamp(std::max(left, right)), clamp(std::max(top, bottom))};
}

} // namespace

bool FillRect(HDC hdc, const RECT* rect, HBRUSH brush) {
    CDeviceContext* dc = Context(hdc);
    const CBrush* b = BrushFromHandle(brush);
    if (!dc || !rect || !b) {
        return false;
    }
    FillWithBrush(*dc, *rect, b);
    return true;
}

bool FrameRect(HDC hdc, const RECT* rect, HBRUSH brush) {
    CDeviceContext* dc = Context(hdc);
    const CBrush* b = BrushFromHandle(brush);
    if (!dc || !rect || !b) {
        return false;
    }
    if (!b->IsHollow() && !rect->IsEmpty()) {
        const RECT outer = dc->ToDevice(*rect);
        const RECT inner{outer.left + 1, outer.top + 1, outer.right - 1, outer.bottom - 1};
        FillFrame(*dc, outer, inner, PixelFromColour(b->Colour()));
    }
    return true;
}

bool FillRgn(HDC hdc, HRGN rgn, HBRUSH brush) {
    CDeviceContext* dc = Context(hdc);
    const CRgn* region = GdiCast<CRgn>(rgn);
    const CBrush* b = BrushFromHandle(brush);
    if (!dc || !region || !b) {
        return false;
    }
    for (const RECT& r : region->Region().Rects()) {
        FillWithBrush(*dc, r, b);
    }
    return true;
}

bool Rectangle(HDC hdc, int left, int top, int right, int bottom) {
    CDeviceContext* dc = Context(hdc);
    if (!dc) {
        return false;
    }
    const RECT r = Ordered(left, top, right, bottom);
    const CPen* pen = dc->Pen();
    if (!pen || pen->Style() == PS_NULL) {
        FillWithBrush(*dc, RECT{r.left, r.top, r.right - 1, r.bottom - 1}, dc->Brush());
        return true;
    }
    if (r.IsEmpty()) {
        return true;
    }
    const COutline outline = OutlineOf(r, *pen);
    if (!dc->Touches(dc->ToDevice(outline.outer))) {
        return true;
    }
    FillWithBrush(*dc, outline.inner, dc->Brush());
    const RECT device = dc->ToDevice(r);
    if (pen->Style() == PS_SOLID || pen->Style() == PS_INSIDEFRAME) {
        FillFrame(*dc, dc->ToDevice(outline.outer), dc->ToDevice(outline.inner),
                  PixelFromColour(pen->Colour()));
        return true;
    }
    CPenStroke stroke(*dc, *pen);
    const RECT bounds = ClipBounds(*dc);
    const POINT corners[] = {{device.left, device.top},
                             {device.right - 1, device.top},
                             {device.right - 1, device.bottom - 1},
                             {device.left, device.bottom - 1}};
    for (int i = 0; i < 4; ++i) {
        stroke.Line(corners[i], corners[(i + 1) % 4], bounds);
    }
    return true;
}

bool RoundRect(HDC hdc, int left, int top, int right, int bottom, int ellipseWidth,
               int ellipseHeight) {
    CDeviceContext* dc = Context(hdc);
    if (!dc) {
        return false;
    }
    RECT r = Ordered(left, top, right, bottom);
    const CPen* pen = dc->Pen();
    const bool outlined = pen && pen->Style() != PS_NULL;
    if (!outlined) {
        r.right -= 1;
        r.bottom -= 1;
    }
    if (r.IsEmpty()) {
        return true;
    }
    const RECT device = dc->ToDevice(r);
    if (!dc->Touches(device)) {
        return true;
    }
    const double radiusX = std::min(std::abs(ellipseWidth), int(r.Width())) / 2.0;
    const double radiusY = std::min(std::abs(ellipseHeight), int(r.Height())) / 2.0;
    const int w = outlined ? pen->Width() : 0;
    const RECT inner{device.left + w, device.top + w, device.right - w, device.bottom - w};
    const double innerX = std::max(0.0, radiusX - w), innerY = std::max(0.0, radiusY - w);
    const CBrush* brush = dc->Brush();
    const bool filled = brush && !brush->IsHollow();
    const std::uint32_t fill = filled ? PixelFromColour(brush->Colour()) : 0;
    const std::uint32_t line = outlined ? PixelFromColour(pen->Colour()) : 0;
    const RECT visible = ClipBounds(*dc);
    const int firstRow = std::max(device.top, visible.top);
    const int lastRow = std::min(device.bottom, visible.bottom);
    for (int y = firstRow; y < lastRow; ++y) {
        const CSpan outer = RoundedSpan(device, radiusX, radiusY, y);
        const CSpan in = (y >= inner.top && y < inner.bottom && !inner.IsEmpty())
                             ? RoundedSpan(inner, innerX, innerY, y)
                             : CSpan{outer.first, outer.first};
        if (filled && in.last > in.first) {
            FillClipped(*dc, RECT{in.first, y, in.last, y + 1}, fill);
        }
        if (outlined) {
            const int innerFirst = in.last > in.first ? in.first : outer.last;
            const int innerLast = in.last > in.first ? in.last : outer.last;
            FillClipped(*dc, RECT{outer.first, y, innerFirst, y + 1}, line);
            FillClipped(*dc, RECT{innerLast, y, outer.last, y + 1}, line);
        }
    }
    return true;
}

bool LineTo(HDC hdc, int x, int y) {
    CDeviceContext* dc = Context(hdc);
    if (!dc) {
        return false;
    }
    const POINT from = dc->State().position;
    dc->State().position = POINT{x, y};
    const CPen* pen = dc->Pen();
    if (!pen || pen->Style() == PS_NULL) {
        return true;
    }
    const POINT o = dc->Origin();
    const int reach = pen->Width();
    const RECT swept{std::min(from.x, x) + o.x - reach, std::min(from.y, y) + o.y - reach,
                     std::max(from.x, x) + o.x + reach, std::max(from.y, y) + o.y + reach};
    if (!dc->Touches(swept)) {
        return true;
    }
    CPenStroke stroke(*dc, *pen);
    stroke.Line(POINT{from.x + o.x, from.y + o.y}, POINT{x + o.x, y + o.y}, ClipBounds(*dc));
    return true;
}

COLORREF SetPixel(HDC hdc, int x, int y, COLORREF colour) {
    CDeviceContext* dc = Context(hdc);
    if (!dc) {
        return CLR_INVALID;
    }
    const POINT o = dc->Origin();
    FillClipped(*dc, RECT{x + o.x, y + o.y, x + o.x + 1, y + o.y + 1}, PixelFromColour(colour));
    return colour;
}

COLORREF GetPixel(HDC hdc, int x, int y) {
    CDeviceContext* dc = Context(hdc);
    if (!dc) {
        return CLR_INVALID;
    }
    const POINT o = dc->Origin();
    COLORREF result = CLR_INVALID;
    ForEachClipped(*dc, RECT{x + o.x, y + o.y, x + o.x + 1, y + o.y + 1}, [&](const RECT& p) {
        std::uint32_t pixel = 0;
        dc->Target()->ReadSpan(p.left, p.top, 1, &pixel);
        result = ColourFromPixel(pixel);
    });
    return result;
}

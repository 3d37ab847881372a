#include "bkwin/BkGradient.h"

#include "platform/draw/Gradient.h"

namespace {

TRIVERTEX Vertex(LONG x, LONG y, COLORREF colour) {
    return {x,
            y,
            COLOR16(GetRValue(colour) << 8),
            COLOR16(GetGValue(colour) << 8),
            COLOR16(GetBValue(colour) << 8),
            0};
}

} // namespace

void FillGradient(HDC dc, const RECT& band, COLORREF from, COLORREF to, bool vertical) {
    const TRIVERTEX vertices[2] = {Vertex(band.left, band.top, from),
                                   Vertex(band.right, band.bottom, to)};
    const GRADIENT_RECT mesh{0, 1};
    GradientFill(dc, vertices, 2, &mesh, 1, vertical ? GRADIENT_FILL_RECT_V : GRADIENT_FILL_RECT_H);
}

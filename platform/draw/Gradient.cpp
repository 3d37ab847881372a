#include "platform/draw/Gradient.h"

#include "platform/draw/Raster.h"

#include <cmath>

namespace {

// The 8-bit channel at step i of n from a to b (16-bit channels), exact at both ends.
std::uint32_t Channel(COLOR16 a, COLOR16 b, int i, int n) {
    const double value = n <= 1 ? a : a + (double(b) - double(a)) * i / (n - 1);
    return std::uint32_t(std::lround(value)) >> 8;
}

std::uint32_t PixelAt(const TRIVERTEX& a, const TRIVERTEX& b, int i, int n) {
    return Channel(a.Blue, b.Blue, i, n) | (Channel(a.Green, b.Green, i, n) << 8) |
           (Channel(a.Red, b.Red, i, n) << 16);
}

void FillOne(CDeviceContext& dc, const TRIVERTEX& first, const TRIVERTEX& second, bool vertical) {
    // Colours follow the vertices, whichever corner each one is.
    const bool swap = vertical ? second.y < first.y : second.x < first.x;
    const TRIVERTEX& from = swap ? second : first;
    const TRIVERTEX& to = swap ? first : second;
    const RECT logical{std::min(first.x, second.x), std::min(first.y, second.y),
                       std::max(first.x, second.x), std::max(first.y, second.y)};
    const RECT device = dc.ToDevice(logical);
    CBitmap& target = *dc.Target();
    const int n = vertical ? device.Height() : device.Width();
    ForEachClipped(dc, device, [&](const RECT& piece) {
        if (vertical) {
            for (int y = piece.top; y < piece.bottom; ++y) {
                FillPixels(target, RECT{piece.left, y, piece.right, y + 1},
                           PixelAt(from, to, y - device.top, n));
            }
            return;
        }
        std::vector<std::uint32_t> row(static_cast<std::size_t>(piece.Width()));
        for (int x = piece.left; x < piece.right; ++x) {
            row[std::size_t(x - piece.left)] = PixelAt(from, to, x - device.left, n);
        }
        for (int y = piece.top; y < piece.bottom; ++y) {
            EditSpan(target, piece.left, y, piece.Width(), false,
                     [&](std::uint32_t* p) { std::copy(row.begin(), row.end(), p); });
        }
    });
}

} // namespace

bool GradientFill(HDC hdc, const TRIVERTEX* vertices, ULONG vertexCount, const void* mesh,
                  ULONG meshCount, ULONG mode) {
    if (!IsDeviceContext(hdc) || !vertices || !mesh ||
        (mode != GRADIENT_FILL_RECT_H && mode != GRADIENT_FILL_RECT_V)) {
        return false;
    }
    const auto* rects = static_cast<const GRADIENT_RECT*>(mesh);
    for (ULONG i = 0; i < meshCount; ++i) {
        if (rects[i].UpperLeft >= vertexCount || rects[i].LowerRight >= vertexCount) {
            return false;
        }
    }
    for (ULONG i = 0; i < meshCount; ++i) {
        FillOne(*hdc, vertices[rects[i].UpperLeft], vertices[rects[i].LowerRight],
                mode == GRADIENT_FILL_RECT_V);
    }
    return true;
}

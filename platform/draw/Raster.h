// Pixel-level helpers shared by the drawing calls. Callers pass areas already clipped to the
// target bitmap and to the context's clip.
#pragma once

#include "platform/draw/Bitmap.h"
#include "platform/draw/DeviceContext.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

// Calls f(piece) for each non-empty piece of `deviceArea` (target coordinates) that the
// context may draw into. Answers whether anything was left to draw.
template <class F> bool ForEachClipped(CDeviceContext& dc, const RECT& deviceArea, F&& f) {
    if (deviceArea.IsEmpty()) {
        return false;
    }
    bool any = false;
    for (const RECT& clip : dc.DeviceClip()) {
        const RECT piece = IntersectRects(clip, deviceArea);
        if (!piece.IsEmpty()) {
            any = true;
            f(piece);
        }
    }
    return any;
}

// Gives f a 32-bit view of n pixels of row y from x: the bitmap's own memory for 32-bit
// bitmaps, else a converted copy that is written back afterwards. `keep` says whether f reads
// the old pixels (a blend) or overwrites every one (a fill or copy).
template <class F> void EditSpan(CBitmap& bitmap, int x, int y, int n, bool keep, F&& f) {
    if (std::uint32_t* direct = bitmap.Span32(x, y)) {
        f(direct);
        return;
    }
    thread_local std::vector<std::uint32_t> buffer;
    buffer.resize(std::size_t(n));
    if (keep) {
        bitmap.ReadSpan(x, y, n, buffer.data());
    }
    f(buffer.data());
    bitmap.WriteSpan(x, y, n, buffer.data());
}

// Sets n pixels to one value, four at a time: a plain loop of 32-bit stores is several times
// slower than the memory allows.
inline void FillSpan(std::uint32_t* p, int n, std::uint32_t pixel) {
    using Quad = std::uint32_t __attribute__((vector_size(16)));
    const Quad quad = {pixel, pixel, pixel, pixel};
    int i = 0;
    for (; i + 4 <= n; i += 4) {
        std::memcpy(p + i, &quad, sizeof(quad));
    }
    for (; i < n; ++i) {
        p[i] = pixel;
    }
}

// Fills a clipped rectangle with one pixel value.
inline void FillPixels(CBitmap& bitmap, const RECT& r, std::uint32_t pixel) {
    const int n = r.Width();
    for (int y = r.top; y < r.bottom; ++y) {
        EditSpan(bitmap, r.left, y, n, false, [&](std::uint32_t* p) { FillSpan(p, n, pixel); });
    }
}

// Fills `deviceArea` (target coordinates) as far as the clip allows.
inline void FillClipped(CDeviceContext& dc, const RECT& deviceArea, std::uint32_t pixel) {
    CBitmap& target = *dc.Target();
    ForEachClipped(dc, deviceArea, [&](const RECT& piece) { FillPixels(target, piece, pixel); });
}

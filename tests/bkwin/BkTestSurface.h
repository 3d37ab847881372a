// A small 32-bit drawing surface for skin tests, filled with one colour.
#pragma once

#include "platform/draw/Bitmap.h"
#include "platform/draw/Brush.h"
#include "platform/draw/DeviceContext.h"
#include "platform/draw/Shapes.h"

class CBkTestSurface {
public:
    CBkTestSurface(int width, int height, COLORREF fill)
        : bitmap_(CreateCompatibleBitmap(nullptr, width, height)) {
        SelectObject(dc_, bitmap_.Get());
        const RECT all{0, 0, width, height};
        CGdiHandle<HBRUSH> brush(CreateSolidBrush(fill));
        FillRect(dc_, &all, brush);
    }

    HDC Dc() const { return dc_; }
    COLORREF At(int x, int y) const { return GetPixel(dc_, x, y); }

private:
    CGdiHandle<HBITMAP> bitmap_;
    CMemoryDC dc_;
};

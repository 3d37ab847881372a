// A small 32-bit drawing surface for skin tests, filled with one colour.
#pragma once

#include "platform/draw/Bitmap.h"
#include "platform/draw/Brush.h"
#include "platform/draw/DeviceContext.h"
#include "platform/draw/Shapes.h"

class CBkTestSurface {
public:
    CBkTestSurface(int width, int height, COLORREF fill)
        : m_bitmap(CreateCompatibleBitmap(nullptr, width, height)) {
        SelectObject(m_dc, m_bitmap.Get());
        const RECT all{0, 0, width, height};
        CGdiHandle<HBRUSH> brush(CreateSolidBrush(fill));
        FillRect(m_dc, &all, brush);
    }

    HDC Dc() const { return m_dc; }
    COLORREF At(int x, int y) const { return GetPixel(m_dc, x, y); }

private:
    CGdiHandle<HBITMAP> m_bitmap;
    CMemoryDC m_dc;
};

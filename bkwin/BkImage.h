// A bitmap with the way it is drawn: whole or in sub-images, opaque, masked or alpha-blended.
// It does not own the bitmap (pool bitmaps are shared).
#pragma once

#include "platform/base/Types.h"
#include "platform/draw/GdiObject.h"

// How the pixels of a CBkImage reach the destination.
constexpr int BkImageOpaque = 0;
constexpr int BkImageMask = 1;  // pixels of the mask colour leave the destination unchanged
constexpr int BkImageAlpha = 2; // per-pixel straight alpha in a 32-bit bitmap

class CBkImage {
public:
    HBITMAP bitmap = nullptr;
    int subWidth = 0; // width of one sub-image; 0 = not divided
    int mode = BkImageOpaque;
    COLORREF maskColour = RGB(255, 0, 255);

    // 0 x 0 without a bitmap.
    SIZE BitmapSize() const;

    // Draws sub-image `index` (-1 = the whole bitmap) at its own size with its top-left corner
    // at (x, y). Nothing is drawn without a bitmap, or for an index other than -1 when the
    // image is not divided.
    void Draw(HDC dc, int x, int y, int index) const;

    // Copies the `source` part of the bitmap to `dest`, stretched when the sizes differ, opaque
    // or masked; alpha images draw nothing this way. Empty parts draw nothing.
    void DrawPart(HDC dc, const RECT& dest, const RECT& source) const;
};

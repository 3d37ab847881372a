#include "bkwin/BkImage.h"

#include "bkwin/BkSubImage.h"

#include "platform/draw/Bitmap.h"
#include "platform/draw/Blit.h"
#include "platform/draw/DeviceContext.h"

SIZE CBkImage::BitmapSize() const {
    BITMAP info;
    if (bitmap == nullptr || !GetObject(bitmap, &info)) {
        return {};
    }
    return {info.bmWidth, info.bmHeight};
}

void CBkImage::Draw(HDC dc, int x, int y, int index) const {
    if (bitmap == nullptr || (subWidth == 0 && index != -1)) {
        return;
    }
    const SIZE size = BitmapSize();
    RECT source{0, 0, size.cx, size.cy};
    if (index != -1) {
        const std::optional<BkSubImageSpan> span = SubImageColumns(index, subWidth, size.cx);
        if (!span) {
            return;
        }
        source.left = span->left;
        source.right = span->right;
    }
    const RECT dest{x, y, x + source.Width(), y + source.Height()};
    if (mode == BkImageAlpha) {
        CMemoryDC memory(dc);
        SelectObject(memory, bitmap);
        AlphaBlend(dc, dest.left, dest.top, dest.Width(), dest.Height(), memory, source.left,
                   source.top, source.Width(), source.Height(),
                   BLENDFUNCTION{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA});
        return;
    }
    DrawPart(dc, dest, source);
}

void CBkImage::DrawPart(HDC dc, const RECT& dest, const RECT& source) const {
    // Negative sizes would mirror the copy; they only arise from frames larger than the area.
    if (bitmap == nullptr || dest.IsEmpty() || source.IsEmpty()) {
        return;
    }
    CMemoryDC memory(dc);
    SelectObject(memory, bitmap);
    if (mode == BkImageOpaque) {
        StretchBlt(dc, dest.left, dest.top, dest.Width(), dest.Height(), memory, source.left,
                   source.top, source.Width(), source.Height(), SRCCOPY);
    } else if (mode == BkImageMask) {
        TransparentBlt(dc, dest.left, dest.top, dest.Width(), dest.Height(), memory, source.left,
                       source.top, source.Width(), source.Height(), maskColour);
    }
}

#include "bkwin/BkSkinImgHorzExtend.h"

#include "bkwin/BkSubImage.h"
#include "bkwin/BkValueParsers.h"

#include <algorithm>

HRESULT CBkSkinImgHorzExtend::ApplyAttribute(std::string_view name, std::string_view value,
                                             bool loading) {
    if (SUCCEEDED(CBkSkinBase::ApplyAttribute(name, value, loading)) ||
        SUCCEEDED(m_skin.ApplyAttribute(name, value, loading))) {
        return S_OK;
    }
    if (name == "left") {
        m_left = ParseInt(value);
        return S_OK;
    }
    return E_FAIL;
}

void CBkSkinImgHorzExtend::Draw(HDC dc, const RECT& rect, int state) {
    const CBkImage& image = m_skin.Image();
    if (image.bitmap == nullptr) {
        return;
    }
    const int index = state == -1                ? -1
                      : (state & STATE_DISABLED) ? 3
                      : (state & STATE_PUSHED)   ? 2
                                                 : (state & STATE_HOVER);
    const SIZE size = image.BitmapSize();
    int width = size.cx;
    const int height = size.cy;
    RECT dest = rect;
    if (dest.Width() < width) {
        dest.right = dest.left + width;
    }
    int offset = 0;
    if (image.subWidth > 0) {
        // The whole bitmap (-1) uses the geometry of the first bar.
        const std::optional<BkSubImageSpan> span =
            SubImageColumns(index == -1 ? 0 : index, image.subWidth, width);
        if (!span) {
            return;
        }
        offset = span->left;
        width = span->Width();
    }
    // A cap as wide as the bar would leave no middle column to stretch.
    const int l = std::clamp(m_left, 0, width - 1);
    const int capRight = width - l - 1;
    image.DrawPart(dc, {dest.left, dest.top, dest.left + l, dest.top + height},
                   {offset, 0, offset + l, height});
    image.DrawPart(dc, {dest.right - capRight, dest.top, dest.right, dest.top + height},
                   {offset + l + 1, 0, offset + width, height});
    image.DrawPart(dc, {dest.left + l, dest.top, dest.right - width + l + 1, dest.top + height},
                   {offset + l, 0, offset + l + 1, height});
}

SIZE CBkSkinImgHorzExtend::NaturalSize() const {
    return {0, m_skin.Image().BitmapSize().cy};
}

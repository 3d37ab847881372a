#include "bkwin/BkSkinImgFrame.h"

#include "bkwin/BkValueParsers.h"
#include "platform/draw/Brush.h"
#include "platform/draw/Shapes.h"

namespace {

RECT At(int x, int y, int width, int height) {
    return {x, y, x + width, y + height};
}

} // namespace

HRESULT CBkSkinImgFrame::ApplyAttribute(std::string_view name, std::string_view value,
                                        bool loading) {
    if (SUCCEEDED(CBkSkinBase::ApplyAttribute(name, value, loading)) ||
        SUCCEEDED(m_skin.ApplyAttribute(name, value, loading))) {
        return S_OK;
    }
    if (name == "crbg") {
        m_background = ParseColour(value);
    } else if (name == "left") {
        m_left = ParseInt(value);
    } else if (name == "top") {
        m_top = ParseInt(value);
    } else if (name == "part") {
        static constexpr struct {
            std::string_view name;
            int bits;
        } parts[] = {{"all", 0x2F},  {"top", 0x2B},    {"middle", 0x2A}, {"bottom", 0x2E},
                     {"left", 0x0F}, {"center", 0x07}, {"right", 0x27}};
        for (const auto& part : parts) {
            if (value == part.name) {
                m_part = part.bits;
                return S_OK;
            }
        }
        return E_FAIL;
    } else {
        return E_FAIL;
    }
    return S_OK;
}

void CBkSkinImgFrame::Draw(HDC dc, const RECT& rect, int) {
    const CBkImage& image = m_skin.Image();
    if (image.bitmap == nullptr) {
        return;
    }
    const SIZE size = image.BitmapSize();
    const int l = m_left, t = m_top;
    const int r = size.cx - l - 1, b = size.cy - t - 1;
    const bool top = m_part & BkFrameTop, bottom = m_part & BkFrameBottom;
    const bool left = m_part & BkFrameLeft, right = m_part & BkFrameRight;

    RECT inner = rect;
    inner.left += left ? l : 0;
    inner.top += top ? t : 0;
    inner.right -= right ? r : 0;
    inner.bottom -= bottom ? b : 0;

    if (top && left) {
        image.DrawPart(dc, At(rect.left, rect.top, l, t), At(0, 0, l, t));
    }
    if (top && right) {
        image.DrawPart(dc, At(inner.right, rect.top, r, t), At(l + 1, 0, r, t));
    }
    if (bottom && left) {
        image.DrawPart(dc, At(rect.left, inner.bottom, l, b), At(0, t + 1, l, b));
    }
    if (bottom && right) {
        image.DrawPart(dc, At(inner.right, inner.bottom, r, b), At(l + 1, t + 1, r, b));
    }
    if (top) {
        image.DrawPart(dc, At(inner.left, rect.top, inner.Width(), t), At(l, 0, 1, t));
    }
    if (left) {
        image.DrawPart(dc, At(rect.left, inner.top, l, inner.Height()), At(0, t, l, 1));
    }
    if (bottom) {
        image.DrawPart(dc, At(inner.left, inner.bottom, inner.Width(), b), At(l, t + 1, 1, b));
    }
    if (right) {
        image.DrawPart(dc, At(inner.right, inner.top, r, inner.Height()), At(l + 1, t, r, 1));
    }
    if (m_background != CLR_INVALID && !inner.IsEmpty()) {
        CGdiHandle<HBRUSH> brush(CreateSolidBrush(m_background));
        FillRect(dc, &inner, brush);
    }
}

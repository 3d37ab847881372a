#include "bkwin/BkImageSkin.h"

#include "bkwin/BkBmpPool.h"
#include "bkwin/BkValueParsers.h"

HRESULT CBkImageSkin::ApplyAttribute(std::string_view name, std::string_view value, bool loading) {
    if (SUCCEEDED(CBkSkinBase::ApplyAttribute(name, value, loading))) {
        return S_OK;
    }
    if (name == "src") {
        m_image.bitmap = BkBmpPool::Instance().Get(ParseInt(value));
    } else if (name == "mode") {
        if (value == "none") {
            m_image.mode = BkImageOpaque;
        } else if (value == "mask") {
            m_image.mode = BkImageMask;
        } else if (value == "alpha") {
            m_image.mode = BkImageAlpha;
        } else {
            return E_FAIL;
        }
    } else if (name == "maskcolor") {
        m_image.maskColour = ParseColour(value);
    } else if (name == "subwidth") {
        m_image.subWidth = ParseInt(value);
    } else {
        return E_FAIL;
    }
    return S_OK;
}

void CBkImageSkin::Draw(HDC dc, const RECT& rect, int state) {
    m_image.Draw(dc, rect.left, rect.top, state);
}

SIZE CBkImageSkin::NaturalSize() const {
    SIZE size = m_image.BitmapSize();
    if (m_image.bitmap != nullptr && m_image.subWidth != 0) {
        size.cx = m_image.subWidth;
    }
    return size;
}

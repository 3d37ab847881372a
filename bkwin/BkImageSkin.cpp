#include "bkwin/BkImageSkin.h"

#include "bkwin/BkBmpPool.h"
#include "bkwin/BkValueParsers.h"

HRESULT CBkImageSkin::ApplyAttribute(std::string_view name, std::string_view value, bool loading) {
    if (SUCCEEDED(CBkSkinBase::ApplyAttribute(name, value, loading))) {
        return S_OK;
    }
    if (name == "src") {
        image_.bitmap = BkBmpPool::Instance().Get(ParseInt(value));
    } else if (name == "mode") {
        if (value == "none") {
            image_.mode = BkImageOpaque;
        } else if (value == "mask") {
            image_.mode = BkImageMask;
        } else if (value == "alpha") {
            image_.mode = BkImageAlpha;
        } else {
            return E_FAIL;
        }
    } else if (name == "maskcolor") {
        image_.maskColour = ParseColour(value);
    } else if (name == "subwidth") {
        image_.subWidth = ParseInt(value);
    } else {
        return E_FAIL;
    }
    return S_OK;
}

void CBkImageSkin::Draw(HDC dc, const RECT& rect, int state) {
    image_.Draw(dc, rect.left, rect.top, state);
}

SIZE CBkImageSkin::NaturalSize() const {
    SIZE size = image_.BitmapSize();
    if (image_.bitmap != nullptr && image_.subWidth != 0) {
        size.cx = image_.subWidth;
    }
    return size;
}

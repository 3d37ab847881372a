#include "bkwin/BkPngSkin.h"

#include "bkwin/BkPngPool.h"
#include "bkwin/BkValueParsers.h"
#include "platform/draw/Bitmap.h"
#include "platform/draw/Blit.h"
#include "platform/draw/DeviceContext.h"

HRESULT CBkPngSkin::ApplyAttribute(std::string_view name, std::string_view value, bool loading) {
    if (SUCCEEDED(CBkSkinBase::ApplyAttribute(name, value, loading))) {
        return S_OK;
    }
    if (name == "src") {
        src_ = ParseInt(value);
    } else if (name == "subwidth") {
        subWidth_ = ParseInt(value);
    } else {
        return E_FAIL;
    }
    return S_OK;
}

bool CBkPngSkin::LoadXml(const TiXmlElement& element) {
    CBkSkinBase::LoadXml(element);
    if (src_ != 0) {
        image_ = BkPngPool::Instance().Get(src_);
    }
    return true;
}

void CBkPngSkin::Draw(HDC dc, const RECT& rect, int state) {
    BITMAP info;
    if (image_ == nullptr || !GetObject(image_, &info)) {
        return;
    }
    const int width = subWidth_ != 0 ? subWidth_ : info.bmWidth;
    const int sourceX = subWidth_ != 0 ? state * subWidth_ : 0;
    CMemoryDC memory(dc);
    SelectObject(memory, image_);
    AlphaBlend(dc, rect.left, rect.top, width, info.bmHeight, memory, sourceX, 0, width,
               info.bmHeight, BLENDFUNCTION{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA});
}

SIZE CBkPngSkin::NaturalSize() const {
    BITMAP info;
    if (image_ == nullptr || !GetObject(image_, &info)) {
        return {};
    }
    return {subWidth_ != 0 ? subWidth_ : info.bmWidth, info.bmHeight};
}

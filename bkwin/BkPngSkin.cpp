#include "bkwin/BkPngSkin.h"

#include "bkwin/BkPngPool.h"
#include "bkwin/BkSubImage.h"
#include "bkwin/BkValueParsers.h"
#include "platform/draw/Bitmap.h"
#include "platform/draw/Blit.h"
#include "platform/draw/DeviceContext.h"

HRESULT CBkPngSkin::ApplyAttribute(std::string_view name, std::string_view value, bool loading) {
    if (SUCCEEDED(CBkSkinBase::ApplyAttribute(name, value, loading))) {
        return S_OK;
    }
    if (name == "src") {
        m_src = ParseInt(value);
    } else if (name == "subwidth") {
        m_subWidth = ParseInt(value);
    } else {
        return E_FAIL;
    }
    return S_OK;
}

bool CBkPngSkin::LoadXml(const TiXmlElement& element) {
    CBkSkinBase::LoadXml(element);
    if (m_src != 0) {
        m_image = BkPngPool::Instance().Get(m_src);
    }
    return true;
}

void CBkPngSkin::Draw(HDC dc, const RECT& rect, int state) {
    BITMAP info;
    if (m_image == nullptr || !GetObject(m_image, &info)) {
        return;
    }
    int sourceX = 0;
    int width = info.bmWidth;
    if (m_subWidth != 0) {
        const std::optional<BkSubImageSpan> span = SubImageColumns(state, m_subWidth, info.bmWidth);
        if (!span) {
            return;
        }
        sourceX = span->left;
        width = span->Width();
    }
    CMemoryDC memory(dc);
    SelectObject(memory, m_image);
    AlphaBlend(dc, rect.left, rect.top, width, info.bmHeight, memory, sourceX, 0, width,
               info.bmHeight, BLENDFUNCTION{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA});
}

SIZE CBkPngSkin::NaturalSize() const {
    BITMAP info;
    if (m_image == nullptr || !GetObject(m_image, &info)) {
        return {};
    }
    return {m_subWidth != 0 ? m_subWidth : info.bmWidth, info.bmHeight};
}

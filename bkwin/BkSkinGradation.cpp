#include "bkwin/BkSkinGradation.h"

#include "bkwin/BkGradient.h"
#include "bkwin/BkValueParsers.h"
#include "platform/draw/Brush.h"
#include "platform/draw/Shapes.h"

HRESULT CBkSkinGradation::ApplyAttribute(std::string_view name, std::string_view value,
                                         bool loading) {
    if (SUCCEEDED(CBkSkinBase::ApplyAttribute(name, value, loading))) {
        return S_OK;
    }
    if (name == "from") {
        m_from = ParseColour(value);
    } else if (name == "to") {
        m_to = ParseColour(value);
    } else if (name == "size") {
        m_size = ParseInt(value);
    } else if (name == "direction" && (value == "horz" || value == "vert")) {
        m_vertical = value == "vert";
    } else {
        return E_FAIL;
    }
    return S_OK;
}

void CBkSkinGradation::Draw(HDC dc, const RECT& rect, int) {
    if (m_to == CLR_INVALID) {
        return;
    }
    {
        CGdiHandle<HBRUSH> brush(CreateSolidBrush(m_to));
        FillRect(dc, &rect, brush);
    }
    if (m_from == CLR_INVALID) {
        return;
    }
    CDcStateSaver saved(dc);
    IntersectClipRect(dc, rect.left, rect.top, rect.right, rect.bottom);
    RECT band = rect;
    if (m_size > 0) {
        if (m_vertical) {
            band.bottom = band.top + m_size;
        } else {
            band.right = band.left + m_size;
        }
    }
    FillGradient(dc, band, m_from, m_to, m_vertical);
}

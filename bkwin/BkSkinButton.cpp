#include "bkwin/BkSkinButton.h"

#include "bkwin/BkGradient.h"
#include "bkwin/BkValueParsers.h"
#include "platform/draw/Brush.h"
#include "platform/draw/DeviceContext.h"
#include "platform/draw/Pen.h"
#include "platform/draw/Shapes.h"

HRESULT CBkSkinButton::ApplyAttribute(std::string_view name, std::string_view value, bool loading) {
    if (SUCCEEDED(CBkSkinBase::ApplyAttribute(name, value, loading))) {
        return S_OK;
    }
    const struct {
        std::string_view name;
        COLORREF CBkSkinButton::*field;
    } colours[] = {
        {"bg", &CBkSkinButton::m_background},
        {"border", &CBkSkinButton::m_border},
        {"bgup", &CBkSkinButton::m_up},
        {"bguphover", &CBkSkinButton::m_upHover},
        {"bguppush", &CBkSkinButton::m_upPushed},
        {"bgdown", &CBkSkinButton::m_down},
        {"bgdownhover", &CBkSkinButton::m_downHover},
        {"bgdownpush", &CBkSkinButton::m_downPushed},
    };
    for (const auto& colour : colours) {
        if (name == colour.name) {
            this->*colour.field = ParseColour(value);
            return S_OK;
        }
    }
    return E_FAIL;
}

void CBkSkinButton::Draw(HDC dc, const RECT& rect, int state) {
    {
        CGdiHandle<HBRUSH> brush(CreateSolidBrush(m_background));
        FillRect(dc, &rect, brush);
    }
    if (!(state & STATE_DISABLED)) {
        const bool pushed = state & STATE_PUSHED, hover = state & STATE_HOVER;
        const COLORREF top = pushed ? m_upPushed : hover ? m_upHover : m_up;
        const COLORREF bottom = pushed ? m_downPushed : hover ? m_downHover : m_down;
        const RECT face{rect.left + 2, rect.top + 2, rect.right - 2, rect.bottom - 2};
        if (!face.IsEmpty()) {
            FillGradient(dc, face, top, bottom, true);
        }
    }
    CGdiHandle<HPEN> pen(CreatePen(PS_SOLID, 1, m_border));
    CDcStateSaver saved(dc);
    SelectObject(dc, pen.Get());
    SelectObject(dc, static_cast<HBRUSH>(GetStockObject(NULL_BRUSH)));
    Rectangle(dc, rect.left, rect.top, rect.right, rect.bottom);
}

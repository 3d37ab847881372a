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
        {"bg", &CBkSkinButton::background_},
        {"border", &CBkSkinButton::border_},
        {"bgup", &CBkSkinButton::up_},
        {"bguphover", &CBkSkinButton::upHover_},
        {"bguppush", &CBkSkinButton::upPushed_},
        {"bgdown", &CBkSkinButton::down_},
        {"bgdownhover", &CBkSkinButton::downHover_},
        {"bgdownpush", &CBkSkinButton::downPushed_},
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
        CGdiHandle<HBRUSH> brush(CreateSolidBrush(background_));
        FillRect(dc, &rect, brush);
    }
    if (!(state & STATE_DISABLED)) {
        const bool pushed = state & STATE_PUSHED, hover = state & STATE_HOVER;
        const COLORREF top = pushed ? upPushed_ : hover ? upHover_ : up_;
        const COLORREF bottom = pushed ? downPushed_ : hover ? downHover_ : down_;
        const RECT face{rect.left + 2, rect.top + 2, rect.right - 2, rect.bottom - 2};
        if (!face.IsEmpty()) {
            FillGradient(dc, face, top, bottom, true);
        }
    }
    CGdiHandle<HPEN> pen(CreatePen(PS_SOLID, 1, border_));
    CDcStateSaver saved(dc);
    SelectObject(dc, pen.Get());
    SelectObject(dc, static_cast<HBRUSH>(GetStockObject(NULL_BRUSH)));
    Rectangle(dc, rect.left, rect.top, rect.right, rect.bottom);
}

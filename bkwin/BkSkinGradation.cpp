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
        from_ = ParseColour(value);
    } else if (name == "to") {
        to_ = ParseColour(value);
    } else if (name == "size") {
        size_ = ParseInt(value);
    } else if (name == "direction" && (value == "horz" || value == "vert")) {
        vertical_ = value == "vert";
    } else {
        return E_FAIL;
    }
    return S_OK;
}

void CBkSkinGradation::Draw(HDC dc, const RECT& rect, int) {
    if (to_ == CLR_INVALID) {
        return;
    }
    {
        CGdiHandle<HBRUSH> brush(CreateSolidBrush(to_));
        FillRect(dc, &rect, brush);
    }
    if (from_ == CLR_INVALID) {
        return;
    }
    CDcStateSaver saved(dc);
    IntersectClipRect(dc, rect.left, rect.top, rect.right, rect.bottom);
    RECT band = rect;
    if (size_ > 0) {
        if (vertical_) {
            band.bottom = band.top + size_;
        } else {
            band.right = band.left + size_;
        }
    }
    FillGradient(dc, band, from_, to_, vertical_);
}

// Skin "gradation": a gradient band from one colour to another, the rest in the second colour.
#pragma once

#include "bkwin/BkSkinBase.h"
#include "platform/draw/DeviceContext.h"

class CBkSkinGradation : public CBkSkinBase {
public:
    static constexpr const char* kTag = "gradation";
    const char* TagName() const override { return kTag; }

    // from, to (RRGGBB), size (band length, 0 = the whole rectangle), direction ("horz",
    // "vert").
    HRESULT ApplyAttribute(std::string_view name, std::string_view value, bool loading) override;

    // Clipped to the rectangle. A colour that was never set paints nothing.
    void Draw(HDC dc, const RECT& rect, int state) override;

private:
    COLORREF m_from = CLR_INVALID;
    COLORREF m_to = CLR_INVALID;
    bool m_vertical = false;
    int m_size = 0;
};

// Skin "button": a drawn button face, a vertical gradient inside a one-pixel border, with
// colours for the normal, hover and pushed looks.
#pragma once

#include "bkwin/BkSkinBase.h"

class CBkSkinButton : public CBkSkinBase {
public:
    static constexpr const char* kTag = "button";
    const char* TagName() const override { return kTag; }

    // bg, border, bgup, bguphover, bguppush, bgdown, bgdownhover, bgdownpush (RRGGBB).
    HRESULT ApplyAttribute(std::string_view name, std::string_view value, bool loading) override;

    // Disabled shows only the background and the border.
    void Draw(HDC dc, const RECT& rect, int state) override;
    bool IsStateless() const override { return false; }

private:
    COLORREF m_background = RGB(0xEE, 0xEE, 0xEE);
    COLORREF m_border = RGB(0x70, 0x70, 0x70);
    COLORREF m_up = RGB(0xEE, 0xEE, 0xEE);
    COLORREF m_upHover = RGB(0xEE, 0xEE, 0xEE);
    COLORREF m_upPushed = RGB(0xCE, 0xCE, 0xCE);
    COLORREF m_down = RGB(0xD6, 0xD6, 0xD6);
    COLORREF m_downHover = RGB(0xE0, 0xE0, 0xE0);
    COLORREF m_downPushed = RGB(0xC0, 0xC0, 0xC0);
};

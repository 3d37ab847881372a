// Skin "imghorzex": a bar of a bitmap's own height with a left cap, a stretched middle column
// and a right cap; divided bitmaps hold one bar per state.
#pragma once

#include "bkwin/BkImageSkin.h"

class CBkSkinImgHorzExtend : public CBkSkinBase {
public:
    static constexpr const char* kTag = "imghorzex";
    const char* TagName() const override { return kTag; }

    // The image attributes of imglst, then left (width of the left cap).
    HRESULT ApplyAttribute(std::string_view name, std::string_view value, bool loading) override;

    // Sub-image: the whole bitmap for state -1, else 3 when disabled, 2 when pushed, 1 when
    // hovered, 0 otherwise. A rectangle narrower than the bitmap is widened to it.
    void Draw(HDC dc, const RECT& rect, int state) override;
    // Width 0 (the bar stretches), the bitmap's height.
    SIZE NaturalSize() const override;
    bool IsStateless() const override { return m_skin.IsStateless(); }

private:
    CBkImageSkin m_skin;
    int m_left = 0;
};

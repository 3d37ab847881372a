// Skin "imglst": a bitmap drawn whole or as one of its sub-images, at its own size.
#pragma once

#include "bkwin/BkImage.h"
#include "bkwin/BkSkinBase.h"

class CBkImageSkin : public CBkSkinBase {
public:
    static constexpr const char* kTag = "imglst";
    const char* TagName() const override { return kTag; }

    // src (bitmap id), mode ("none", "mask", "alpha"), maskcolor, subwidth.
    HRESULT ApplyAttribute(std::string_view name, std::string_view value, bool loading) override;

    // The state is the sub-image index (-1 = the whole bitmap); drawn at the rectangle's
    // top-left corner whatever the rectangle's size.
    void Draw(HDC dc, const RECT& rect, int state) override;
    // The bitmap size, one sub-image wide when divided.
    SIZE NaturalSize() const override;
    bool IsStateless() const override { return m_image.subWidth == 0; }

    const CBkImage& Image() const { return m_image; }

private:
    CBkImage m_image;
};

// Skin "png": a PNG image drawn whole or as one of its sub-images, honouring its alpha.
#pragma once

#include "bkwin/BkSkinBase.h"
#include "platform/draw/GdiObject.h"

class CBkPngSkin : public CBkSkinBase {
public:
    static constexpr const char* kTag = "png";
    const char* TagName() const override { return kTag; }

    // src (PNG id), subwidth.
    HRESULT ApplyAttribute(std::string_view name, std::string_view value, bool loading) override;
    // After the attributes, takes the image from the PNG pool when src is not 0.
    bool LoadXml(const TiXmlElement& element) override;

    // With subwidth the state picks the column state x subwidth; drawn at the image's own
    // size at the rectangle's top-left corner.
    void Draw(HDC dc, const RECT& rect, int state) override;
    SIZE NaturalSize() const override;
    bool IsStateless() const override { return m_subWidth == 0; }

private:
    HBITMAP m_image = nullptr; // 32-bit, straight alpha; owned by the PNG pool
    int m_src = 0;
    int m_subWidth = 0;
};

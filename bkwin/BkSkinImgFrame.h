// Skin "imgframe": a nine-part frame cut from a bitmap around its middle pixel; the corners are
// copied, the bands stretched, and the middle filled with a colour.
#pragma once

#include "bkwin/BkImageSkin.h"
#include "platform/draw/DeviceContext.h"

// Which pieces of a frame are drawn. Corners are drawn where both neighbouring bands are.
constexpr int BkFrameTop = 0x01;
constexpr int BkFrameBottom = 0x04;
constexpr int BkFrameLeft = 0x08;
constexpr int BkFrameRight = 0x20;

class CBkSkinImgFrame : public CBkSkinBase {
public:
    static constexpr const char* kTag = "imgframe";
    const char* TagName() const override { return kTag; }

    // The image attributes of imglst, then crbg, left, top and part ("all", "top", "middle",
    // "bottom", "left", "center", "right").
    HRESULT ApplyAttribute(std::string_view name, std::string_view value, bool loading) override;

    // The state is ignored: the bitmap is always used whole.
    void Draw(HDC dc, const RECT& rect, int state) override;

private:
    CBkImageSkin m_skin;
    int m_left = 0;
    int m_top = 0;
    COLORREF m_background = CLR_INVALID; // none: the middle stays as it was
    int m_part = 0x2F;
};

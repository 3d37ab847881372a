// The "imgbtn" element: an image whose sub-image follows the state (normal 0, hover 1,
// pushed 2, disabled 3), repainted on every change of hover or press.
#pragma once

#include "bkwin/BkImg.h"

class CBkImageBtnWnd : public CBkImageWnd {
public:
    static constexpr const char* kTag = "imgbtn";
    const char* TagName() const override { return kTag; }
    bool RepaintsOnStateChange() override { return true; }

protected:
    int PaintedSubImage() const override;
};

// The "text" element: a static text drawn, sized and clicked exactly as the element base.
#pragma once

#include "bkwin/BkWindow.h"

class CBkStatic : public CBkWindow {
public:
    static constexpr const char* kTag = "text";
    const char* TagName() const override { return kTag; }
};

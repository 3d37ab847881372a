// The "button" element: a text element that always repaints on hover and press, so a
// state-dependent skin in its class shows its normal, hover and pushed looks.
#pragma once

#include "bkwin/BkWindow.h"

class CBkButton : public CBkWindow {
public:
    static constexpr const char* kTag = "button";
    const char* TagName() const override { return kTag; }
    bool RepaintsOnStateChange() override { return true; }
};

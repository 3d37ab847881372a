// The "link" element: looks like a text, but inside a dialog header it is pressed like a
// button instead of starting a window drag.
#pragma once

#include "bkwin/BkWindow.h"

class CBkLink : public CBkWindow {
public:
    static constexpr const char* kTag = "link";
    const char* TagName() const override { return kTag; }
};

// A named way of painting a rectangle, declared in the skin list.
#pragma once

#include "bkwin/BkObject.h"
#include "bkwin/BkStates.h"
#include "platform/base/Types.h"

class CBkSkinBase : public CBkObject {
public:
    // `state` is what the caller passes: element state bits (hover 1, pushed 2, checked 4,
    // hidden 8, disabled 16), or a sub-image index chosen by a control (-1 = whole image).
    virtual void Draw(HDC dc, const RECT& rect, int state) = 0;
    virtual SIZE NaturalSize() const { return {}; }
    // True when the skin looks the same whatever the state.
    virtual bool IsStateless() const { return true; }
};

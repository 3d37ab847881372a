#include "bkwin/BkButtonGlyph.h"

#include "bkwin/BkStates.h"
#include "platform/draw/FrameControl.h"

void DrawButtonGlyph(HDC dc, const RECT& glyph, UINT kind, std::uint32_t state) {
    UINT flags = kind | DFCS_TRANSPARENT;
    if (state & STATE_DISABLED) {
        flags |= DFCS_INACTIVE;
    }
    if (state & STATE_HOVER) {
        flags |= DFCS_HOT;
    }
    if (state & STATE_PUSHED) {
        flags |= DFCS_PUSHED;
    }
    if (state & STATE_CHECKED) {
        flags |= DFCS_CHECKED;
    }
    DrawFrameControl(dc, &glyph, DFC_BUTTON, flags);
}

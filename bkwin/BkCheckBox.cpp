#include "bkwin/BkCheckBox.h"

#include "platform/draw/FrameControl.h"

// The glyph is as high as the element, not a square.
CBkCheckBox::CBkCheckBox()
    : CBkGlyphBox({DFCS_BUTTONCHECK, /*glyphSize=*/13, /*square=*/false, /*textIndent=*/17,
                   /*extraTextMode=*/0}) {}

bool CBkCheckBox::HandleMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                LRESULT& result) {
    if (msg != WM_LBUTTONUP) {
        return CBkGlyphBox::HandleMessage(hwnd, msg, wParam, lParam, result);
    }
    result = 0;
    if (state & STATE_CHECKED) {
        ModifyState(0, STATE_CHECKED);
    } else {
        ModifyState(STATE_CHECKED, 0);
    }
    return true;
}

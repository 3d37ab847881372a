#include "bkwin/BkCheckBox.h"

#include "bkwin/BkButtonGlyph.h"
#include "bkwin/BkValueParsers.h"
#include "platform/draw/DrawText.h"
#include "platform/draw/FrameControl.h"

#include <algorithm>

namespace {

constexpr int kGlyphWidth = 13;
// The text starts this far right of the element's left edge.
constexpr int kTextIndent = 17;

} // namespace

HRESULT CBkCheckBox::ApplyAttribute(std::string_view name, std::string_view value, bool loading) {
    if (SUCCEEDED(CBkWindow::ApplyAttribute(name, value, loading))) {
        return S_OK;
    }
    if (name == "check") {
        checkValue = ParseInt(value);
        return S_OK;
    }
    return E_FAIL;
}

bool CBkCheckBox::HandleMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                LRESULT& result) {
    switch (msg) {
    case WM_PAINT: {
        // As high as the element, not a square.
        const RECT glyph{rect.left, rect.top, rect.left + kGlyphWidth, rect.bottom};
        DrawButtonGlyph(HDC(wParam), glyph, DFCS_BUTTONCHECK, state);
        style.textmode = (style.textmode & ~DT_BOTTOM) | DT_VCENTER;
        rect.left += kTextIndent;
        CBkWindow::HandleMessage(hwnd, msg, wParam, lParam, result);
        rect.left -= kTextIndent;
        return true;
    }
    case WM_NCCALCSIZE:
        CBkWindow::HandleMessage(hwnd, msg, wParam, lParam, result);
        if (lParam) {
            auto& size = *reinterpret_cast<SIZE*>(lParam);
            size.cx += kTextIndent;
            size.cy = std::max<LONG>(size.cy, kGlyphWidth);
        }
        return true;
    case WM_LBUTTONUP:
        result = 0;
        if (state & STATE_CHECKED) {
            ModifyState(0, STATE_CHECKED);
        } else {
            ModifyState(STATE_CHECKED, 0);
        }
        return true;
    default:
        return CBkWindow::HandleMessage(hwnd, msg, wParam, lParam, result);
    }
}

#include "bkwin/BkGlyphBox.h"

#include "bkwin/BkButtonGlyph.h"
#include "bkwin/BkValueParsers.h"
#include "platform/draw/DrawText.h"

#include <algorithm>

HRESULT CBkGlyphBox::ApplyAttribute(std::string_view name, std::string_view value, bool loading) {
    if (SUCCEEDED(CBkWindow::ApplyAttribute(name, value, loading))) {
        return S_OK;
    }
    if (name == "check") {
        checkValue = ParseInt(value);
        return S_OK;
    }
    return E_FAIL;
}

bool CBkGlyphBox::HandleMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                LRESULT& result) {
    switch (msg) {
    case WM_PAINT: {
        const int top =
            m_look.square ? rect.top + (rect.Height() - m_look.glyphSize) / 2 : rect.top;
        const int bottom = m_look.square ? top + m_look.glyphSize : rect.bottom;
        const RECT glyph{rect.left, top, rect.left + m_look.glyphSize, bottom};
        DrawButtonGlyph(HDC(wParam), glyph, m_look.kind, state);
        style.textmode = (style.textmode & ~DT_BOTTOM) | DT_VCENTER | m_look.extraTextMode;
        rect.left += m_look.textIndent;
        CBkWindow::HandleMessage(hwnd, msg, wParam, lParam, result);
        rect.left -= m_look.textIndent;
        return true;
    }
    case WM_NCCALCSIZE:
        CBkWindow::HandleMessage(hwnd, msg, wParam, lParam, result);
        if (lParam) {
            auto& size = *reinterpret_cast<SIZE*>(lParam);
            size.cx += m_look.textIndent;
            size.cy = std::max<LONG>(size.cy, m_look.glyphSize);
        }
        return true;
    default:
        return CBkWindow::HandleMessage(hwnd, msg, wParam, lParam, result);
    }
}

#include "bkwin/BkLine.h"

#include "bkwin/BkValueParsers.h"
#include "platform/draw/DeviceContext.h"
#include "platform/draw/Pen.h"
#include "platform/draw/Shapes.h"

#include <algorithm>
#include <array>
#include <utility>

HRESULT CBkLine::ApplyAttribute(std::string_view name, std::string_view value, bool loading) {
    if (SUCCEEDED(CBkWindow::ApplyAttribute(name, value, loading))) {
        return S_OK;
    }
    if (name == "size") {
        penWidth = ParseInt(value);
        return S_OK;
    }
    if (name == "style") {
        static constexpr std::array<std::pair<std::string_view, int>, 5> kStyles{{
            {"solid", PS_SOLID},
            {"dash", PS_DASH},
            {"dot", PS_DOT},
            {"dashdot", PS_DASHDOT},
            {"dashdotdot", PS_DASHDOTDOT},
        }};
        for (const auto& [word, penStyleValue] : kStyles) {
            if (value == word) {
                penStyle = penStyleValue;
                return S_OK;
            }
        }
        return E_FAIL;
    }
    return E_FAIL;
}

bool CBkLine::PaintRegion(HDC dc, HRGN region) {
    const LONG reach = std::max(penWidth, 1);
    const RECT bounds{
        std::min(rect.left, rect.right) - reach, std::min(rect.top, rect.bottom) - reach,
        std::max(rect.left, rect.right) + reach, std::max(rect.top, rect.bottom) + reach};
    if (region && !RectInRegion(region, &bounds)) {
        return false;
    }
    SendElementMessage(this, WM_PAINT, WPARAM(dc), 0);
    return true;
}

bool CBkLine::HandleMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (msg != WM_PAINT) {
        return CBkWindow::HandleMessage(hwnd, msg, wParam, lParam, result);
    }
    result = 0;
    const HDC dc = HDC(wParam);
    CGdiHandle<HPEN> pen(CreatePen(penStyle, penWidth, style.crbg));
    const HPEN previous = SelectObject(dc, pen.Get());
    MoveToEx(dc, rect.left, rect.top, nullptr);
    LineTo(dc, rect.right, rect.bottom);
    SelectObject(dc, previous);
    return true;
}

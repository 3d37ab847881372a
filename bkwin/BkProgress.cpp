#include "bkwin/BkProgress.h"

#include "bkwin/BkSkinPool.h"
#include "bkwin/BkValueParsers.h"
#include "platform/draw/Brush.h"
#include "platform/draw/DeviceContext.h"
#include "platform/draw/DrawText.h"
#include "platform/draw/Pen.h"
#include "platform/draw/Shapes.h"

#include <algorithm>
#include <cstdio>
#include <utility>

namespace {

constexpr COLORREF kFrameGrey = RGB(112, 112, 112);
constexpr COLORREF kBarBlue = RGB(66, 97, 144);
constexpr UINT kPercentFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE;

} // namespace

HRESULT CBkProgress::ApplyAttribute(std::string_view name, std::string_view text, bool loading) {
    if (SUCCEEDED(CBkWindow::ApplyAttribute(name, text, loading))) {
        return S_OK;
    }
    if (name == "bgskin") {
        backgroundSkin = BkSkinPool::Instance().Get(text);
    } else if (name == "posskin") {
        positionSkin = BkSkinPool::Instance().Get(text);
    } else if (name == "min") {
        min = ParseInt(text);
    } else if (name == "max") {
        max = ParseInt(text);
    } else if (name == "value") {
        value = ParseInt(text);
    } else if (name == "showpercent") {
        showPercent = ParseInt(text);
    } else {
        return E_FAIL;
    }
    return S_OK;
}

double CBkProgress::NormalisedRatio() {
    if (max == min) {
        return 0;
    }
    auto low = std::uint32_t(min);
    auto high = std::uint32_t(max);
    if (high < low) {
        std::swap(low, high);
        min = std::int32_t(low);
        max = std::int32_t(high);
    }
    const std::uint32_t position = std::clamp(std::uint32_t(value), low, high);
    value = std::int32_t(position);
    return double(position - low) / double(high - low);
}

void CBkProgress::Paint(HDC dc) {
    CDcStateSaver saver(dc);
    SelectTextLook(dc);
    CGdiHandle<HPEN> pen(CreatePen(PS_SOLID, 1, kFrameGrey));
    const HPEN previousPen = SelectObject(dc, pen.Get());

    if (backgroundSkin) {
        backgroundSkin->Draw(dc, rect, 0);
    } else {
        RoundRect(dc, rect.left, rect.top, rect.right, rect.bottom, 2, 2);
    }

    const double ratio = NormalisedRatio();
    WString percentText;
    if (showPercent) {
        wchar_t buffer[16];
        std::swprintf(buffer, std::size(buffer), L"%d%%", int(ratio * 100.0));
        percentText = buffer;
        RECT box = rect;
        DrawText(dc, percentText, &box, kPercentFormat);
    }

    RECT bar = rect;
    if (positionSkin) {
        const LONG dy = (rect.Height() - positionSkin->NaturalSize().cy) / 2;
        bar = {bar.left + 2, bar.top + dy, bar.right - 2, bar.bottom - dy};
        bar.right = bar.left + LONG(bar.Width() * ratio);
        positionSkin->Draw(dc, bar, 0);
    } else {
        bar = {bar.left + 2, bar.top + 2, bar.right - 2, bar.bottom - 2};
        bar.right = bar.left + LONG(bar.Width() * ratio);
        CGdiHandle<HBRUSH> fill(CreateSolidBrush(kBarBlue));
        FillRect(dc, &bar, fill.Get());
    }
    SelectObject(dc, previousPen);

    if (showPercent) {
        // The part of the text over the bar in the inverse colour.
        CDcStateSaver clipSaver(dc);
        IntersectClipRect(dc, bar.left, bar.top, bar.right, bar.bottom);
        SetTextColor(dc, style.crbg != CLR_INVALID ? style.crbg : RGB(255, 255, 255));
        RECT box = rect;
        DrawText(dc, percentText, &box, kPercentFormat);
    }
}

bool CBkProgress::HandleMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                LRESULT& result) {
    if (msg == WM_PAINT) {
        result = 0;
        Paint(HDC(wParam));
        return true;
    }
    const bool handled = CBkWindow::HandleMessage(hwnd, msg, wParam, lParam, result);
    if (msg == WM_NCCALCSIZE && lParam && backgroundSkin) {
        reinterpret_cast<SIZE*>(lParam)->cy = backgroundSkin->NaturalSize().cy;
    }
    return handled;
}

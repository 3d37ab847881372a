#include "bkwin/BkImg.h"

#include "bkwin/BkSkinPool.h"
#include "bkwin/BkValueParsers.h"

#include <string>

void ApplySkinNaturalSize(const CBkSkinBase* skin, SIZE& size) {
    if (!skin) {
        return;
    }
    const SIZE natural = skin->NaturalSize();
    if (natural.cx != 0) {
        size.cx = natural.cx;
    }
    if (natural.cy != 0) {
        size.cy = natural.cy;
    }
}

HRESULT CBkImageWnd::ApplyAttribute(std::string_view name, std::string_view value, bool loading) {
    if (SUCCEEDED(CBkWindow::ApplyAttribute(name, value, loading))) {
        return S_OK;
    }
    if (name == "skin") {
        skin = BkSkinPool::Instance().Get(value);
        return S_OK;
    }
    if (name == "sub") {
        subImage = ParseInt(value);
        return S_OK;
    }
    return E_FAIL;
}

bool CBkImageWnd::HandleMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                LRESULT& result) {
    if (msg == WM_PAINT) {
        result = 0;
        if (skin) {
            skin->Draw(HDC(wParam), rect, PaintedSubImage());
        }
        return true;
    }
    const bool handled = CBkWindow::HandleMessage(hwnd, msg, wParam, lParam, result);
    if (msg == WM_NCCALCSIZE && lParam) {
        ApplySkinNaturalSize(skin, *reinterpret_cast<SIZE*>(lParam));
    }
    return handled;
}

#include "bkwin/BkMemoryImage.h"

#include "bkwin/BkValueParsers.h"
#include "platform/draw/Bitmap.h"
#include "platform/draw/Blit.h"
#include "platform/draw/DeviceContext.h"

#include <charconv>
#include <cstdint>

HRESULT CBkMemoryImage::ApplyAttribute(std::string_view name, std::string_view value,
                                       bool loading) {
    if (SUCCEEDED(CBkWindow::ApplyAttribute(name, value, loading))) {
        return S_OK;
    }
    if (name == "mempointer") {
        // A full-width address: a 32-bit number would cut 64-bit pointers.
        std::uintptr_t address = 0;
        std::from_chars(value.data(), value.data() + value.size(), address);
        image = reinterpret_cast<HBITMAP>(address);
        return S_OK;
    }
    if (name == "autosize") {
        if (!value.empty()) {
            sizeMode = ParseInt(value);
        }
        return S_OK;
    }
    return E_FAIL;
}

void CBkMemoryImage::Paint(HDC dc) const {
    BITMAP info;
    if (!image || (sizeMode != 0 && sizeMode != 1) || !GetObject(image, &info)) {
        return;
    }
    const RECT dest = sizeMode == 1 ? rect
                                    : RECT{rect.left, rect.top, rect.left + info.bmWidth,
                                           rect.top + info.bmHeight};
    CMemoryDC memory(dc);
    SelectObject(memory, image);
    const BYTE format = info.bmBitsPixel == 32 ? AC_SRC_ALPHA : 0;
    AlphaBlend(dc, dest.left, dest.top, dest.Width(), dest.Height(), memory, 0, 0, info.bmWidth,
               info.bmHeight, BLENDFUNCTION{AC_SRC_OVER, 0, 255, format});
}

bool CBkMemoryImage::HandleMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                   LRESULT& result) {
    if (msg == WM_PAINT) {
        result = 0;
        Paint(HDC(wParam));
        return true;
    }
    return CBkWindow::HandleMessage(hwnd, msg, wParam, lParam, result);
}

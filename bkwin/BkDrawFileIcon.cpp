#include "bkwin/BkDrawFileIcon.h"

#include "bkwin/BkFileIconCache.h"
#include "bkwin/BkValueParsers.h"

#include <charconv>
#include <cstdint>

HRESULT CBkDrawFileIcon::ApplyAttribute(std::string_view name, std::string_view value,
                                        bool loading) {
    if (SUCCEEDED(CBkWindow::ApplyAttribute(name, value, loading))) {
        return S_OK;
    }
    if (name == "srcfile") {
        if (!value.empty()) {
            srcFile = value;
        }
    } else if (name == "iconhandle") {
        if (!value.empty()) {
            // An address is wider than ParseInt reads: the decimal digits as a whole number.
            std::uintptr_t address = 0;
            std::from_chars(value.data(), value.data() + value.size(), address);
            iconHandle = reinterpret_cast<HICON>(address);
        }
    } else if (name == "issmall") {
        if (!value.empty()) {
            smallIcon = ParseInt(value);
        }
    } else {
        return E_FAIL;
    }
    return S_OK;
}

HICON CBkDrawFileIcon::PaintedIcon() const {
    if (iconHandle) {
        return iconHandle;
    }
    return srcFile.empty() ? nullptr : FileIconCache::Instance().Get(srcFile, smallIcon != 0);
}

bool CBkDrawFileIcon::HandleMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                    LRESULT& result) {
    if (msg == WM_PAINT) {
        result = 0;
        if (HICON icon = PaintedIcon()) {
            DrawIconEx(HDC(wParam), rect.left, rect.top, icon, rect.Width(), rect.Height(), 0,
                       nullptr, DI_NORMAL);
        }
        return true;
    }
    return CBkWindow::HandleMessage(hwnd, msg, wParam, lParam, result);
}

#include "bkwin/BkIconElement.h"

#include "bkwin/BkResource.h"
#include "bkwin/BkValueParsers.h"
#include "platform/draw/SystemIcons.h"

bool CBkIconWnd::LoadXml(const TiXmlElement& element) {
    if (!CBkWindow::LoadXml(element)) {
        return false;
    }
    ReloadIcon();
    return true;
}

HRESULT CBkIconWnd::ApplyAttribute(std::string_view name, std::string_view value, bool loading) {
    if (SUCCEEDED(CBkWindow::ApplyAttribute(name, value, loading))) {
        return S_OK;
    }
    if (name == "src") {
        resourceId = ParseInt(value);
    } else if (name == "oem") {
        systemIcon = ParseInt(value);
    } else if (name == "size") {
        size = ParseInt(value);
    } else {
        return E_FAIL;
    }
    return S_OK;
}

void CBkIconWnd::ReloadIcon() {
    icon_.reset();
    icon_.reset(systemIcon ? LoadIcon(nullptr, UINT(resourceId))
                           : LoadSkinIcon(resourceId, size, size));
    loadedId_ = resourceId;
}

bool CBkIconWnd::HandleMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (msg) {
    case WM_PAINT:
        result = 0;
        if (resourceId != loadedId_) {
            ReloadIcon();
        }
        if (icon_) {
            DrawIconEx(HDC(wParam), rect.left, rect.top, icon_.get(), rect.Width(), rect.Height(),
                       0, nullptr, DI_NORMAL);
        }
        return true;
    case WM_NCCALCSIZE:
        result = 0;
        if (lParam) {
            *reinterpret_cast<SIZE*>(lParam) = {size, size};
        }
        return true;
    default:
        return CBkWindow::HandleMessage(hwnd, msg, wParam, lParam, result);
    }
}

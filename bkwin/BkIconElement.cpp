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
    m_icon.reset();
    m_icon.reset(systemIcon ? LoadIcon(nullptr, UINT(resourceId))
                            : LoadSkinIcon(resourceId, size, size));
    m_loadedId = resourceId;
}

bool CBkIconWnd::HandleMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (msg) {
    case WM_PAINT:
        result = 0;
        if (resourceId != m_loadedId) {
            ReloadIcon();
        }
        if (m_icon) {
            DrawIconEx(HDC(wParam), rect.left, rect.top, m_icon.get(), rect.Width(), rect.Height(),
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

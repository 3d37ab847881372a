// The "icon" element: a program icon (or a system icon) stretched to the element rectangle.
// It reloads when its resource id changed since the last load.
#pragma once

#include "bkwin/BkWindow.h"
#include "platform/draw/Icon.h"

#include <memory>

class CBkIconWnd : public CBkWindow {
public:
    static constexpr const char* kTag = "icon";
    const char* TagName() const override { return kTag; }

    // Loads as the base does, then loads the icon.
    bool LoadXml(const TiXmlElement& element) override;
    // src (resource id), oem (non-zero: src is a system icon), size (pixels, square).
    HRESULT ApplyAttribute(std::string_view name, std::string_view value, bool loading) override;
    bool HandleMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

    std::int32_t resourceId = -1;
    std::int32_t size = 16;
    std::int32_t systemIcon = 0;

    HICON Icon() const { return m_icon.get(); }

private:
    // Destroys the icon held and loads the one `resourceId` names now.
    void ReloadIcon();

    CIconPtr m_icon;
    std::int32_t m_loadedId = -1;
};

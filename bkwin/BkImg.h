// The "img" element: one skin drawn over the element rectangle with a fixed sub-image index.
#pragma once

#include "bkwin/BkSkinBase.h"
#include "bkwin/BkWindow.h"

// A skin's natural size replaces the components of a measured size that it gives (non-zero).
void ApplySkinNaturalSize(const CBkSkinBase* skin, SIZE& size);

class CBkImageWnd : public CBkWindow {
public:
    static constexpr const char* kTag = "img";
    const char* TagName() const override { return kTag; }

    // skin (by name; an unknown name gives no skin), sub.
    HRESULT ApplyAttribute(std::string_view name, std::string_view value, bool loading) override;
    bool HandleMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

    std::int32_t subImage = -1;
    CBkSkinBase* skin = nullptr;

protected:
    // The index handed to the skin's Draw at each paint.
    virtual int PaintedSubImage() const { return subImage; }
};

// The "progress" element: a bar filled by the ratio of value within [min, max], on a skin or
// a built-in rounded frame, with an optional percentage drawn in inverse colour over the bar.
#pragma once

#include "bkwin/BkSkinBase.h"
#include "bkwin/BkWindow.h"

class CBkProgress : public CBkWindow {
public:
    static constexpr const char* kTag = "progress";
    const char* TagName() const override { return kTag; }

    // bgskin, posskin (by name), min, max, value, showpercent.
    HRESULT ApplyAttribute(std::string_view name, std::string_view value, bool loading) override;
    bool HandleMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

    std::int32_t min = 0;
    std::int32_t max = 0;
    std::int32_t value = 0;
    std::int32_t showPercent = 0;
    CBkSkinBase* backgroundSkin = nullptr;
    CBkSkinBase* positionSkin = nullptr;

private:
    void Paint(HDC dc);
    // Orders the range and clamps the value into it, storing both back, and answers the
    // filled fraction. The numbers are compared as unsigned 32-bit values.
    double NormalisedRatio();
};

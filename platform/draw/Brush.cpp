#include "platform/draw/Brush.h"

#include <array>
#include <cstdint>

namespace {

constexpr int kSysColourCount = 31;

} // namespace

HBRUSH CreateSolidBrush(COLORREF colour) {
    return new CBrush(false, colour);
}

COLORREF GetSysColor(int index) {
    switch (index) {
    case COLOR_SCROLLBAR:
        return RGB(200, 200, 200);
    case COLOR_BACKGROUND:
        return RGB(58, 110, 165);
    case COLOR_WINDOW:
    case COLOR_BTNHIGHLIGHT:
    case COLOR_HIGHLIGHTTEXT:
        return RGB(255, 255, 255);
    case COLOR_WINDOWFRAME:
    case COLOR_3DDKSHADOW:
        return RGB(64, 64, 64);
    case COLOR_WINDOWTEXT:
    case COLOR_BTNTEXT:
    case COLOR_INFOTEXT:
        return RGB(0, 0, 0);
    case COLOR_HIGHLIGHT:
        return RGB(0, 120, 215);
    case COLOR_BTNFACE:
        return RGB(240, 240, 240);
    case COLOR_BTNSHADOW:
        return RGB(160, 160, 160);
    case COLOR_GRAYTEXT:
        return RGB(109, 109, 109);
    case COLOR_3DLIGHT:
        return RGB(227, 227, 227);
    case COLOR_INFOBK:
        return RGB(255, 255, 225);
    default:
        return RGB(240, 240, 240);
    }
}

HBRUSH GetSysColorBrush(int index) {
    if (index < 0 || index >= kSysColourCount) {
        return nullptr;
    }
    // Made once and never freed, like every stock object.
    static const std::array<CBrush*, kSysColourCount> brushes = [] {
        std::array<CBrush*, kSysColourCount> made{};
        for (int i = 0; i < kSysColourCount; ++i) {
            made[std::size_t(i)] = new CBrush(false, GetSysColor(i), true);
        }
        return made;
    }();
    return brushes[std::size_t(index)];
}

CBrush* BrushFromHandle(HBRUSH brush) {
    const auto value = reinterpret_cast<std::uintptr_t>(brush);
    if (value != 0 && value <= std::uintptr_t(kSysColourCount)) {
        return GetSysColorBrush(int(value) - 1);
    }
    return GdiCast<CBrush>(brush);
}

#include "platform/draw/SystemIcons.h"

#include "platform/draw/Gdi.h"

#include <array>
#include <cmath>
#include <functional>
#include <mutex>

namespace {

constexpr int kSize = 32;
constexpr int kSamples = 4; // per axis: each pixel's coverage is measured at 16 points

using Mask = std::vector<std::uint8_t>; // kSize x kSize coverage, 0 to 255
using Shape = std::function<bool(double x, double y)>;

Mask MaskOf(const Shape& inside) {
    Mask mask(kSize * kSize);
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            int hits = 0;
            for (int sy = 0; sy < kSamples; ++sy) {
                for (int sx = 0; sx < kSamples; ++sx) {
                    hits += inside(x + (sx + 0.5) / kSamples, y + (sy + 0.5) / kSamples);
                }
            }
            mask[std::size_t(y * kSize + x)] = std::uint8_t(hits * 255 / (kSamples * kSamples));
        }
    }
    return mask;
}

bool InCircle(double x, double y) {
    return (x - 16) * (x - 16) + (y - 16) * (y - 16) <= 15 * 15;
}

bool InTriangle(double x, double y) {
    // Apex at the top centre, base along the bottom.
    if (y > 29 || y < 2) {
        return false;
    }
    const double half = (y - 2) * 14.5 / 27;
    return x >= 16 - half && x <= 16 + half;
}

double SegmentDistance(double x, double y, double ax, double ay, double bx, double by) {
    const double vx = bx - ax, vy = by - ay;
    const double t = std::clamp(((x - ax) * vx + (y - ay) * vy) / (vx * vx + vy * vy), 0.0, 1.0);
    return std::hypot(x - ax - t * vx, y - ay - t * vy);
}

bool InCross(double x, double y) {
    return SegmentDistance(x, y, 11, 11, 21, 21) <= 1.9 ||
           SegmentDistance(x, y, 21, 11, 11, 21) <= 1.9;
}

// A bold character drawn with the layer's own text, centred by its ink on (16, 16 + dy).
Mask GlyphMask(wchar_t c, int dy) {
    constexpr int kRoom = 64;
    CMemoryDC dc;
    CGdiHandle<HBITMAP> canvas(CreateCompatibleBitmap(dc, kRoom, kRoom));
    CGdiHandle<HFONT> font;
    LOGFONT lf;
    lf.lfHeight = -24;
    lf.lfWeight = FW_BOLD;
    lf.lfFaceName = L"Tahoma";
    font.Reset(CreateFontIndirect(&lf));
    HBITMAP oldBitmap = SelectObject(dc, canvas.Get());
    HFONT oldFont = SelectObject(dc, font.Get());
    SetTextColor(dc, RGB(255, 255, 255));
    SetBkMode(dc, TRANSPARENT);
    TextOut(dc, 16, 8, std::wstring_view(&c, 1));
    RECT ink{};
    for (int y = 0; y < kRoom; ++y) {
        for (int x = 0; x < kRoom; ++x) {
            if (GetRValue(GetPixel(dc, x, y)) != 0) {
                ink = BoundingRect(ink, RECT{x, y, x + 1, y + 1});
            }
        }
    }
    Mask mask(kSize * kSize);
    const int offsetX = ink.left + ink.Width() / 2 - kSize / 2;
    const int offsetY = ink.top + ink.Height() / 2 - kSize / 2 - dy;
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            const int sx = x + offsetX, sy = y + offsetY;
            if (sx >= 0 && sx < kRoom && sy >= 0 && sy < kRoom) {
                mask[std::size_t(y * kSize + x)] = GetRValue(GetPixel(dc, sx, sy));
            }
        }
    }
    SelectObject(dc, oldFont);
    SelectObject(dc, oldBitmap);
    return mask;
}

// The symbol in its colour over the shape in its colour; alpha is the shape's coverage.
HICON Compose(const Mask& shape, COLORREF shapeColour, const Mask& symbol, COLORREF symbolColour) {
    std::vector<std::uint32_t> pixels(kSize * kSize);
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        const unsigned s = symbol[i], rest = 255 - s;
        auto channel = [&](BYTE under, BYTE over) { return (over * s + under * rest) / 255; };
        const std::uint32_t b = channel(GetBValue(shapeColour), GetBValue(symbolColour));
        const std::uint32_t g = channel(GetGValue(shapeColour), GetGValue(symbolColour));
        const std::uint32_t r = channel(GetRValue(shapeColour), GetRValue(symbolColour));
        pixels[i] = (std::uint32_t(shape[i]) << 24) | (r << 16) | (g << 8) | b;
    }
    return RegisterIcon(new CIcon(kSize, kSize, std::move(pixels), true));
}

HICON MakeSystemIcon(UINT id) {
    const COLORREF white = RGB(255, 255, 255);
    switch (id) {
    case IDI_HAND:
        return Compose(MaskOf(InCircle), RGB(232, 17, 35), MaskOf(InCross), white);
    case IDI_QUESTION:
        return Compose(MaskOf(InCircle), RGB(0, 120, 215), GlyphMask(L'?', 0), white);
    case IDI_EXCLAMATION:
        return Compose(MaskOf(InTriangle), RGB(255, 185, 0), GlyphMask(L'!', 4), RGB(0, 0, 0));
    case IDI_ASTERISK:
        return Compose(MaskOf(InCircle), RGB(0, 120, 215), GlyphMask(L'i', 0), white);
    case IDI_APPLICATION:
        return Compose(
            MaskOf([](double x, double y) { return x >= 2 && x < 30 && y >= 4 && y < 28; }),
            RGB(0, 120, 215),
            MaskOf([](double x, double y) { return x >= 4 && x < 28 && y >= 9 && y < 26; }), white);
    default:
        return nullptr;
    }
}

} // namespace

HICON LoadIcon(const void* module, UINT id) {
    if (module || id < IDI_APPLICATION || id > IDI_ASTERISK) {
        return nullptr;
    }
    // Made on first use, kept for the process.
    static std::mutex lock;
    static std::array<HICON, IDI_ASTERISK - IDI_APPLICATION + 1> icons{}; // guarded by lock
    std::lock_guard guard(lock);
    HICON& icon = icons[id - IDI_APPLICATION];
    if (!icon) {
        icon = MakeSystemIcon(id);
    }
    return icon;
}

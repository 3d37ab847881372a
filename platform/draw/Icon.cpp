#include "platform/draw/Icon.h"

#include "platform/draw/Bitmap.h"
#include "platform/draw/Raster.h"

#include <mutex>
#include <unordered_set>

namespace {

struct CLiveIcons {
    std::mutex lock;
    std::unordered_set<const CIcon*> icons; // guarded by lock
};

CLiveIcons& LiveIcons() {
    static CLiveIcons live;
    return live;
}

bool IsIcon(HICON icon) {
    std::lock_guard guard(LiveIcons().lock);
    return icon && LiveIcons().icons.count(icon);
}

// Source pixels [first, last) that destination pixel d of n covers when n pixels show m.
std::pair<int, int> Footprint(int d, int n, int m) {
    const int first = int(std::int64_t(d) * m / n);
    const int last = std::max(first + 1, int(std::int64_t(d + 1) * m / n));
    return {first, std::min(last, m)};
}

} // namespace

HICON RegisterIcon(CIcon* icon) {
    std::lock_guard guard(LiveIcons().lock);
    LiveIcons().icons.insert(icon);
    return icon;
}

HICON CreateIconIndirect(const ICONINFO* info) {
    CBitmap* colour = info ? GdiCast<CBitmap>(info->hbmColor) : nullptr;
    if (!colour) {
        return nullptr;
    }
    const int w = colour->Width(), h = colour->Height();
    std::vector<std::uint32_t> pixels(std::size_t(w) * std::size_t(h));
    bool anyAlpha = false;
    for (int y = 0; y < h; ++y) {
        colour->ReadSpan(0, y, w, pixels.data() + std::size_t(y) * w);
    }
    if (colour->BitsPerPixel() == 32) {
        for (std::uint32_t p : pixels) {
            anyAlpha = anyAlpha || (p >> 24) != 0;
        }
    }
    if (!anyAlpha) {
        // No alpha of its own: opaque where the mask is 0.
        CBitmap* mask = GdiCast<CBitmap>(info->hbmMask);
        std::vector<std::uint32_t> row(static_cast<std::size_t>(w));
        for (int y = 0; y < h; ++y) {
            if (mask && y < mask->Height()) {
                mask->ReadSpan(0, y, std::min(w, mask->Width()), row.data());
            }
            for (int x = 0; x < w; ++x) {
                const bool transparent = mask && y < mask->Height() && x < mask->Width() &&
                                         (row[std::size_t(x)] & 0xFFFFFF) != 0;
                std::uint32_t& p = pixels[std::size_t(y) * w + std::size_t(x)];
                p = (p & 0xFFFFFF) | (transparent ? 0 : 0xFF000000u);
            }
        }
    }
    return RegisterIcon(new CIcon(w, h, std::move(pixels)));
}

HICON CreateIconFromBitmap(HBITMAP bitmap) {
    ICONINFO info;
    info.hbmColor = bitmap;
    return CreateIconIndirect(&info);
}

bool DestroyIcon(HICON icon) {
    {
        std::lock_guard guard(LiveIcons().lock);
        if (!icon || !LiveIcons().icons.count(icon)) {
            return false;
        }
        if (icon->IsShared()) {
            return true;
        }
        LiveIcons().icons.erase(icon);
    }
    delete icon;
    return true;
}

bool DrawIconEx(HDC hdc, int x, int y, HICON icon, int width, int height, UINT, HBRUSH,
                UINT flags) {
    if (!IsDeviceContext(hdc) || !IsIcon(icon) || !(flags & DI_IMAGE)) {
        return false;
    }
    CDeviceContext& dc = *hdc;
    const int w = width > 0 ? width : icon->Width();
    const int h = height > 0 ? height : icon->Height();
    const RECT area = dc.ToDevice(RECT{x, y, x + w, y + h});
    const int iw = icon->Width(), ih = icon->Height();
    const std::vector<std::uint32_t>& source = icon->Pixels();
    CBitmap& target = *dc.Target();
    ForEachClipped(dc, area, [&](const RECT& piece) {
        for (int dy = piece.top; dy < piece.bottom; ++dy) {
            // Named copies: structured bindings cannot be captured by the lambda below in every
            // compiler.
            const auto rows = Footprint(dy - area.top, h, ih);
            const int syFirst = rows.first;
            const int syLast = rows.second;
            EditSpan(target, piece.left, dy, piece.Width(), true, [&](std::uint32_t* d) {
                for (int dx = piece.left; dx < piece.right; ++dx) {
                    const auto [sxFirst, sxLast] = Footprint(dx - area.left, w, iw);
                    // Average with alpha weights, so transparent pixels lend no colour.
                    unsigned sumA = 0, sumB = 0, sumG = 0, sumR = 0, count = 0;
                    for (int sy = syFirst; sy < syLast; ++sy) {
                        for (int sx = sxFirst; sx < sxLast; ++sx) {
                            const std::uint32_t p = source[std::size_t(sy) * iw + std::size_t(sx)];
                            const unsigned a = p >> 24;
                            sumA += a;
                            sumB += (p & 0xFF) * a;
                            sumG += ((p >> 8) & 0xFF) * a;
                            sumR += ((p >> 16) & 0xFF) * a;
                            ++count;
                        }
                    }
                    if (sumA == 0) {
                        continue;
                    }
                    const unsigned a = sumA / count;
                    const unsigned b = sumB / sumA, g = sumG / sumA, r = sumR / sumA;
                    std::uint32_t& out = d[dx - piece.left];
                    const unsigned rest = 255 - a;
                    const unsigned ob = (b * a + (out & 0xFF) * rest) / 255;
                    const unsigned og = (g * a + ((out >> 8) & 0xFF) * rest) / 255;
                    const unsigned orr = (r * a + ((out >> 16) & 0xFF) * rest) / 255;
                    out = (out & 0xFF000000u) | ob | (og << 8) | (orr << 16);
                }
            });
        }
    });
    return true;
}

#include "platform/core/Screenshot.h"

#include "platform/core/Backend.h"
#include "platform/core/PaintDC.h"
#include "platform/core/PaintedWindows.h"
#include "platform/core/Window.h"
#include "platform/draw/Bitmap.h"
#include "platform/draw/Brush.h"
#include "platform/draw/PixelColour.h"
#include "platform/draw/image/PngWrite.h"

#include <algorithm>
#include <vector>

namespace {

// Every top-level window, bottom of the z-order first.
std::vector<HWND> TopLevelsBottomUp(HWND any) {
    HWND top = any;
    while (HWND above = GetWindow(top, GW_HWNDPREV)) {
        top = above;
    }
    std::vector<HWND> order;
    for (HWND h = top; h; h = GetWindow(h, GW_HWNDNEXT)) {
        order.push_back(h);
    }
    return {order.rbegin(), order.rend()};
}

} // namespace

bool WriteWindowPng(HWND hwnd, const std::string& path) {
    const HWND top = GetAncestor(hwnd, GA_ROOT);
    const CBitmap* surface = top ? GetWindowSurface(top) : nullptr;
    RECT client{};
    if (!surface || !GetClientRect(hwnd, &client)) {
        return false;
    }
    POINT origin{0, 0};
    MapWindowPoints(hwnd, top, &origin, 1);
    const RECT area = IntersectRects(OffsetRectBy(client, origin.x, origin.y),
                                     RECT{0, 0, surface->Width(), surface->Height()});
    if (area.IsEmpty()) {
        return false;
    }
    return WritePngFile(path, area.Width(), area.Height(),
                        surface->Row(area.top) + std::size_t(area.left) * 4, surface->Stride(), 4);
}

bool WriteScreenPng(const std::string& path) {
    const RECT screen = Backend().ScreenRect();
    if (screen.IsEmpty()) {
        return false;
    }
    const int width = screen.Width(), height = screen.Height();
    std::vector<std::uint32_t> pixels(std::size_t(width) * std::size_t(height),
                                      PixelFromColour(GetSysColor(COLOR_BACKGROUND)));
    const std::vector<HWND> painted = PaintedTopLevels();
    for (HWND h : painted.empty() ? painted : TopLevelsBottomUp(painted.front())) {
        const CBitmap* surface = GetWindowSurface(h);
        RECT rect{};
        if (!surface || !IsWindowVisible(h) || !GetWindowRect(h, &rect)) {
            continue;
        }
        CRegion shape(RECT{0, 0, surface->Width(), surface->Height()});
        CRegion windowRegion;
        if (GetWindowRgn(h, &windowRegion) && !windowRegion.IsEmpty()) {
            shape = shape.Intersect(windowRegion);
        }
        const CRegion onScreen = shape.Offset(rect.left, rect.top).Intersect(CRegion(screen));
        for (const RECT& r : onScreen.Rects()) {
            for (int y = r.top; y < r.bottom; ++y) {
                const std::uint32_t* from =
                    reinterpret_cast<const std::uint32_t*>(surface->Row(y - rect.top)) +
                    (r.left - rect.left);
                std::copy_n(from, r.Width(),
                            pixels.data() + std::size_t(y - screen.top) * std::size_t(width) +
                                std::size_t(r.left - screen.left));
            }
        }
    }
    return WritePngFile(path, width, height, reinterpret_cast<const std::uint8_t*>(pixels.data()),
                        width * 4, 4);
}

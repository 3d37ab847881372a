#include "platform/draw/FrameControl.h"

#include "platform/draw/Brush.h"
#include "platform/draw/PixelColour.h"
#include "platform/draw/Raster.h"

#include <cmath>

namespace {

struct CLook {
    COLORREF border;
    COLORREF face;
    COLORREF mark;
};

CLook LookFor(UINT state) {
    if (state & DFCS_INACTIVE) {
        return {RGB(188, 188, 188), RGB(244, 244, 244), RGB(160, 160, 160)};
    }
    if (state & DFCS_PUSHED) {
        return {RGB(0, 84, 153), RGB(204, 228, 247), RGB(0, 60, 110)};
    }
    if (state & DFCS_HOT) {
        return {RGB(0, 120, 215), RGB(229, 241, 251), RGB(0, 84, 153)};
    }
    return {RGB(112, 112, 112), RGB(255, 255, 255), RGB(33, 33, 33)};
}

// The tick of a 13-pixel box: a short stroke down to the right, then a long one up, each two
// pixels thick; coordinates relative to the box.
void DrawTick(CDeviceContext& dc, POINT box, int size, std::uint32_t pixel) {
    const double scale = size / 13.0;
    auto dot = [&](double x, double y) {
        const int px = box.x + int(std::lround(x * scale));
        const int py = box.y + int(std::lround(y * scale));
        FillClipped(dc, RECT{px, py, px + 1, py + 2}, pixel);
    };
    for (int i = 0; i <= 2; ++i) {
        dot(3 + i, 6 + i);
    }
    for (int i = 0; i <= 3; ++i) {
        dot(6 + i, 7 - i);
    }
}

// Pixels whose centres lie within `radius` of the centre of a size x size square at `box`.
void FillDisc(CDeviceContext& dc, POINT box, int size, double radius, std::uint32_t pixel) {
    const double centre = size / 2.0;
    for (int y = 0; y < size; ++y) {
        const double dy = y + 0.5 - centre;
        if (std::abs(dy) >= radius) {
            continue;
        }
        const double dx = std::sqrt(radius * radius - dy * dy);
        const int first = int(std::ceil(centre - dx - 0.5));
        const int last = int(std::floor(centre + dx - 0.5)) + 1;
        if (last > first) {
            FillClipped(dc, RECT{box.x + first, box.y + y, box.x + last, box.y + y + 1}, pixel);
        }
    }
}

} // namespace

bool DrawFrameControl(HDC hdc, const RECT* rect, UINT type, UINT state) {
    if (!IsDeviceContext(hdc) || !rect || type != DFC_BUTTON) {
        return false;
    }
    CDeviceContext& dc = *hdc;
    const RECT area = dc.ToDevice(*rect);
    const bool radio = (state & 0xFF) == DFCS_BUTTONRADIO;
    const int size = std::min({radio ? 12 : 13, int(area.Width()), int(area.Height())});
    if (size <= 0 || !dc.Touches(area)) {
        return true;
    }
    const POINT box{area.left + (area.Width() - size) / 2, area.top + (area.Height() - size) / 2};
    const RECT square{box.x, box.y, box.x + size, box.y + size};
    if (!(state & DFCS_TRANSPARENT)) {
        const std::uint32_t face = PixelFromColour(GetSysColor(COLOR_BTNFACE));
        FillClipped(dc, RECT{area.left, area.top, area.right, square.top}, face);
        FillClipped(dc, RECT{area.left, square.bottom, area.right, area.bottom}, face);
        FillClipped(dc, RECT{area.left, square.top, square.left, square.bottom}, face);
        FillClipped(dc, RECT{square.right, square.top, area.right, square.bottom}, face);
    }
    const CLook look = LookFor(state);
    const std::uint32_t border = PixelFromColour(look.border);
    const std::uint32_t face = PixelFromColour(look.face);
    const std::uint32_t mark = PixelFromColour(look.mark);
    if (radio) {
        FillDisc(dc, box, size, size / 2.0, border);
        FillDisc(dc, box, size, size / 2.0 - 1, face);
        if (state & DFCS_CHECKED) {
            FillDisc(dc, box, size, size / 2.0 - 3.5, mark);
        }
        return true;
    }
    FillClipped(dc, square, border);
    FillClipped(dc, RECT{square.left + 1, square.top + 1, square.right - 1, square.bottom - 1},
                face);
    if (state & DFCS_CHECKED) {
        DrawTick(dc, box, size, mark);
    }
    return true;
}

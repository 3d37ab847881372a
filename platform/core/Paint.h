// Invalid regions and painting. WM_PAINT is made for a window with an invalid region when
// nothing else is queued; parents paint before their children.
#pragma once

#include "platform/base/Region.h"
#include "platform/base/Types.h"

struct PAINTSTRUCT {
    HDC hdc = nullptr;
    BOOL fErase = 0;
    RECT rcPaint;
};

// Null rectangle or region: the whole client area. Visible children under the area are
// invalidated too, since painting the parent covers them.
bool InvalidateRect(HWND hwnd, const RECT* rect, bool erase);
bool InvalidateRgn(HWND hwnd, const CRegion* region, bool erase);
bool ValidateRect(HWND hwnd, const RECT* rect);
bool GetUpdateRect(HWND hwnd, RECT* rect);
CRegion GetUpdateRegion(HWND hwnd);
// Sends WM_PAINT at once when the window has an invalid region.
bool UpdateWindow(HWND hwnd);

// The part of the window's client area that is not hidden by its ancestors' edges and shapes,
// by its visible children when it has WS_CLIPCHILDREN, and by siblings above it when it has
// WS_CLIPSIBLINGS; in client coordinates.
CRegion GetVisibleRegion(HWND hwnd);

// Validates the invalid region and answers a device context clipped to it.
HDC BeginPaint(HWND hwnd, PAINTSTRUCT* ps);
bool EndPaint(HWND hwnd, const PAINTSTRUCT* ps);

// The bridge from the window core to the drawing layer: a device context that draws into a
// window's part of its top-level window's surface.
#pragma once

#include "platform/Region.h"
#include "platform/Types.h"

// `clip` is in the window's client coordinates; drawing outside it changes nothing.
HDC CreateWindowPaintDC(HWND hwnd, const CRegion& clip);
// Frees the context and tells the backend which part of the surface changed.
void ReleaseWindowPaintDC(HDC hdc);

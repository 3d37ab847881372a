// The bridge from the window core to the drawing layer: a device context that draws into a
// window's part of its top-level window's surface, and the surfaces themselves.
#pragma once

#include "platform/base/Region.h"
#include "platform/base/Types.h"

class CBitmap;

// `clip` is in the window's client coordinates; drawing outside it changes nothing.
HDC CreateWindowPaintDC(HWND hwnd, const CRegion& clip);
// Frees the context and tells the backend which part of the surface changed.
void ReleaseWindowPaintDC(HDC hdc);

// The 32-bit BGRX surface (top row first) that holds a top-level window's pixels, sized to the
// window; null before the window has painted. Backends show it and tests look at it.
const CBitmap* GetWindowSurface(HWND topLevel);
// The window is being destroyed: its surface goes with it.
void ForgetWindowSurface(HWND topLevel);

// Filled and outlined shapes and lines with the classic geometry: a rectangle (l, t, r, b)
// covers the pixels l..r-1 and t..b-1; a line excludes its last point.
#pragma once

#include "platform/base/Types.h"
#include "platform/draw/GdiObject.h"

// Fills with the brush (a null brush fills nothing). Answers false on bad arguments.
bool FillRect(HDC hdc, const RECT* rect, HBRUSH brush);
// A one-pixel frame just inside the rectangle, in the brush's colour.
bool FrameRect(HDC hdc, const RECT* rect, HBRUSH brush);
bool FillRgn(HDC hdc, HRGN rgn, HBRUSH brush);

// The outline with the selected pen and the inside with the selected brush. A PS_INSIDEFRAME
// pen of width w draws a w-pixel frame inside the rectangle; other pens are centred on the
// outline. With the null pen the filled area is one pixel smaller on the right and bottom.
bool Rectangle(HDC hdc, int left, int top, int right, int bottom);
// As Rectangle, with corners rounded by an ellipse of the given width and height. Styled pens
// draw the rounded outline solid.
bool RoundRect(HDC hdc, int left, int top, int right, int bottom, int ellipseWidth,
               int ellipseHeight);

// Draws from the current position up to (not including) (x, y) with the selected pen and makes
// (x, y) the current position. Dashed and dotted pens repeat their pattern scaled by the pen
// width; in opaque background mode the gaps are drawn in the background colour.
bool LineTo(HDC hdc, int x, int y);

COLORREF SetPixel(HDC hdc, int x, int y, COLORREF colour); // answers the colour set
COLORREF GetPixel(HDC hdc, int x, int y);                  // CLR_INVALID outside the clip

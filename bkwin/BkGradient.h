// A two-colour rectangular gradient, as the button and gradation skins fill their bands.
#pragma once

#include "platform/base/Types.h"

// Vertical: `from` at the top row, `to` at the bottom row; otherwise left to right.
void FillGradient(HDC dc, const RECT& band, COLORREF from, COLORREF to, bool vertical);

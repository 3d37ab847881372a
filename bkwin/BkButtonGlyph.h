// The check and radio glyph of the "check" and "radio" elements, drawn in the platform's
// classic look (this platform has no visual-style service).
#pragma once

#include "platform/base/Types.h"

#include <cstdint>

// Draws the glyph kind (DFCS_BUTTONCHECK or DFCS_BUTTONRADIO) into `glyph`, leaving the rest
// of the rectangle as it is; the disabled, hover, pushed and checked looks follow the element
// state bits.
void DrawButtonGlyph(HDC dc, const RECT& glyph, UINT kind, std::uint32_t state);

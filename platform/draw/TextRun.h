// Drawing one line of glyphs; shared by the text calls and DrawText.
#pragma once

#include "platform/draw/DeviceContext.h"
#include "platform/draw/fonts/FontInstance.h"

#include <string_view>

// The font text is drawn with: the selected one, else the default GUI font. Null only when no
// font exists at all.
CFontInstance* TextFont(const CDeviceContext& dc, bool* underline = nullptr);

// Draws glyphs (and the font's underline) in the text colour with the cell's top-left corner at
// (x, y) in context coordinates, only inside `bound` (context coordinates) when not null.
// The background is not touched.
void DrawGlyphs(CDeviceContext& dc, CFontInstance& font, bool underline, std::wstring_view text,
                int x, int y, const RECT* bound);

// Drawing and measuring text in the selected font. Text is drawn with its cell's top-left
// corner at the given point, in the text colour, grey-scale anti-aliased; in opaque background
// mode the cell is first filled with the background colour.
#pragma once

#include "platform/base/Types.h"

#include <string_view>

struct TEXTMETRIC {
    LONG tmHeight = 0;
    LONG tmAscent = 0;
    LONG tmDescent = 0;
    LONG tmInternalLeading = 0;
    LONG tmExternalLeading = 0;
    LONG tmAveCharWidth = 0;
    LONG tmMaxCharWidth = 0;
    LONG tmWeight = 0;
    BYTE tmItalic = 0;
    BYTE tmUnderlined = 0;
};

bool TextOut(HDC hdc, int x, int y, std::wstring_view text);

constexpr UINT ETO_OPAQUE = 0x0002;  // fill `rect` with the background colour first
constexpr UINT ETO_CLIPPED = 0x0004; // draw the text only inside `rect`
// With ETO_OPAQUE and empty text this is the classic opaque fill.
bool ExtTextOut(HDC hdc, int x, int y, UINT options, const RECT* rect, std::wstring_view text);

// The width of the text and the height of the font's cell.
bool GetTextExtentPoint32(HDC hdc, std::wstring_view text, SIZE* size);
// As GetTextExtentPoint32; also gives how many characters fit in `maxExtent` pixels (`fit`,
// optional) and the extent after each character (`extents`, optional, text.size() entries).
bool GetTextExtentExPoint(HDC hdc, std::wstring_view text, int maxExtent, int* fit, int* extents,
                          SIZE* size);
bool GetTextMetrics(HDC hdc, TEXTMETRIC* metrics);

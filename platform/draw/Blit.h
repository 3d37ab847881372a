// Copying pixels between contexts: raster operations, stretching, colour-key and alpha copies.
#pragma once

#include "platform/base/Types.h"

// Raster operations: the classic ternary codes of pattern (the selected brush), source and
// destination.
constexpr DWORD SRCCOPY = 0x00CC0020;
constexpr DWORD SRCPAINT = 0x00EE0086;   // dest OR source
constexpr DWORD SRCAND = 0x008800C6;     // dest AND source
constexpr DWORD SRCINVERT = 0x00660046;  // dest XOR source
constexpr DWORD SRCERASE = 0x00440328;   // source AND NOT dest
constexpr DWORD NOTSRCCOPY = 0x00330008; // NOT source
constexpr DWORD NOTSRCERASE = 0x001100A6;
constexpr DWORD MERGECOPY = 0x00C000CA; // source AND pattern
constexpr DWORD MERGEPAINT = 0x00BB0226;
constexpr DWORD PATCOPY = 0x00F00021;
constexpr DWORD PATPAINT = 0x00FB0A09;
constexpr DWORD PATINVERT = 0x005A0049;
constexpr DWORD DSTINVERT = 0x00550009;
constexpr DWORD BLACKNESS = 0x00000042;
constexpr DWORD WHITENESS = 0x00FF0062;

// Copies a w x h block. Between a monochrome and a colour bitmap the classic conversions
// apply: colour to monochrome gives 1 (white) where the source equals the source context's
// background colour and 0 elsewhere; monochrome to colour gives the destination context's
// text colour for 0 and its background colour for 1. Parts of the source outside its bitmap
// leave the destination as it was. `src` may be null for operations without a source.
bool BitBlt(HDC dest, int x, int y, int w, int h, HDC src, int srcX, int srcY, DWORD rop);
// As BitBlt, scaling the source block to the destination block by nearest neighbour. Negative
// sizes mirror.
bool StretchBlt(HDC dest, int x, int y, int w, int h, HDC src, int srcX, int srcY, int srcW,
                int srcH, DWORD rop);
// Fills with the selected brush combined by the operation (PATCOPY, DSTINVERT, ...).
bool PatBlt(HDC dest, int x, int y, int w, int h, DWORD rop);
// Copies (stretched when the sizes differ) every source pixel except those of the key colour,
// which leave the destination unchanged.
bool TransparentBlt(HDC dest, int x, int y, int w, int h, HDC src, int srcX, int srcY, int srcW,
                    int srcH, UINT transparentColour);

struct BLENDFUNCTION {
    BYTE BlendOp = 0;
    BYTE BlendFlags = 0;
    BYTE SourceConstantAlpha = 255;
    BYTE AlphaFormat = 0;
};
constexpr BYTE AC_SRC_OVER = 0;
constexpr BYTE AC_SRC_ALPHA = 1;

// Blends the source over the destination (stretched when the sizes differ). With AC_SRC_ALPHA
// the source is 32-bit with straight (not premultiplied) alpha in its fourth byte, the
// format decoded images have; the alpha used is that byte times SourceConstantAlpha / 255.
// Each colour channel becomes (source x a + destination x (255 - a)) / 255, truncated.
// False, drawing nothing, when AC_SRC_ALPHA is asked of a source that is not 32-bit.
bool AlphaBlend(HDC dest, int x, int y, int w, int h, HDC src, int srcX, int srcY, int srcW,
                int srcH, BLENDFUNCTION blend);

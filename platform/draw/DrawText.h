// Formatted text in a rectangle: alignment, line breaking, ellipsis, tabs and "&" prefixes.
#pragma once

#include "platform/base/Types.h"

constexpr UINT DT_TOP = 0x0000;
constexpr UINT DT_LEFT = 0x0000;
constexpr UINT DT_CENTER = 0x0001;
constexpr UINT DT_RIGHT = 0x0002;
constexpr UINT DT_VCENTER = 0x0004; // with DT_SINGLELINE
constexpr UINT DT_BOTTOM = 0x0008;  // with DT_SINGLELINE
constexpr UINT DT_WORDBREAK = 0x0010;
constexpr UINT DT_SINGLELINE = 0x0020;
constexpr UINT DT_EXPANDTABS = 0x0040;
constexpr UINT DT_TABSTOP = 0x0080; // bits 8-15 give the characters per tab stop
constexpr UINT DT_NOCLIP = 0x0100;
constexpr UINT DT_EXTERNALLEADING = 0x0200;
constexpr UINT DT_CALCRECT = 0x0400;
constexpr UINT DT_NOPREFIX = 0x0800;
constexpr UINT DT_EDITCONTROL = 0x2000;
constexpr UINT DT_END_ELLIPSIS = 0x8000;

// Draws `text` in `rect` with the selected font, text colour and background mode, and answers
// the height of the text (with DT_VCENTER or DT_BOTTOM: from rect->top to the bottom of the
// text), 0 on failure or for empty text.
//
// - Lines end at CR, LF or CR LF, except with DT_SINGLELINE. DT_WORDBREAK also breaks lines
//   that are too wide: after spaces (which are dropped at the break), between Chinese
//   characters, and inside a word only when the word alone is too wide.
// - DT_EDITCONTROL leaves out lines that would be cut by the bottom edge (the first is always
//   drawn); with DT_END_ELLIPSIS the last line drawn then ends in "...".
// - DT_END_ELLIPSIS ends a line that is too wide with "..." so that it fits.
// - Unless DT_NOPREFIX, "&" underlines the next character and "&&" draws one "&".
// - DT_EXPANDTABS expands tabs to stops every 8 average character widths, or every n with
//   DT_TABSTOP (n in bits 8-15 of the format). Those bits are also read as flags, so a tab
//   length with bit 3 set also asks for DT_NOPREFIX, as the tab strip's format 0x88A5 does.
// - The text is clipped to `rect` unless DT_NOCLIP.
// - DT_CALCRECT draws nothing and sets `rect` to the rectangle the same call would draw the
//   lines in (alignment included). Lines are never left out while measuring.
int DrawText(HDC hdc, const WString& text, RECT* rect, UINT format);

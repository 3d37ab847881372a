// Check box and radio button glyphs, drawn as the classic frame-control call draws them.
#pragma once

#include "platform/base/Types.h"

constexpr UINT DFC_BUTTON = 4;
constexpr UINT DFCS_BUTTONCHECK = 0x0000;
constexpr UINT DFCS_BUTTONRADIO = 0x0004;
constexpr UINT DFCS_INACTIVE = 0x0100;
constexpr UINT DFCS_PUSHED = 0x0200;
constexpr UINT DFCS_CHECKED = 0x0400;
constexpr UINT DFCS_TRANSPARENT = 0x0800; // leave the rest of the rectangle as it is
constexpr UINT DFCS_HOT = 0x1000;

// Draws a 13 x 13 check box or a 12 x 12 radio button (smaller when the rectangle is), centred
// in `rect`, with distinct inactive, hot, pushed and checked looks. Without DFCS_TRANSPARENT
// the rest of the rectangle is filled with the button face colour. Other frame-control types
// answer false.
bool DrawFrameControl(HDC hdc, const RECT* rect, UINT type, UINT state);

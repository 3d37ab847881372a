// Rectangular colour gradients.
#pragma once

#include "platform/base/Types.h"

using COLOR16 = std::uint16_t;
using ULONG = std::uint32_t;

struct TRIVERTEX {
    LONG x = 0;
    LONG y = 0;
    COLOR16 Red = 0; // 16-bit channels: the 8-bit value shifted left by 8
    COLOR16 Green = 0;
    COLOR16 Blue = 0;
    COLOR16 Alpha = 0;
};

struct GRADIENT_RECT {
    ULONG UpperLeft = 0; // vertex indices
    ULONG LowerRight = 0;
};

constexpr ULONG GRADIENT_FILL_RECT_H = 0;
constexpr ULONG GRADIENT_FILL_RECT_V = 1;

// Fills each rectangle spanned by two vertices, changing linearly from one vertex colour to the
// other: left to right (RECT_H) or top to bottom (RECT_V). The first pixel has the first
// vertex's colour and the last pixel the second's. Triangle meshes are not supported.
bool GradientFill(HDC hdc, const TRIVERTEX* vertices, ULONG vertexCount, const void* mesh,
                  ULONG meshCount, ULONG mode);

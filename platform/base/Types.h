// Basic value types of the platform layer: handles, message parameters, geometry records and
// colours, with the layouts and values that window-message protocols rely on.
#pragma once

#include <cstdint>
#include <string>

using UINT = unsigned int;
using BOOL = int;
using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using LONG = std::int32_t;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using UINT_PTR = std::uintptr_t;
using COLORREF = DWORD;

// Window handles are opaque numbers that are never reused; they are never dereferenced.
struct CWindowHandleTag;
using HWND = CWindowHandleTag*;

// Wide strings hold one Unicode code point per element (wchar_t is 32 bits here).
using WString = std::wstring;

struct POINT {
    LONG x = 0;
    LONG y = 0;
    friend bool operator==(const POINT&, const POINT&) = default;
};

struct SIZE {
    LONG cx = 0;
    LONG cy = 0;
    friend bool operator==(const SIZE&, const SIZE&) = default;
};

// Right and bottom edges are exclusive.
struct RECT {
    LONG left = 0;
    LONG top = 0;
    LONG right = 0;
    LONG bottom = 0;

    LONG Width() const { return right - left; }
    LONG Height() const { return bottom - top; }
    bool IsEmpty() const { return right <= left || bottom <= top; }
    bool Contains(POINT p) const {
        return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
    }
    friend bool operator==(const RECT&, const RECT&) = default;
};

RECT IntersectRects(const RECT& a, const RECT& b);
// The smallest rectangle holding both; an empty rectangle adds nothing.
RECT BoundingRect(const RECT& a, const RECT& b);
RECT OffsetRectBy(const RECT& r, LONG dx, LONG dy);

constexpr COLORREF RGB(BYTE r, BYTE g, BYTE b) {
    return COLORREF(r) | (COLORREF(g) << 8) | (COLORREF(b) << 16);
}
constexpr BYTE GetRValue(COLORREF c) {
    return BYTE(c & 0xFF);
}
constexpr BYTE GetGValue(COLORREF c) {
    return BYTE((c >> 8) & 0xFF);
}
constexpr BYTE GetBValue(COLORREF c) {
    return BYTE((c >> 16) & 0xFF);
}

constexpr WORD LOWORD(std::uintptr_t v) {
    return WORD(v & 0xFFFF);
}
constexpr WORD HIWORD(std::uintptr_t v) {
    return WORD((v >> 16) & 0xFFFF);
}
constexpr LPARAM MAKELPARAM(int lo, int hi) {
    return LPARAM(DWORD(WORD(lo)) | (DWORD(WORD(hi)) << 16));
}
// Signed coordinates packed into an LPARAM, as mouse messages carry them.
constexpr int GET_X_LPARAM(LPARAM lp) {
    return int(std::int16_t(LOWORD(std::uintptr_t(lp))));
}
constexpr int GET_Y_LPARAM(LPARAM lp) {
    return int(std::int16_t(HIWORD(std::uintptr_t(lp))));
}

// Device contexts are drawing objects; the window core only hands them out in BeginPaint.
class CDeviceContext;
using HDC = CDeviceContext*;

// A small 32-bit memory bitmap selected into a memory context, for exact pixel tests.
#pragma once

#include "platform/draw/Gdi.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <string>
#include <vector>

class CCanvas {
public:
    CCanvas(int width, int height, COLORREF background = RGB(255, 255, 255))
        : m_bitmap(CreateCompatibleBitmap(nullptr, width, height)) {
        m_previous = SelectObject(m_dc, m_bitmap.Get());
        CGdiHandle<HBRUSH> brush(CreateSolidBrush(background));
        RECT all{0, 0, width, height};
        FillRect(m_dc, &all, brush);
    }
    ~CCanvas() { SelectObject(m_dc, m_previous); }

    HDC Dc() const { return m_dc; }
    HBITMAP Bitmap() const { return m_bitmap.Get(); }
    int Width() const { return m_bitmap.Get()->Width(); }
    int Height() const { return m_bitmap.Get()->Height(); }
    COLORREF At(int x, int y) const {
        std::uint32_t p = 0;
        m_bitmap.Get()->ReadSpan(x, y, 1, &p);
        return RGB(BYTE(p >> 16), BYTE(p >> 8), BYTE(p));
    }

    // The picture as rows of characters, one per pixel, from a colour key; colours not in the
    // key show as '?'.
    std::vector<std::string> Picture(const std::map<char, COLORREF>& key) const {
        std::vector<std::string> rows;
        for (int y = 0; y < Height(); ++y) {
            std::string row;
            for (int x = 0; x < Width(); ++x) {
                char c = '?';
                for (const auto& [symbol, colour] : key) {
                    if (At(x, y) == colour) {
                        c = symbol;
                    }
                }
                row += c;
            }
            rows.push_back(row);
        }
        return rows;
    }

private:
    CMemoryDC m_dc;
    CGdiHandle<HBITMAP> m_bitmap;
    HBITMAP m_previous = nullptr;
};

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

// The usual key: '.' white, '#' black, 'r' red, 'g' green, 'b' blue.
inline const std::map<char, COLORREF>& BasicKey() {
    static const std::map<char, COLORREF> key{
        {'.', kWhite}, {'#', kBlack}, {'r', kRed}, {'g', kGreen}, {'b', kBlue}};
    return key;
}

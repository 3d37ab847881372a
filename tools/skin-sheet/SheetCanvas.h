// The picture the skin sheet is drawn on, with the few drawing helpers the sheet needs.
#pragma once

#include <string>
#include <string_view>

#include "bkwin/BkSkinBase.h"
#include "platform/draw/Bitmap.h"
#include "platform/draw/DeviceContext.h"

class CSheetCanvas {
public:
    CSheetCanvas(int width, int height, COLORREF background);

    HDC Dc() const { return m_dc; }

    // Draws the named skin into the rectangle with the state, kept inside `clip` (skins may
    // draw past the rectangle at their own size); false when there is no such skin.
    bool DrawSkinClipped(std::string_view name, const RECT& rect, const RECT& clip, int state);
    bool DrawSkin(std::string_view name, const RECT& rect, int state) {
        return DrawSkinClipped(name, rect, rect, state);
    }
    void Fill(const RECT& rect, COLORREF colour);
    // Text in the font of the font code, with DrawText flags.
    void Text(const WString& text, RECT rect, WORD fontCode, COLORREF colour, UINT format);

    bool SavePng(const std::string& path) const;

private:
    CGdiHandle<HBITMAP> m_bitmap;
    CMemoryDC m_dc;
    int m_width;
    int m_height;
};

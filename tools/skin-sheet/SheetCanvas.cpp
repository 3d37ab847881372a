#include "SheetCanvas.h"

#include "bkwin/BkFontPool.h"
#include "bkwin/BkSkinPool.h"
#include "platform/draw/Brush.h"
#include "platform/draw/DrawText.h"
#include "platform/draw/Shapes.h"
#include "platform/draw/image/PngWrite.h"

CSheetCanvas::CSheetCanvas(int width, int height, COLORREF background)
    : m_bitmap(CreateCompatibleBitmap(nullptr, width, height)), m_width(width), m_height(height) {
    SelectObject(m_dc, m_bitmap.Get());
    Fill({0, 0, width, height}, background);
}

bool CSheetCanvas::DrawSkinClipped(std::string_view name, const RECT& rect, const RECT& clip,
                                   int state) {
    CBkSkinBase* skin = BkSkinPool::Instance().Get(name);
    if (skin == nullptr) {
        return false;
    }
    CDcStateSaver saved(m_dc);
    IntersectClipRect(m_dc, clip.left, clip.top, clip.right, clip.bottom);
    skin->Draw(m_dc, rect, state);
    return true;
}

void CSheetCanvas::Fill(const RECT& rect, COLORREF colour) {
    CGdiHandle<HBRUSH> brush(CreateSolidBrush(colour));
    FillRect(m_dc, &rect, brush);
}

void CSheetCanvas::Text(const WString& text, RECT rect, WORD fontCode, COLORREF colour,
                        UINT format) {
    CDcStateSaver saved(m_dc);
    SelectObject(m_dc, BkFontPool::Instance().GetFont(fontCode));
    SetTextColor(m_dc, colour);
    SetBkMode(m_dc, TRANSPARENT);
    DrawText(m_dc, text, &rect, format);
}

bool CSheetCanvas::SavePng(const std::string& path) const {
    CBitmap* pixels = GdiCast<CBitmap>(m_bitmap.Get());
    return pixels != nullptr &&
           WritePngFile(path, m_width, m_height, pixels->Row(0), pixels->Stride(), 4);
}

#include "SheetCanvas.h"

#include "bkwin/BkFontPool.h"
#include "bkwin/BkSkinPool.h"
#include "platform/draw/Brush.h"
#include "platform/draw/DrawText.h"
#include "platform/draw/Shapes.h"
#include "platform/draw/image/PngWrite.h"

CSheetCanvas::CSheetCanvas(int width, int height, COLORREF background)
    : bitmap_(CreateCompatibleBitmap(nullptr, width, height)), width_(width), height_(height) {
    SelectObject(dc_, bitmap_.Get());
    Fill({0, 0, width, height}, background);
}

bool CSheetCanvas::DrawSkinClipped(std::string_view name, const RECT& rect, const RECT& clip,
                                   int state) {
    CBkSkinBase* skin = BkSkinPool::Instance().Get(name);
    if (skin == nullptr) {
        return false;
    }
    CDcStateSaver saved(dc_);
    IntersectClipRect(dc_, clip.left, clip.top, clip.right, clip.bottom);
    skin->Draw(dc_, rect, state);
    return true;
}

void CSheetCanvas::Fill(const RECT& rect, COLORREF colour) {
    CGdiHandle<HBRUSH> brush(CreateSolidBrush(colour));
    FillRect(dc_, &rect, brush);
}

void CSheetCanvas::Text(const WString& text, RECT rect, WORD fontCode, COLORREF colour,
                        UINT format) {
    CDcStateSaver saved(dc_);
    SelectObject(dc_, BkFontPool::Instance().GetFont(fontCode));
    SetTextColor(dc_, colour);
    SetBkMode(dc_, TRANSPARENT);
    DrawText(dc_, text, &rect, format);
}

bool CSheetCanvas::SavePng(const std::string& path) const {
    CBitmap* pixels = GdiCast<CBitmap>(bitmap_.Get());
    return pixels != nullptr &&
           WritePngFile(path, width_, height_, pixels->Row(0), pixels->Stride(), 4);
}

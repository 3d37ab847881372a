#include "DemoPage.h"

#include "platform/draw/Gdi.h"
#include "platform/draw/image/BmpRead.h"
#include "platform/draw/image/PngRead.h"

#include <string>

namespace {

const std::string kSkins = VISTREL_SKINS_DIR;

HFONT MakeFont(const WString& face, int height, bool bold = false, bool italic = false,
               bool underline = false) {
    LOGFONT lf;
    lf.lfHeight = height;
    lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = italic;
    lf.lfUnderline = underline;
    lf.lfQuality = ANTIALIASED_QUALITY;
    lf.lfFaceName = face;
    return CreateFontIndirect(&lf);
}

void Caption(HDC hdc, int x, int y, const WString& text) {
    CGdiHandle<HFONT> font(MakeFont(L"微软雅黑", -13, true));
    CDcStateSaver saved(hdc);
    SelectObject(hdc, font.Get());
    SetTextColor(hdc, RGB(30, 60, 110));
    SetBkMode(hdc, TRANSPARENT);
    TextOut(hdc, x, y, text);
}

void Fill(HDC hdc, RECT r, COLORREF colour) {
    CGdiHandle<HBRUSH> brush(CreateSolidBrush(colour));
    FillRect(hdc, &r, brush);
}

void DrawShapes(HDC hdc, int x, int y) {
    Caption(hdc, x, y, L"Shapes 图形");
    y += 22;
    const COLORREF colours[] = {RGB(220, 50, 47), RGB(133, 153, 0), RGB(38, 139, 210),
                                RGB(181, 137, 0)};
    for (int i = 0; i < 4; ++i) {
        Fill(hdc, RECT{x + i * 26, y, x + i * 26 + 22, y + 22}, colours[i]);
    }
    CDcStateSaver saved(hdc);
    CGdiHandle<HBRUSH> face(CreateSolidBrush(RGB(238, 232, 213)));
    SelectObject(hdc, face.Get());
    struct {
        int style;
        int width;
    } outlines[] = {{PS_SOLID, 1}, {PS_INSIDEFRAME, 3}, {PS_DASH, 1}, {PS_NULL, 1}};
    for (int i = 0; i < 4; ++i) {
        CGdiHandle<HPEN> pen(CreatePen(outlines[i].style, outlines[i].width, RGB(0, 43, 54)));
        SelectObject(hdc, pen.Get());
        Rectangle(hdc, x + 110 + i * 36, y, x + 140 + i * 36, y + 22);
        SelectObject(hdc, static_cast<HPEN>(GetStockObject(BLACK_PEN)));
    }
    CGdiHandle<HPEN> grey(CreatePen(PS_SOLID, 1, RGB(112, 112, 112)));
    SelectObject(hdc, grey.Get());
    RoundRect(hdc, x + 260, y, x + 330, y + 22, 8, 8);
    RoundRect(hdc, x + 340, y, x + 440, y + 22, 2, 2);
    SelectObject(hdc, static_cast<HPEN>(GetStockObject(BLACK_PEN)));

    y += 34;
    const int styles[] = {PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT};
    SetBkMode(hdc, TRANSPARENT);
    for (int i = 0; i < 5; ++i) {
        for (int width : {1, 3}) {
            CGdiHandle<HPEN> pen(CreatePen(styles[i], width, RGB(7, 54, 66)));
            SelectObject(hdc, pen.Get());
            const int lineY = y + i * 12;
            const int lineX = width == 1 ? x : x + 210;
            MoveToEx(hdc, lineX, lineY, nullptr);
            LineTo(hdc, lineX + (width == 1 ? 200 : 170), lineY);
            SelectObject(hdc, static_cast<HPEN>(GetStockObject(BLACK_PEN)));
        }
    }
    CGdiHandle<HPEN> red(CreatePen(PS_SOLID, 2, RGB(220, 50, 47)));
    SelectObject(hdc, red.Get());
    MoveToEx(hdc, x + 430, y - 4, nullptr);
    LineTo(hdc, x + 460, y + 52);
    LineTo(hdc, x + 400, y + 52);
    LineTo(hdc, x + 430, y - 4);
    SelectObject(hdc, static_cast<HPEN>(GetStockObject(BLACK_PEN)));
}

// A 24 x 24 colour test card with a magenta background, for the copies.
HBITMAP MakeTestCard() {
    BITMAPINFO info;
    info.bmiHeader.biWidth = 24;
    info.bmiHeader.biHeight = 24;
    info.bmiHeader.biBitCount = 24;
    HBITMAP card = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, nullptr);
    CMemoryDC dc;
    HBITMAP old = SelectObject(dc, card);
    Fill(dc, RECT{0, 0, 24, 24}, RGB(255, 0, 255));
    Fill(dc, RECT{2, 2, 12, 12}, RGB(220, 50, 47));
    Fill(dc, RECT{12, 2, 22, 12}, RGB(133, 153, 0));
    Fill(dc, RECT{2, 12, 12, 22}, RGB(38, 139, 210));
    Fill(dc, RECT{12, 12, 22, 22}, RGB(0, 0, 0));
    SelectObject(dc, old);
    return card;
}

// The classic masked copy: a monochrome mask where the key colour is, then AND and OR.
void MaskedCopy(HDC dest, int x, int y, HDC source, int w, int h, COLORREF key) {
    CGdiHandle<HBITMAP> mask(CreateBitmap(w, h, 1, 1, nullptr));
    CMemoryDC maskDc;
    HBITMAP oldMask = SelectObject(maskDc, mask.Get());
    const COLORREF oldBack = SetBkColor(source, key);
    BitBlt(maskDc, 0, 0, w, h, source, 0, 0, SRCCOPY);
    SetBkColor(source, oldBack);

    CGdiHandle<HBITMAP> colour(CreateCompatibleBitmap(dest, w, h));
    CMemoryDC colourDc;
    HBITMAP oldColour = SelectObject(colourDc, colour.Get());
    BitBlt(colourDc, 0, 0, w, h, source, 0, 0, SRCCOPY);
    SetTextColor(colourDc, RGB(255, 255, 255));
    SetBkColor(colourDc, RGB(0, 0, 0));
    BitBlt(colourDc, 0, 0, w, h, maskDc, 0, 0, SRCAND);

    const COLORREF oldText = SetTextColor(dest, RGB(0, 0, 0));
    const COLORREF oldDestBack = SetBkColor(dest, RGB(255, 255, 255));
    BitBlt(dest, x, y, w, h, maskDc, 0, 0, SRCAND);
    BitBlt(dest, x, y, w, h, colourDc, 0, 0, SRCPAINT);
    SetTextColor(dest, oldText);
    SetBkColor(dest, oldDestBack);
    SelectObject(colourDc, oldColour);
    SelectObject(maskDc, oldMask);
}

void DrawBlits(HDC hdc, int x, int y) {
    Caption(hdc, x, y, L"Copies 复制: BitBlt, StretchBlt, TransparentBlt, masked, alpha");
    y += 22;
    // A striped backdrop shows what the transparent copies leave alone.
    for (int i = 0; i < 460 / 8; ++i) {
        Fill(hdc, RECT{x + i * 8, y, x + i * 8 + 4, y + 52}, RGB(200, 210, 225));
    }
    CGdiHandle<HBITMAP> card(MakeTestCard());
    CMemoryDC cardDc;
    HBITMAP old = SelectObject(cardDc, card.Get());
    BitBlt(hdc, x, y + 14, 24, 24, cardDc, 0, 0, SRCCOPY);
    StretchBlt(hdc, x + 34, y, 48, 48, cardDc, 0, 0, 24, 24, SRCCOPY);
    StretchBlt(hdc, x + 92, y + 14, 48, 24, cardDc, 0, 0, 24, 24, NOTSRCCOPY);
    TransparentBlt(hdc, x + 150, y, 48, 48, cardDc, 0, 0, 24, 24, RGB(255, 0, 255));
    MaskedCopy(hdc, x + 208, y + 14, cardDc, 24, 24, RGB(255, 0, 255));
    SelectObject(cardDc, old);

    CGdiHandle<HBITMAP> logo(LoadPngFile(kSkins + "/png/3-logomodule.png"));
    if (logo) {
        // The icons are white with alpha: a dark band shows them.
        Fill(hdc, RECT{x + 246, y, x + 460, y + 52}, RGB(42, 80, 138));
        CMemoryDC logoDc;
        HBITMAP oldLogo = SelectObject(logoDc, logo.Get());
        BLENDFUNCTION blend;
        blend.AlphaFormat = AC_SRC_ALPHA;
        // Sub-image columns 0 and 4 of the strip, drawn at their size with alpha.
        AlphaBlend(hdc, x + 250, y + 2, 48, 48, logoDc, 0, 0, 48, 48, blend);
        AlphaBlend(hdc, x + 302, y + 2, 48, 48, logoDc, 192, 0, 48, 48, blend);
        blend.SourceConstantAlpha = 110;
        AlphaBlend(hdc, x + 354, y + 2, 48, 48, logoDc, 96, 0, 48, 48, blend);
        SelectObject(logoDc, oldLogo);
    }
}

void DrawGradients(HDC hdc, int x, int y) {
    Caption(hdc, x, y, L"Gradients 渐变");
    y += 22;
    TRIVERTEX v[2];
    v[0] = {x, y, 0xFF00, 0xFF00, 0xFF00, 0};
    v[1] = {x + 220, y + 40, 0xE400, 0xE500, 0xF000, 0};
    GRADIENT_RECT r{0, 1};
    GradientFill(hdc, v, 2, &r, 1, GRADIENT_FILL_RECT_V);
    v[0] = {x + 240, y, 0x2600, 0x8B00, 0xD200, 0};
    v[1] = {x + 460, y + 40, 0xDC00, 0x3200, 0x2F00, 0};
    GradientFill(hdc, v, 2, &r, 1, GRADIENT_FILL_RECT_H);
}

void DrawGlyphs(HDC hdc, int x, int y) {
    Caption(hdc, x, y, L"Check and radio glyphs 复选框 单选框");
    y += 24;
    const UINT looks[] = {0, DFCS_HOT, DFCS_PUSHED, DFCS_INACTIVE};
    for (int checked = 0; checked < 2; ++checked) {
        for (int i = 0; i < 4; ++i) {
            const UINT state = looks[i] | (checked ? DFCS_CHECKED : 0) | DFCS_TRANSPARENT;
            RECT check{x + i * 24 + checked * 100, y, x + i * 24 + checked * 100 + 13, y + 16};
            DrawFrameControl(hdc, &check, DFC_BUTTON, DFCS_BUTTONCHECK | state);
            RECT radio{x + 230 + i * 24 + checked * 100, y + 2,
                       x + 230 + i * 24 + checked * 100 + 12, y + 14};
            DrawFrameControl(hdc, &radio, DFC_BUTTON, DFCS_BUTTONRADIO | state);
        }
    }
}

void DrawImages(HDC hdc, int x, int y) {
    Caption(hdc, x, y, L"Images 图片: BMP (24-bit, 8-bit), PNG, icon stretched");
    y += 22;
    CGdiHandle<HBITMAP> tabs(LoadBmpFile(kSkins + "/bitmap/10004-tabmain.bmp"));
    CGdiHandle<HBITMAP> panel(LoadBmpFile(kSkins + "/bitmap/107-panel.bmp"));
    CMemoryDC dc;
    if (tabs) {
        // The tab strip as stored (magenta marks the transparent parts), then keyed out.
        HBITMAP old = SelectObject(dc, tabs.Get());
        StretchBlt(hdc, x, y, 71, 24, dc, 0, 0, 213, 71, SRCCOPY);
        Fill(hdc, RECT{x, y + 28, x + 213, y + 99}, RGB(42, 80, 138));
        TransparentBlt(hdc, x, y + 28, 213, 71, dc, 0, 0, 213, 71, RGB(255, 0, 255));
        SelectObject(dc, old);
    }
    if (panel) {
        HBITMAP old = SelectObject(dc, panel.Get());
        StretchBlt(hdc, x + 222, y, 36, 36, dc, 0, 0, 3, 3, SRCCOPY);
        SelectObject(dc, old);
    }
    CGdiHandle<HBITMAP> close(LoadPngFile(kSkins + "/png/44-closebtn.png"));
    if (close) {
        HBITMAP old = SelectObject(dc, close.Get());
        BLENDFUNCTION blend;
        blend.AlphaFormat = AC_SRC_ALPHA;
        for (int state = 0; state < 3; ++state) {
            AlphaBlend(hdc, x + 222 + state * 50, y + 45, 47, 21, dc, state * 47, 0, 47, 21, blend);
        }
        SelectObject(dc, old);
    }
    CGdiHandle<HBITMAP> logo(LoadPngFile(kSkins + "/png/3-logomodule.png"));
    Fill(hdc, RECT{x + 266, y - 2, x + 454, y + 40}, RGB(42, 80, 138));
    if (HICON icon = logo ? CreateIconFromBitmap(logo) : nullptr) {
        // The whole strip as an icon, shrunk and stretched.
        DrawIconEx(hdc, x + 270, y, icon, 108, 12, 0, nullptr, DI_NORMAL);
        DrawIconEx(hdc, x + 270, y + 16, icon, 180, 20, 0, nullptr, DI_NORMAL);
        DestroyIcon(icon);
    }
    // The system icons at their size, and the information icon shrunk and enlarged.
    const UINT system[] = {IDI_APPLICATION, IDI_HAND, IDI_QUESTION, IDI_EXCLAMATION, IDI_ASTERISK};
    for (int i = 0; i < 5; ++i) {
        DrawIconEx(hdc, x + 262 + i * 38, y + 72, LoadIcon(nullptr, system[i]), 32, 32, 0, nullptr,
                   DI_NORMAL);
    }
    DrawIconEx(hdc, x + 232, y + 80, LoadIcon(nullptr, IDI_ASTERISK), 16, 16, 0, nullptr,
               DI_NORMAL);
}

void DrawClipping(HDC hdc, int x, int y) {
    Caption(hdc, x, y, L"Regions and clipping 区域与裁剪");
    y += 22;
    CGdiHandle<HRGN> a(CreateRectRgn(x, y, x + 120, y + 60));
    CGdiHandle<HRGN> b(CreateRectRgn(x + 60, y + 20, x + 200, y + 80));
    CGdiHandle<HRGN> both(CreateRectRgn(0, 0, 0, 0));
    CombineRgn(both, a, b, RGN_XOR);
    CGdiHandle<HBRUSH> teal(CreateSolidBrush(RGB(42, 161, 152)));
    FillRgn(hdc, both, teal);
    {
        CDcStateSaver saved(hdc);
        CombineRgn(both, a, b, RGN_OR);
        SelectClipRgn(hdc, both);
        ExcludeClipRect(hdc, x + 250, y + 30, x + 330, y + 50);
        TRIVERTEX v[2] = {{x + 220, y, 0xFF00, 0xFF00, 0}, {x + 460, y + 80, 0xFF00, 0, 0x8000}};
        GRADIENT_RECT r{0, 1};
        IntersectClipRect(hdc, x + 220, y, x + 460, y + 80);
        OffsetRgn(both, 220, 0);
        SelectClipRgn(hdc, both);
        ExcludeClipRect(hdc, x + 250 + 20, y + 30, x + 330 + 20, y + 50);
        GradientFill(hdc, v, 2, &r, 1, GRADIENT_FILL_RECT_H);
    }
}

} // namespace

void DrawMainPage(HDC hdc) {
    Fill(hdc, RECT{0, 0, kPageWidth, kPageHeight}, RGB(251, 252, 253));
    TRIVERTEX v[2] = {{0, 0, 0x2A00, 0x5000, 0x8A00}, {kPageWidth, 48, 0x4A00, 0x8A00, 0xC800}};
    GRADIENT_RECT r{0, 1};
    GradientFill(hdc, v, 2, &r, 1, GRADIENT_FILL_RECT_H);
    CGdiHandle<HFONT> title(MakeFont(L"微软雅黑", -22, true));
    {
        CDcStateSaver saved(hdc);
        SelectObject(hdc, title.Get());
        SetTextColor(hdc, RGB(255, 255, 255));
        SetBkMode(hdc, TRANSPARENT);
        TextOut(hdc, 16, 10, L"Vistrel 绘图层 — the drawing layer");
    }
    DrawShapes(hdc, 16, 60);
    DrawBlits(hdc, 16, 210);
    DrawGradients(hdc, 16, 300);
    DrawGlyphs(hdc, 16, 375);
    DrawImages(hdc, 16, 425);
    DrawClipping(hdc, 16, 580);
}

void DrawTextPanel(HDC hdc, const RECT& client) {
    Fill(hdc, client, RGB(255, 255, 255));
    CGdiHandle<HPEN> border(CreatePen(PS_SOLID, 1, RGB(125, 158, 188)));
    CDcStateSaver saved(hdc);
    SelectObject(hdc, border.Get());
    SelectObject(hdc, static_cast<HBRUSH>(GetStockObject(NULL_BRUSH)));
    Rectangle(hdc, client.left, client.top, client.right, client.bottom);
    Caption(hdc, 12, 8, L"Text 文字");

    struct {
        const wchar_t* face;
        int height;
        bool bold, italic, underline;
        const wchar_t* sample;
    } fonts[] = {
        {L"Tahoma", -11, false, false, false,
         L"Tahoma -11: The quick brown fox jumps over 13 dogs."},
        {L"微软雅黑", -12, false, false, false,
         L"微软雅黑 -12: 没有检测到摄像头！Vistrel感谢您的使用！"},
        {L"微软雅黑", -12, true, false, false, L"粗体 Bold -12: 应用程序只允许运行一个实例"},
        {L"微软雅黑", -14, false, true, false, L"斜体 Italic -14: 录像文件夹 Recording folder"},
        {L"微软雅黑", -12, false, false, true, L"下划线 Underline: 检查更新 check for updates"},
        {L"宋体", -16, false, false, false, L"宋体 -16: 通道1 正常 异常 成功 失败"},
        {L"微软雅黑", -20, true, false, false, L"大字 -20 确定 取消"},
    };
    int y = 32;
    for (const auto& f : fonts) {
        CGdiHandle<HFONT> font(MakeFont(f.face, f.height, f.bold, f.italic, f.underline));
        SelectObject(hdc, font.Get());
        SetTextColor(hdc, RGB(0, 0, 0));
        SetBkMode(hdc, TRANSPARENT);
        TextOut(hdc, 12, y, f.sample);
        TEXTMETRIC tm;
        GetTextMetrics(hdc, &tm);
        y += tm.tmHeight + 6;
        SelectObject(hdc, static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
    }

    CGdiHandle<HFONT> body(MakeFont(L"微软雅黑", -12));
    SelectObject(hdc, body.Get());
    CGdiHandle<HPEN> guide(CreatePen(PS_DOT, 1, RGB(180, 180, 180)));
    SelectObject(hdc, guide.Get());
    auto box = [&](RECT r, const WString& text, UINT format, COLORREF colour) {
        Rectangle(hdc, r.left - 1, r.top - 1, r.right + 1, r.bottom + 1);
        SetTextColor(hdc, colour);
        DrawText(hdc, text, &r, format);
    };
    y += 8;
    Caption(hdc, 12, y, L"DrawText");
    y += 24;
    box(RECT{12, y, 212, y + 66},
        L"Word breaking: 字符之间可以换行，英文在空格处换行 and overlong words like "
        L"Supercalifragilistic break inside.",
        DT_WORDBREAK, RGB(7, 54, 66));
    box(RECT{228, y, 428, y + 36},
        L"DT_EDITCONTROL drops the line the bottom edge would cut, and ends with an ellipsis",
        DT_WORDBREAK | DT_EDITCONTROL | DT_END_ELLIPSIS, RGB(7, 54, 66));
    y += 80;
    box(RECT{12, y, 212, y + 20}, L"Left, ellipsis: 没有检测到摄像头！请检查连接",
        DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS, RGB(0, 0, 0));
    box(RECT{228, y, 428, y + 20}, L"居中 Centred", DT_SINGLELINE | DT_VCENTER | DT_CENTER,
        RGB(38, 139, 210));
    y += 30;
    box(RECT{12, y, 212, y + 30}, L"右下 Right, bottom", DT_SINGLELINE | DT_BOTTOM | DT_RIGHT,
        RGB(220, 50, 47));
    box(RECT{228, y, 428, y + 30}, L"&File  &&  E&xit — prefixes", DT_SINGLELINE | DT_VCENTER,
        RGB(0, 0, 0));
    y += 40;
    box(RECT{12, y, 428, y + 20}, L"Tabs:\t一\t二\tthree\tfour", DT_SINGLELINE | DT_EXPANDTABS,
        RGB(0, 0, 0));
    y += 30;
    // Opaque background mode fills each line's cell.
    SetBkMode(hdc, OPAQUE);
    SetBkColor(hdc, RGB(255, 244, 200));
    box(RECT{12, y, 428, y + 20}, L"Opaque background 不透明背景", DT_SINGLELINE,
        RGB(88, 110, 117));
    y += 30;
    SetBkMode(hdc, TRANSPARENT);
    RECT measured{12, y, 428, y + 100};
    const WString wrapped = L"DT_CALCRECT measures: 这一段文字先测量，再在测量出的矩形里画出。";
    DrawText(hdc, wrapped, &measured, DT_WORDBREAK | DT_CALCRECT | DT_CENTER);
    Fill(hdc, measured, RGB(238, 232, 213));
    DrawText(hdc, wrapped, &measured, DT_WORDBREAK | DT_CENTER);

    // Light text on a dark band, and a font without grey levels.
    y = measured.bottom + 16;
    Fill(hdc, RECT{12, y, 428, y + 56}, RGB(42, 80, 138));
    SetTextColor(hdc, RGB(255, 255, 255));
    RECT band{20, y + 4, 420, y + 30};
    DrawText(hdc, L"白色文字在深色背景上 — light text on a dark band", &band,
             DT_SINGLELINE | DT_VCENTER);
    LOGFONT sharp;
    sharp.lfHeight = -12;
    sharp.lfQuality = NONANTIALIASED_QUALITY;
    sharp.lfFaceName = L"微软雅黑";
    CGdiHandle<HFONT> aliased(CreateFontIndirect(&sharp));
    SelectObject(hdc, aliased.Get());
    band = RECT{20, y + 28, 420, y + 52};
    DrawText(hdc, L"NONANTIALIASED_QUALITY: 每个像素要么有要么没有", &band,
             DT_SINGLELINE | DT_VCENTER);
    SelectObject(hdc, body.Get());
}

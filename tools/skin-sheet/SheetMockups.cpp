#include "SheetMockups.h"

#include "bkwin/BkResource.h"
#include "bkwin/BkStates.h"
#include "platform/draw/DrawText.h"
#include "platform/draw/Icon.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr UINT kTabTitle = 0x88A5; // centred, single line, ellipsis
constexpr UINT kCentred = DT_SINGLELINE | DT_VCENTER | DT_CENTER;
constexpr UINT kVCentred = DT_SINGLELINE | DT_VCENTER;

RECT At(POINT o, int x, int y, int w, int h) {
    return {o.x + x, o.y + y, o.x + x + w, o.y + y + h};
}

void DrawIcon(CSheetCanvas& canvas, int id, int x, int y, int size) {
    HICON icon = LoadSkinIcon(id, size, size);
    if (icon != nullptr) {
        DrawIconEx(canvas.Dc(), x, y, icon, size, size, 0, nullptr, DI_NORMAL);
        DestroyIcon(icon);
    }
}

void DrawButton(CSheetCanvas& canvas, const RECT& rect, const WString& text, int state) {
    canvas.DrawSkin("normalbtn", rect, state);
    canvas.Text(text, rect, 0x0000, kBlack, kCentred);
}

// The title bar of the main window: icon, product name, and the menu, minimise and close
// buttons at the right edge.
void DrawHeader(CSheetCanvas& canvas, const RECT& r) {
    canvas.DrawSkin("mainbghead", r, 0);
    DrawIcon(canvas, 101, r.left + 5, r.top + 5, 16);
    canvas.Text(L"Vistrel", {r.left + 25, r.top + 5, r.left + 200, r.top + 21}, 0x0004, kWhite,
                DT_SINGLELINE);
    const int w = r.right;
    canvas.DrawSkin("menubtn", {w - 108, r.top + 1, w - 78, r.top + 22}, 1);
    canvas.DrawSkin("minbtn", {w - 78, r.top + 1, w - 48, r.top + 22}, 0);
    canvas.DrawSkin("closebtn", {w - 48, r.top + 1, w - 1, r.top + 22}, 0);
}

void DrawFooter(CSheetCanvas& canvas, const RECT& r) {
    canvas.DrawSkin("mainbgfoot", r, 0);
    const RECT text{r.left + 10, r.top + 1, r.right - 10, r.bottom - 1};
    canvas.Text(L"1.0.0.1", text, 0x0000, kWhite, kVCentred);
    canvas.Text(L"永久免费 Vistrel客户端",
                {text.right - 280, text.top, text.right - 141, text.bottom}, 0x0000, kWhite,
                kVCentred);
    canvas.Text(L"客服：vistrel.example", {text.right - 140, text.top, text.right, text.bottom},
                0x0000, kWhite, kVCentred);
}

} // namespace

void DrawMainWindowMockup(CSheetCanvas& canvas, POINT o, SIZE size) {
    const int w = size.cx, h = size.cy;
    DrawHeader(canvas, At(o, 0, 0, w, 23));
    const RECT body = At(o, 0, 23, w, h - 46);
    canvas.DrawSkin("mainbgbody", body, 0);
    DrawFooter(canvas, At(o, 0, h - 23, w, 23));

    // The tab strip: tabs 71 x 71, one pixel in, 5 apart; icons at (10, 1), titles 25 down.
    const WString titles[] = {L"视频监控", L"设置参数"};
    for (int i = 1; i >= 0; --i) {
        const RECT tab = {body.left + 7 + 1 + 76 * i, body.top + 4, body.left + 7 + 1 + 76 * i + 71,
                          body.top + 75};
        canvas.DrawSkin("tabmain", tab, i == 0 ? 2 : 1);
        canvas.DrawSkin("logomodule", {tab.left + 10, tab.top + 1, tab.right, tab.bottom}, i);
        canvas.Text(titles[i], OffsetRectBy(tab, 0, 25), 0x0000, kWhite, kTabTitle);
    }

    // The video tab: the wall on the left, the start and stop buttons on the right.
    const RECT page{body.left + 7, body.top + 82 + 7, body.right - 7, body.bottom - 1};
    const RECT wallPanel{page.left, page.top, page.right - 150, page.bottom};
    const RECT buttonPanel{page.right - 152, page.top, page.right, page.bottom};
    canvas.DrawSkin("panel", wallPanel, 0);
    canvas.DrawSkin("panel", buttonPanel, 0);
    const RECT wall{wallPanel.left + 1, wallPanel.top + 1, wallPanel.right - 1,
                    wallPanel.bottom - 1};
    canvas.Fill(wall, RGB(0x80, 0x80, 0x80));
    canvas.Text(L"通道1", wall, 0x0204, RGB(0xE0, 0xE0, 0xE0), kCentred);
    const int cx = (buttonPanel.left + buttonPanel.right) / 2;
    const int cy = (buttonPanel.top + buttonPanel.bottom) / 2;
    DrawButton(canvas, {cx - 30, cy - 40, cx + 30, cy - 20}, L"开启", STATE_HOVER);
    DrawButton(canvas, {cx - 30, cy + 20, cx + 30, cy + 40}, L"关闭", 0);
    canvas.DrawSkin("bg", {page.left, page.top - 7, page.right, page.bottom}, 0);
}

void DrawMessageBoxMockup(CSheetCanvas& canvas, POINT o, SIZE size) {
    const int w = size.cx, h = size.cy;
    const RECT header = At(o, 0, 0, w, 31);
    canvas.DrawSkin("msgboxhead", header, 0);
    DrawIcon(canvas, 101, header.left + 5, header.top + 9, 16);
    canvas.Text(L"Vistrel", {header.left + 25, header.top + 10, header.right - 50, header.bottom},
                0x0004, kWhite, DT_SINGLELINE);
    canvas.DrawSkin("closeonlybtn", {header.right - 43, header.top, header.right, header.top + 21},
                    0);
    canvas.DrawSkin("msgboxbody", At(o, 0, 31, w, h - 31 - 45), 0);
    DrawIcon(canvas, 128, o.x + 20, o.y + 31 + 20, 32);
    canvas.Text(L"保存成功！", At(o, 70, 31 + 20, w - 80, 40), 0x0000, kBlack, DT_WORDBREAK);
    const RECT footer = At(o, 0, h - 45, w, 45);
    canvas.DrawSkin("msgboxfoot", footer, 0);
    const int cx = (footer.left + footer.right) / 2;
    DrawButton(canvas, {cx - 40, footer.top + 10, cx + 40, footer.bottom - 10}, L"确定", 0);
}

void DrawSmallPartsMockup(CSheetCanvas& canvas, POINT o) {
    const RECT track = At(o, 0, 0, 220, 15);
    canvas.DrawSkin("progressbg", track, 0);
    RECT bar{track.left + 2, track.top + 2, track.right - 2, track.bottom - 2};
    bar.right = bar.left + (bar.right - bar.left) * 60 / 100;
    canvas.DrawSkin("progresspos", bar, 0);
    canvas.Text(L"60%", OffsetRectBy(track, 230, 0), 0x0000, kBlack, kVCentred);

    const RECT tip = At(o, 0, 30, 180, 24);
    canvas.DrawSkin("tipbg", tip, 0);
    canvas.Text(L"最小化到托盘", {tip.left + 6, tip.top, tip.right, tip.bottom}, 0x0000,
                RGB(0x33, 0x33, 0x33), kVCentred);
}

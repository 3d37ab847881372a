// Drawing the folder chooser: a title band with a close button, the prompt, the folder OK
// would choose, the list of folders with a scroll bar when they do not fit, and the buttons.
#include "platform/shell/FolderChooser.h"

#include "platform/base/Utf8.h"
#include "platform/draw/Gdi.h"

#include <algorithm>

namespace {

constexpr COLORREF kTitleColour = RGB(0, 99, 177);
constexpr COLORREF kCloseHotColour = RGB(232, 17, 35);
constexpr COLORREF kFrameColour = RGB(122, 122, 122);
constexpr COLORREF kFieldFrameColour = RGB(171, 173, 179);
constexpr COLORREF kButtonColour = RGB(225, 225, 225);
constexpr COLORREF kButtonHotColour = RGB(229, 241, 251);
constexpr COLORREF kButtonPressedColour = RGB(204, 228, 247);
constexpr COLORREF kButtonFrameColour = RGB(173, 173, 173);
constexpr COLORREF kDefaultButtonFrameColour = RGB(0, 120, 215);
constexpr COLORREF kFolderColour = RGB(240, 196, 82);
constexpr COLORREF kFolderEdgeColour = RGB(191, 144, 35);
constexpr COLORREF kScrollTrackColour = RGB(240, 240, 240);
constexpr COLORREF kScrollThumbColour = RGB(192, 192, 192);
constexpr int kTextInset = 6;
constexpr int kIconWidth = 16;

void Fill(HDC dc, const RECT& r, COLORREF colour) {
    CGdiHandle<HBRUSH> brush(CreateSolidBrush(colour));
    FillRect(dc, &r, brush);
}

void Frame(HDC dc, const RECT& r, COLORREF colour) {
    CGdiHandle<HBRUSH> brush(CreateSolidBrush(colour));
    FrameRect(dc, &r, brush);
}

RECT Inflated(const RECT& r, int by) {
    return {r.left - by, r.top - by, r.right + by, r.bottom + by};
}

// The path with its start left out ("…" instead) when it is too wide: the end of a path is
// the part that tells folders apart.
WString FittedPath(HDC dc, const WString& path, int width) {
    SIZE size;
    GetTextExtentPoint32(dc, path, &size);
    if (size.cx <= width) {
        return path;
    }
    for (size_t drop = 1; drop < path.size(); ++drop) {
        const WString shortened = L"…" + path.substr(drop);
        GetTextExtentPoint32(dc, shortened, &size);
        if (size.cx <= width) {
            return shortened;
        }
    }
    return L"…";
}

// A small folder: a tab on the top left of the body.
void DrawFolderIcon(HDC dc, int x, int y) {
    const RECT tab{x, y, x + 7, y + 3};
    const RECT body{x, y + 2, x + kIconWidth, y + 13};
    Fill(dc, tab, kFolderEdgeColour);
    Fill(dc, body, kFolderColour);
    Frame(dc, body, kFolderEdgeColour);
}

void DrawButton(HDC dc, const RECT& r, const WString& text, bool isDefault, bool hot,
                bool pressed) {
    Fill(dc, r, pressed ? kButtonPressedColour : hot ? kButtonHotColour : kButtonColour);
    Frame(dc, r, isDefault || hot ? kDefaultButtonFrameColour : kButtonFrameColour);
    if (isDefault) {
        Frame(dc, Inflated(r, -1), kDefaultButtonFrameColour);
    }
    RECT textRect = r;
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    DrawText(dc, text, &textRect, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

void DrawCloseButton(HDC dc, const RECT& r, bool hot, bool pressed) {
    if (hot || pressed) {
        Fill(dc, r, kCloseHotColour);
    }
    CGdiHandle<HPEN> pen(CreatePen(PS_SOLID, 1, RGB(255, 255, 255)));
    CDcStateSaver saved(dc);
    SelectObject(dc, pen.Get());
    const int cx = (r.left + r.right) / 2;
    const int cy = (r.top + r.bottom) / 2;
    constexpr int kHalf = 5;
    MoveToEx(dc, cx - kHalf, cy - kHalf, nullptr);
    LineTo(dc, cx + kHalf + 1, cy + kHalf + 1);
    MoveToEx(dc, cx + kHalf, cy - kHalf, nullptr);
    LineTo(dc, cx - kHalf - 1, cy + kHalf + 1);
}

void DrawList(const CFolderChooser& chooser, HDC dc) {
    const CChooserLayout& l = chooser.layout;
    Fill(dc, l.list, GetSysColor(COLOR_WINDOW));
    Frame(dc, Inflated(l.list, 1), kFieldFrameColour);
    CDcStateSaver saved(dc);
    IntersectClipRect(dc, l.list.left, l.list.top, l.list.right, l.list.bottom);
    const LONG rowRight = l.scrollBar.IsEmpty() ? l.list.right : l.scrollBar.left;
    const int rows = chooser.RowCount();
    for (int row = chooser.topRow; row < rows && row < chooser.topRow + l.visibleRows + 1; ++row) {
        const LONG top = l.list.top + (row - chooser.topRow) * l.rowHeight;
        const RECT band{l.list.left, top, rowRight, top + l.rowHeight};
        const bool selected = row == chooser.selected;
        if (selected) {
            Fill(dc, band, GetSysColor(COLOR_HIGHLIGHT));
        }
        DrawFolderIcon(dc, band.left + kTextInset, top + (l.rowHeight - 13) / 2);
        RECT textRect{band.left + kTextInset + kIconWidth + kTextInset, top,
                      band.right - kTextInset, band.bottom};
        SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
        DrawText(dc, chooser.RowText(row), &textRect,
                 DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
    }
    if (chooser.listing.names.empty()) {
        // Below the ".." row, so the way back stays in sight.
        const LONG top = l.list.top + (rows - chooser.topRow) * l.rowHeight;
        RECT note{l.list.left, top, rowRight, top + l.rowHeight};
        SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
        const CChooserTexts& texts = ChooserTexts();
        DrawText(dc, chooser.listing.readable ? texts.noFolders : texts.unreadable, &note,
                 DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
    if (!l.scrollBar.IsEmpty()) {
        Fill(dc, l.scrollBar, kScrollTrackColour);
        const int track = l.scrollBar.Height();
        const int thumbHeight = std::max(track * l.visibleRows / rows, 12);
        const int range = std::max(rows - l.visibleRows, 1);
        const int thumbTop = l.scrollBar.top + (track - thumbHeight) * chooser.topRow / range;
        const RECT thumb{l.scrollBar.left + 2, thumbTop + 1, l.scrollBar.right - 2,
                         thumbTop + thumbHeight - 1};
        Fill(dc, thumb, kScrollThumbColour);
    }
}

} // namespace

void PaintFolderChooser(const CFolderChooser& chooser, HDC dc, const RECT& client) {
    const CChooserLayout& l = chooser.layout;
    const CChooserTexts& texts = ChooserTexts();
    CDcStateSaver saved(dc);
    SetBkMode(dc, TRANSPARENT);
    Fill(dc, client, GetSysColor(COLOR_BTNFACE));
    Frame(dc, client, kFrameColour);

    Fill(dc, l.title, kTitleColour);
    SelectObject(dc, chooser.titleFont ? chooser.titleFont.Get()
                                       : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
    SetTextColor(dc, RGB(255, 255, 255));
    RECT titleText{l.title.left + 10, l.title.top, l.close.left, l.title.bottom};
    DrawText(dc, texts.title, &titleText, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    DrawCloseButton(dc, l.close, chooser.hot == ChooserButton::Close,
                    chooser.pressed == ChooserButton::Close);

    SelectObject(dc, static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
    if (!l.prompt.IsEmpty()) {
        RECT prompt = l.prompt;
        SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
        DrawText(dc, chooser.prompt, &prompt, kPromptFormat | DT_EDITCONTROL | DT_END_ELLIPSIS);
    }

    Fill(dc, l.path, GetSysColor(COLOR_WINDOW));
    Frame(dc, l.path, kFieldFrameColour);
    RECT pathText{l.path.left + kTextInset, l.path.top, l.path.right - kTextInset, l.path.bottom};
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    DrawText(dc, FittedPath(dc, Utf8ToWide(chooser.ChosenFolder()), pathText.Width()), &pathText,
             DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);

    DrawList(chooser, dc);

    const auto isHot = [&](ChooserButton b) {
        return chooser.hot == b && (chooser.pressed == ChooserButton::None || chooser.pressed == b);
    };
    DrawButton(dc, l.ok, texts.ok, true, isHot(ChooserButton::Ok),
               chooser.pressed == ChooserButton::Ok && chooser.hot == ChooserButton::Ok);
    DrawButton(dc, l.cancel, texts.cancel, false, isHot(ChooserButton::Cancel),
               chooser.pressed == ChooserButton::Cancel && chooser.hot == ChooserButton::Cancel);
}

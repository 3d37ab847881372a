// vistrel-skin-sheet OUTPUT.png: draws every skin of the shipped skin list in each of its
// states, labelled, into one picture, below a main window and a message box assembled from
// the same skins. Used to review the look of the skin set after changing its images.
#include "SheetCanvas.h"
#include "SheetMockups.h"
#include "platform/controls/StandardClasses.h"

#include "bkwin/BkBmpPool.h"
#include "bkwin/BkFontPool.h"
#include "bkwin/BkPngPool.h"
#include "bkwin/BkResource.h"
#include "bkwin/BkSkinPool.h"
#include "bkwin/BkStates.h"
#include "bkwin/BkString.h"
#include "bkwin/BkValueParsers.h"
#include "platform/base/Utf8.h"
#include "platform/draw/DrawText.h"

#include <tinyxml.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr COLORREF kSheet = RGB(0xE9, 0xEE, 0xF4);
constexpr COLORREF kInk = RGB(0x22, 0x2B, 0x36);
constexpr COLORREF kQuiet = RGB(0x6B, 0x78, 0x88);
constexpr int kSheetWidth = 1240;
constexpr int kLabelWidth = 230;
constexpr int kCellGap = 18;

struct CState {
    int state;
    WString label;
};

// One row of the sheet: a skin, the size it is drawn at, its states, and what lies under it
// where it sits in the program.
struct CSkinRow {
    std::string name;
    std::string kind;
    std::string attributes;
    SIZE cell;
    std::vector<CState> states;
    std::string backdrop;   // a skin drawn under the cell first; empty: the sheet itself
    POINT backdropOffset{}; // where the cell lies inside the backdrop
    POINT drawOffset{};     // where the skin's top-left corner lies relative to the cell
};

int ImageWidth(const std::string& kind, int src) {
    HBITMAP image = kind == "png" ? BkPngPool::Instance().Get(src) : BkBmpPool::Instance().Get(src);
    BITMAP info;
    return image != nullptr && GetObject(image, &info) ? info.bmWidth : 0;
}

std::vector<CState> SubImageStates(int count) {
    static const WString looks[] = {L"normal", L"hover", L"pushed", L"disabled"};
    std::vector<CState> states;
    for (int i = 0; i < count; ++i) {
        states.push_back({i, count <= 4 ? looks[i] : L"index " + std::to_wstring(i)});
    }
    return states;
}

std::vector<CState> ElementStates(bool withDisabled) {
    std::vector<CState> states = {
        {0, L"normal"}, {STATE_HOVER, L"hover"}, {STATE_PUSHED | STATE_HOVER, L"pushed"}};
    if (withDisabled) {
        states.push_back({STATE_DISABLED, L"disabled"});
    }
    return states;
}

CSkinRow DescribeSkin(const TiXmlElement& e) {
    CSkinRow row;
    row.name = e.Attribute("name");
    row.kind = e.ValueStr();
    for (const TiXmlAttribute* a = e.FirstAttribute(); a != nullptr; a = a->Next()) {
        if (std::string(a->Name()) != "name") {
            row.attributes +=
                std::string(row.attributes.empty() ? "" : "  ") + a->Name() + "=" + a->Value();
        }
    }
    CBkSkinBase* skin = BkSkinPool::Instance().Get(row.name);
    const SIZE natural = skin != nullptr ? skin->NaturalSize() : SIZE{};
    const int src = e.Attribute("src") != nullptr ? ParseInt(e.Attribute("src")) : 0;
    const int subWidth = e.Attribute("subwidth") != nullptr ? ParseInt(e.Attribute("subwidth")) : 0;
    const int subImages = subWidth > 0 ? ImageWidth(row.kind, src) / subWidth : 1;

    row.cell = {160, 48};
    row.states = {{0, L""}};
    if (row.kind == "png" || row.kind == "imglst") {
        row.cell = natural;
        if (subWidth > 0) {
            row.states = SubImageStates(subImages);
        }
        if (row.name == "tabmain") {
            row.states[2].label = L"selected";
        }
    } else if (row.kind == "imghorzex") {
        row.cell = {160, natural.cy};
        if (subWidth > 0) {
            row.states = ElementStates(subImages >= 4);
        }
    } else if (row.kind == "button") {
        row.cell = {80, 26};
        row.states = ElementStates(true);
    } else if (row.kind == "imgframe") {
        if (row.name == "mainbgbody") {
            row.cell = {220, 120};
        } else if (row.name == "msgboxhead") {
            row.cell = {220, 31};
        } else if (row.name == "msgboxfoot" || row.name == "dlgfoot") {
            row.cell = {220, 45};
        } else if (row.name == "msgboxbody" || row.name == "dlgbody") {
            row.cell = {220, 60};
        }
    } else if (row.kind == "gradation") {
        row.cell = {160, 40};
    }

    // The header buttons sit on the header bar, the tab strip and its icons on the blue band
    // at the top of the main window's body, the tab background over a panel.
    if (row.kind == "png" && (row.name.find("btn") != std::string::npos)) {
        row.backdrop = "mainbghead";
        row.backdropOffset = {0, 1};
    } else if (row.name == "tabmain" || row.name == "logomodule") {
        row.backdrop = "mainbgbody";
        row.backdropOffset = {8, row.name == "tabmain" ? 4 : 5};
    } else if (row.name == "bg") {
        row.cell = {400, 180};
        row.backdrop = "panel";
        row.drawOffset = {-700, -380};
    }
    return row;
}

// Draws one row at `top`; answers the row's height.
int DrawRow(CSheetCanvas& canvas, const CSkinRow& row, const int rowTop) {
    int top = rowTop;
    canvas.Text(Utf8ToWide(row.name), {20, top, kLabelWidth, top + 18}, 0x0004, kInk,
                DT_SINGLELINE | DT_END_ELLIPSIS);
    RECT details{20, top + 20, kLabelWidth - 8, top + 200};
    const WString text = Utf8ToWide(row.kind + "\n" + row.attributes);
    DrawText(canvas.Dc(), text, &details, DT_WORDBREAK | DT_CALCRECT);
    canvas.Text(text, {20, top + 20, kLabelWidth - 8, top + 200}, 0xFF00, kQuiet, DT_WORDBREAK);
    const int labelHeight = 20 + (details.bottom - details.top);

    int x = kLabelWidth;
    int cellsBottom = top;
    for (const CState& state : row.states) {
        if (x + row.cell.cx > kSheetWidth - 20 && x > kLabelWidth) {
            x = kLabelWidth;
            top = cellsBottom + 10;
        }
        const RECT cell{x, top, x + row.cell.cx, top + row.cell.cy};
        if (!row.backdrop.empty()) {
            canvas.DrawSkinClipped(row.backdrop,
                                   {cell.left - row.backdropOffset.x,
                                    cell.top - row.backdropOffset.y, cell.right + 200,
                                    cell.bottom + 200},
                                   cell, 0);
        }
        canvas.DrawSkinClipped(row.name, OffsetRectBy(cell, row.drawOffset.x, row.drawOffset.y),
                               cell, state.state);
        canvas.Text(state.label,
                    {cell.left, cell.bottom + 3, cell.right + kCellGap, cell.bottom + 17}, 0xFF00,
                    kQuiet, DT_SINGLELINE);
        x = cell.right + kCellGap;
        cellsBottom = std::max<int>(cellsBottom, cell.bottom + (state.label.empty() ? 0 : 17));
    }
    return std::max<int>(cellsBottom, rowTop + labelHeight) - rowTop;
}

} // namespace

int main(int argc, char** argv) {
    InitStandardClasses();
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT.png\n", argv[0]);
        return 2;
    }
    // The start-up order of the program: strings, default font, skins.
    BkString::Instance().Load(102);
    BkFontPool::Instance().SetDefaultFont(BkString::Instance().Get(0), -12);
    if (!LoadSkins(100)) {
        std::fprintf(stderr, "skin-sheet: the skin list does not load\n");
        return 1;
    }
    TiXmlDocument list;
    LoadXmlResource(100, list);
    std::vector<CSkinRow> rows;
    for (const TiXmlElement* e = list.RootElement()->FirstChildElement(); e != nullptr;
         e = e->NextSiblingElement()) {
        if (e->Attribute("name") != nullptr) {
            rows.push_back(DescribeSkin(*e));
        }
    }

    // Measure on a scratch canvas, then draw at the height the rows need.
    int height = 0;
    for (int pass = 0; pass < 2; ++pass) {
        CSheetCanvas canvas(kSheetWidth, pass == 0 ? 4000 : height, kSheet);
        canvas.Text(L"Vistrel skins", {20, 14, 600, 44}, 0x0804, kInk, DT_SINGLELINE);
        canvas.Text(L"skin list 100: every skin in each state, and windows assembled from them",
                    {20, 44, 900, 62}, 0x0000, kQuiet, DT_SINGLELINE);
        DrawMainWindowMockup(canvas, {20, 76}, {620, 400});
        DrawMessageBoxMockup(canvas, {670, 76}, {330, 150});
        DrawSmallPartsMockup(canvas, {670, 250});
        int top = 500;
        for (const CSkinRow& row : rows) {
            top += DrawRow(canvas, row, top) + 22;
        }
        height = top + 10;
        if (pass == 1 && !canvas.SavePng(argv[1])) {
            std::fprintf(stderr, "skin-sheet: cannot write %s\n", argv[1]);
            return 1;
        }
    }
    return 0;
}

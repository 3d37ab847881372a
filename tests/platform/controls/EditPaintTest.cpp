// What the edit draws on its top-level window's surface: text inside the control, password
// characters, the caret kept in view by scrolling, margins, colours and fonts.
#include "EditFixture.h"
#include "tests/support/WindowOwner.h"

#include "platform/core/Input.h"
#include "platform/core/Paint.h"
#include "platform/core/PaintDC.h"
#include "platform/core/headless/HeadlessScreen.h"
#include "platform/draw/Bitmap.h"
#include "platform/draw/Brush.h"
#include "platform/draw/DeviceContext.h"
#include "platform/draw/Font.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>

namespace {

// Surface pixels are 0x00RRGGBB.
std::uint32_t Pixel(HWND top, int x, int y) {
    const CBitmap* surface = GetWindowSurface(top);
    return reinterpret_cast<const std::uint32_t*>(surface->Row(y))[x] & 0xFFFFFF;
}

std::uint32_t SurfaceColour(COLORREF c) {
    return (std::uint32_t(GetRValue(c)) << 16) | (std::uint32_t(GetGValue(c)) << 8) | GetBValue(c);
}

bool Dark(std::uint32_t p) {
    return ((p >> 16) & 0xFF) + ((p >> 8) & 0xFF) + (p & 0xFF) < 3 * 128;
}

int CountPixels(HWND top, RECT area, const std::function<bool(std::uint32_t)>& wanted) {
    int n = 0;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            n += wanted(Pixel(top, x, y));
        }
    }
    return n;
}

// The caret: a full column of the text colour over the line height.
bool CaretAt(const CEditFixture& fixture, int clientX, int clientTop) {
    POINT p{clientX, clientTop};
    MapWindowPoints(fixture.Edit(), fixture.Top(), &p, 1);
    const std::uint32_t ink = SurfaceColour(GetSysColor(COLOR_WINDOWTEXT));
    for (int y = p.y; y < p.y + DefaultFontHeight(); ++y) {
        if (Pixel(fixture.Top(), p.x, y) != ink) {
            return false;
        }
    }
    return true;
}

// The edit's rectangle in its top-level window.
RECT EditArea(const CEditFixture& fixture) {
    RECT r;
    GetWindowRect(fixture.Edit(), &r);
    return OffsetRectBy(r, -100, -100);
}

TEST(EditPaintTest, TextRendersInsideTheControl) {
    const WString text = L"Hello 中文";
    CEditFixture fixture(ES_AUTOHSCROLL, text);
    headless::PumpMessages();
    ASSERT_NE(GetWindowSurface(fixture.Top()), nullptr);
    const RECT edit = EditArea(fixture);
    const int top = edit.top + fixture.TextTop();
    const RECT textBox{edit.left + 1, top, edit.left + 1 + DefaultFontWidth(text),
                       top + DefaultFontHeight()};
    const RECT chinese{edit.left + 1 + DefaultFontWidth(L"Hello "), top, textBox.right,
                       textBox.bottom};

    EXPECT_GT(CountPixels(fixture.Top(), textBox, Dark), 40);
    EXPECT_GT(CountPixels(fixture.Top(), chinese, Dark), 20);
    const std::uint32_t white = SurfaceColour(GetSysColor(COLOR_WINDOW));
    for (int y = edit.top; y < edit.bottom; ++y) {
        for (int x = edit.left; x < edit.right; ++x) {
            if (!textBox.Contains({x, y})) {
                ASSERT_EQ(Pixel(fixture.Top(), x, y), white) << x << "," << y;
            }
        }
    }
    // Nothing is drawn outside the control.
    EXPECT_EQ(CountPixels(fixture.Top(), {0, 0, 300, edit.top}, [](auto p) { return p != 0; }), 0);
    EXPECT_EQ(CountPixels(fixture.Top(), {edit.right, 0, 300, 100}, [](auto p) { return p != 0; }),
              0);
}

TEST(EditPaintTest, LongTextIsClippedToTheControlAndItsMargin) {
    CEditFixture fixture(ES_AUTOHSCROLL, L"a long line of text that cannot fit", nullptr,
                         {10, 10, 60, 34});
    headless::PumpMessages();
    const RECT edit = EditArea(fixture);
    EXPECT_EQ(CountPixels(fixture.Top(), {edit.right, 0, 300, 100}, [](auto p) { return p != 0; }),
              0);
    const std::uint32_t white = SurfaceColour(GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(CountPixels(fixture.Top(), {edit.right - 1, edit.top, edit.right, edit.bottom},
                          [&](auto p) { return p != white; }),
              0);
}

TEST(EditPaintTest, PasswordShowsOneCharacterPerCharacter) {
    struct Case {
        DWORD style;
        WPARAM passwordChar; // sent with EM_SETPASSWORDCHAR unless ~0
        WString text;
        WString looksLike;
    };
    const Case cases[] = {
        {ES_PASSWORD, ~WPARAM(0), L"secret", L"******"},
        {ES_PASSWORD, L'#', L"abc中", L"####"},
        {0, L'•', L"pw", L"••"},
        {ES_PASSWORD, 0, L"plain", L"plain"},
    };
    for (const Case& c : cases) {
        CEditFixture fixture(ES_AUTOHSCROLL | c.style, c.text);
        if (c.passwordChar != ~WPARAM(0)) {
            SendMessage(fixture.Edit(), EM_SETPASSWORDCHAR, c.passwordChar, 0);
        }
        CWindowOwner lookalike(CreateWindowEx(0, L"Edit", c.looksLike, WS_CHILD | WS_VISIBLE, 10,
                                              50, 200, 24, fixture.Top(), 2, nullptr));
        headless::PumpMessages();
        EXPECT_EQ(fixture.Text(), c.text);
        int differing = 0;
        int dark = 0;
        for (int y = 0; y < 24; ++y) {
            for (int x = 0; x < 200; ++x) {
                const std::uint32_t p = Pixel(fixture.Top(), 10 + x, 10 + y);
                differing += p != Pixel(fixture.Top(), 10 + x, 50 + y);
                dark += Dark(p);
            }
        }
        EXPECT_EQ(differing, 0) << "looks like " << c.looksLike.size() << " characters";
        EXPECT_GT(dark, 0);
    }
}

TEST(EditPaintTest, CaretStaysInViewBetweenTheMargins) {
    CEditFixture fixture(ES_AUTOHSCROLL, L"", nullptr, {10, 10, 90, 34});
    SendMessage(fixture.Edit(), EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(5, 7));
    EXPECT_EQ(SendMessage(fixture.Edit(), EM_GETMARGINS, 0, 0), MAKELPARAM(5, 7));
    fixture.Focus();
    const int top = fixture.TextTop();

    Press({Typed(L"ab")});
    EXPECT_TRUE(CaretAt(fixture, 5 + DefaultFontWidth(L"ab"), top));

    // Typing past the right margin scrolls: the caret stays at the last column of the view.
    const WString tail = L"cdefghijklmnopqrstuvwxyz";
    Press({Typed(tail)});
    EXPECT_TRUE(CaretAt(fixture, 80 - 7 - 1, top));
    // The view shows the end: a click at its right edge lands at the end of the text.
    const POINT right = fixture.ScreenPoint(80 - 7 - 1, top + 2);
    headless::Click(right.x, right.y);
    headless::PumpMessages();
    EXPECT_EQ(fixture.Selection().first, 26u);

    Press({Key(VK_HOME)});
    EXPECT_TRUE(CaretAt(fixture, 5, top));
    // Without the focus there is no caret.
    SetFocus(fixture.Top());
    headless::PumpMessages();
    EXPECT_FALSE(CaretAt(fixture, 5, top));
}

TEST(EditPaintTest, CaretBlinksByItsTimerAndShowsAgainOnInput) {
    CEditFixture fixture(ES_AUTOHSCROLL, L"ab");
    fixture.Focus();
    const int top = fixture.TextTop();
    EXPECT_TRUE(CaretAt(fixture, 1, top));
    SendMessage(fixture.Edit(), WM_TIMER, kEditCaretTimer, 0);
    headless::PumpMessages();
    EXPECT_FALSE(CaretAt(fixture, 1, top));
    SendMessage(fixture.Edit(), WM_TIMER, kEditCaretTimer, 0);
    headless::PumpMessages();
    EXPECT_TRUE(CaretAt(fixture, 1, top));
    SendMessage(fixture.Edit(), WM_TIMER, kEditCaretTimer, 0);
    Press({Key(VK_END)});
    EXPECT_TRUE(CaretAt(fixture, 1 + DefaultFontWidth(L"ab"), top));
}

TEST(EditPaintTest, MultiLineScrollsToTheCaretLine) {
    const int height = DefaultFontHeight();
    CEditFixture fixture(ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL, L"", nullptr,
                         {10, 10, 210, 10 + 3 * height});
    fixture.Focus();
    Press({Typed(L"1"), Key(VK_RETURN), Typed(L"2"), Key(VK_RETURN), Typed(L"3"), Key(VK_RETURN),
           Typed(L"4"), Key(VK_RETURN), Typed(L"5")});
    // Five lines in a view of three: lines 3 to 5 show, the caret on the bottom one.
    EXPECT_TRUE(CaretAt(fixture, 1 + DefaultFontWidth(L"5"), 2 * height));
    const POINT firstShown = fixture.ScreenPoint(1, 1);
    headless::Click(firstShown.x, firstShown.y);
    headless::PumpMessages();
    EXPECT_EQ(fixture.Selection().first, 6u); // the start of "3"
    Press({ControlKey(VK_HOME)});
    EXPECT_TRUE(CaretAt(fixture, 1, 0));
}

TEST(EditPaintTest, ParentColoursAreUsed) {
    CGdiHandle<HBRUSH> blue(CreateSolidBrush(RGB(0, 0, 255)));
    CEditFixture fixture(ES_AUTOHSCROLL, L"Wide text",
                         [&](HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) -> LRESULT {
                             if (msg == WM_CTLCOLOREDIT) {
                                 SetTextColor(reinterpret_cast<HDC>(wParam), RGB(255, 0, 0));
                                 SetBkColor(reinterpret_cast<HDC>(wParam), RGB(0, 255, 0));
                                 return reinterpret_cast<LRESULT>(blue.Get());
                             }
                             return DefWindowProc(hwnd, msg, wParam, lParam);
                         });
    InvalidateRect(fixture.Edit(), nullptr, true);
    headless::PumpMessages();
    EXPECT_GE(fixture.Log().Count(WM_CTLCOLOREDIT), 1);
    const RECT edit = EditArea(fixture);
    EXPECT_EQ(Pixel(fixture.Top(), edit.right - 3, edit.top + 2), 0x0000FFu);
    // The text cells take the background colour, the glyphs the text colour.
    const RECT textBox{edit.left + 1, edit.top + fixture.TextTop(),
                       edit.left + 1 + DefaultFontWidth(L"Wide text"),
                       edit.top + fixture.TextTop() + DefaultFontHeight()};
    EXPECT_GT(CountPixels(fixture.Top(), textBox, [](auto p) { return p == 0x00FF00u; }), 20);
    EXPECT_GT(CountPixels(fixture.Top(), textBox,
                          [](auto p) { return (p >> 16) > 0xC0 && ((p >> 8) & 0xFF) < 0x60; }),
              10);
}

TEST(EditPaintTest, ReadOnlyAsksForStaticColoursAndLooksInactive) {
    CEditFixture fixture(ES_AUTOHSCROLL | ES_READONLY, L"D:\\");
    InvalidateRect(fixture.Edit(), nullptr, true);
    headless::PumpMessages();
    EXPECT_GE(fixture.Log().Count(WM_CTLCOLORSTATIC), 1);
    EXPECT_EQ(fixture.Log().Count(WM_CTLCOLOREDIT), 0);
    const RECT edit = EditArea(fixture);
    EXPECT_EQ(Pixel(fixture.Top(), edit.right - 3, edit.top + 2),
              SurfaceColour(GetSysColor(COLOR_BTNFACE)));
}

TEST(EditPaintTest, DisabledAsksForStaticColoursAndGreysTheText) {
    CEditFixture fixture(ES_AUTOHSCROLL, L"Disabled");
    EnableWindow(fixture.Edit(), false);
    fixture.Log().Clear();
    headless::PumpMessages();
    EXPECT_GE(fixture.Log().Count(WM_CTLCOLORSTATIC), 1);
    const RECT edit = EditArea(fixture);
    const std::uint32_t grey = SurfaceColour(GetSysColor(COLOR_GRAYTEXT));
    EXPECT_GT(CountPixels(fixture.Top(), edit, [&](auto p) { return p == grey; }), 5);
    EXPECT_EQ(
        CountPixels(fixture.Top(), edit,
                    [&](auto p) { return p == SurfaceColour(GetSysColor(COLOR_WINDOWTEXT)); }),
        0);
}

TEST(EditPaintTest, SelectionIsHighlightedWhileFocused) {
    CEditFixture fixture(ES_AUTOHSCROLL, L"select me");
    SendMessage(fixture.Edit(), EM_SETSEL, 0, -1);
    const RECT edit = EditArea(fixture);
    const std::uint32_t highlight = SurfaceColour(GetSysColor(COLOR_HIGHLIGHT));
    const auto highlighted = [&] {
        headless::PumpMessages();
        return CountPixels(fixture.Top(), edit, [&](auto p) { return p == highlight; });
    };
    EXPECT_EQ(highlighted(), 0);
    fixture.Focus();
    EXPECT_GT(highlighted(), 50);
    SetFocus(fixture.Top());
    EXPECT_EQ(highlighted(), 0);
}

TEST(EditPaintTest, NoHideSelKeepsTheSelectionShownWithoutFocus) {
    CEditFixture fixture(ES_AUTOHSCROLL | ES_NOHIDESEL, L"select me");
    SendMessage(fixture.Edit(), EM_SETSEL, 0, 6);
    headless::PumpMessages();
    const std::uint32_t highlight = SurfaceColour(GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_GT(CountPixels(fixture.Top(), EditArea(fixture), [&](auto p) { return p == highlight; }),
              50);
}

TEST(EditPaintTest, FontCanBeChanged) {
    CEditFixture fixture(ES_AUTOHSCROLL, L"Ag", nullptr, {10, 10, 210, 60});
    EXPECT_EQ(SendMessage(fixture.Edit(), WM_GETFONT, 0, 0),
              reinterpret_cast<LRESULT>(GetStockObject(DEFAULT_GUI_FONT)));
    const RECT edit = EditArea(fixture);
    const auto inkedRows = [&] {
        headless::PumpMessages();
        int rows = 0;
        for (int y = edit.top; y < edit.bottom; ++y) {
            rows += CountPixels(fixture.Top(), {edit.left, y, edit.right, y + 1}, Dark) > 0;
        }
        return rows;
    };
    const int small = inkedRows();
    LOGFONT description;
    description.lfHeight = -32;
    CGdiHandle<HFONT> big(CreateFontIndirect(&description));
    SendMessage(fixture.Edit(), WM_SETFONT, reinterpret_cast<WPARAM>(big.Get()), 1);
    EXPECT_EQ(SendMessage(fixture.Edit(), WM_GETFONT, 0, 0), reinterpret_cast<LRESULT>(big.Get()));
    EXPECT_GT(inkedRows(), small * 2);
    // A null font goes back to the default.
    SendMessage(fixture.Edit(), WM_SETFONT, 0, 1);
    EXPECT_EQ(SendMessage(fixture.Edit(), WM_GETFONT, 0, 0),
              reinterpret_cast<LRESULT>(GetStockObject(DEFAULT_GUI_FONT)));
}

} // namespace

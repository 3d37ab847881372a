// Selection by mouse: click, Shift+click, drag with capture, double-click on a word; focus on
// click and the I-beam cursor.
#include "EditFixture.h"

#include "platform/core/Input.h"
#include "platform/core/InputInjection.h"
#include "platform/core/headless/HeadlessScreen.h"

#include <gtest/gtest.h>

namespace {

void ClickAt(POINT p) {
    headless::Click(p.x, p.y);
    headless::PumpMessages();
}

TEST(EditMouseTest, ClickFocusesAndPlacesTheCaretAtTheNearestBoundary) {
    CEditFixture fixture(ES_AUTOHSCROLL, L"abcdef");
    const int y = fixture.TextTop() + 3;
    ASSERT_NE(GetFocus(), fixture.Edit());
    struct Case {
        int x;
        DWORD expected;
    };
    const int d0 = fixture.CaretX(3); // between c and d
    const int d1 = fixture.CaretX(4); // between d and e
    // Neighbouring clicks lie far apart, so that none of them makes a double-click.
    const Case cases[] = {
        {d0, 3},
        {0, 0},
        {d0 + (d1 - d0) / 2 - 1, 3}, // left half of d
        {190, 6},                    // past the end of the text
        {d0 + (d1 - d0) / 2 + 1, 4}, // right half of d
    };
    for (const Case& c : cases) {
        ClickAt(fixture.ScreenPoint(c.x, y));
        EXPECT_EQ(GetFocus(), fixture.Edit());
        EXPECT_EQ(fixture.Selection(), std::make_pair(c.expected, c.expected)) << "x " << c.x;
    }
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST(EditMouseTest, ShiftClickExtendsTheSelection) {
    CEditFixture fixture(ES_AUTOHSCROLL, L"abcdef");
    const int y = fixture.TextTop() + 3;
    ClickAt(fixture.ScreenPoint(fixture.CaretX(1), y));
    headless::PressKey(VK_SHIFT);
    ClickAt(fixture.ScreenPoint(fixture.CaretX(4), y));
    headless::ReleaseKey(VK_SHIFT);
    headless::PumpMessages();
    EXPECT_EQ(fixture.Selection(), std::make_pair(DWORD(1), DWORD(4)));
}

TEST(EditMouseTest, DragSelectsAndKeepsTheMouseBeyondTheEdit) {
    CEditFixture fixture(ES_AUTOHSCROLL, L"abcdef");
    const int y = fixture.TextTop() + 3;
    const POINT from = fixture.ScreenPoint(fixture.CaretX(4), y);
    headless::MoveMouse(from.x, from.y);
    headless::PressButton();
    headless::PumpMessages();
    EXPECT_EQ(GetCapture(), fixture.Edit());

    const POINT to = fixture.ScreenPoint(fixture.CaretX(2), y);
    headless::MoveMouse(to.x, to.y);
    headless::PumpMessages();
    EXPECT_EQ(fixture.Selection(), std::make_pair(DWORD(2), DWORD(4)));

    // Outside the edit (left of it, above it) the capture still brings the moves here.
    const POINT outside = fixture.ScreenPoint(-8, -8);
    headless::MoveMouse(outside.x, outside.y);
    headless::PumpMessages();
    EXPECT_EQ(fixture.Selection(), std::make_pair(DWORD(0), DWORD(4)));

    headless::ReleaseButton();
    headless::PumpMessages();
    EXPECT_EQ(GetCapture(), nullptr);
    // After the release, moving selects nothing more.
    headless::MoveMouse(to.x, to.y);
    headless::PumpMessages();
    EXPECT_EQ(fixture.Selection(), std::make_pair(DWORD(0), DWORD(4)));
}

TEST(EditMouseTest, DragHeldOutsideGoesOnSelectingAndScrolling) {
    const WString alphabet = L"abcdefghijklmnopqrstuvwxyz";
    CEditFixture fixture(ES_AUTOHSCROLL, alphabet, nullptr, {10, 10, 70, 34});
    const int y = fixture.TextTop() + 3;
    const POINT from = fixture.ScreenPoint(fixture.CaretX(1), y);
    headless::MoveMouse(from.x, from.y);
    headless::PressButton();
    headless::PumpMessages();
    const POINT outside = fixture.ScreenPoint(75, y);
    headless::MoveMouse(outside.x, outside.y);
    headless::PumpMessages();
    const DWORD reached = fixture.Selection().second;
    ASSERT_LT(reached, 20u);

    const auto tick = [&] {
        SendMessage(fixture.Edit(), WM_TIMER, kEditDragScrollTimer, 0);
        return fixture.Selection();
    };
    for (DWORD step = 1; step <= 4; ++step) {
        EXPECT_EQ(tick(), std::make_pair(DWORD(1), reached + step));
    }
    for (int step = 0; step < 30; ++step) {
        tick();
    }
    EXPECT_EQ(fixture.Selection(), std::make_pair(DWORD(1), DWORD(26)));

    // Back inside, the ticks stop moving it.
    const POINT inside = fixture.ScreenPoint(30, y);
    headless::MoveMouse(inside.x, inside.y);
    headless::PumpMessages();
    const auto held = fixture.Selection();
    EXPECT_EQ(tick(), held);
    headless::ReleaseButton();
    headless::PumpMessages();
    // The view followed the caret: the end of the text is at the right edge.
    ClickAt(fixture.ScreenPoint(60 - 2, y));
    EXPECT_EQ(fixture.Selection(), std::make_pair(DWORD(26), DWORD(26)));
}

TEST(EditMouseTest, DragHeldBelowAMultiLineEditSelectsLineByLine) {
    const int height = DefaultFontHeight();
    CEditFixture fixture(ES_MULTILINE, L"0\r\n1\r\n2\r\n3\r\n4", nullptr,
                         {10, 10, 210, 10 + 2 * height});
    const POINT from = fixture.ScreenPoint(1, 1);
    headless::MoveMouse(from.x, from.y);
    headless::PressButton();
    headless::PumpMessages();
    const POINT below = fixture.ScreenPoint(1, 2 * height + 5);
    headless::MoveMouse(below.x, below.y);
    headless::PumpMessages();
    EXPECT_EQ(fixture.Selection(), std::make_pair(DWORD(0), DWORD(6)));
    for (const DWORD expected : {9u, 12u, 12u}) {
        SendMessage(fixture.Edit(), WM_TIMER, kEditDragScrollTimer, 0);
        EXPECT_EQ(fixture.Selection(), std::make_pair(DWORD(0), expected));
    }
    headless::ReleaseButton();
    headless::PumpMessages();
}

TEST(EditMouseTest, DoubleClickSelectsTheWord) {
    struct Case {
        WString text;
        size_t at; // a character inside the word clicked
        std::pair<DWORD, DWORD> expected;
    };
    const Case cases[] = {
        {L"hello world foo", 8, {6, 11}},
        {L"hello world foo", 1, {0, 5}},
        {L"hello world", 20, {6, 11}}, // past the end: the last word
        {L"a  b", 1, {1, 3}},          // on blanks: the blanks
        {L"path/to_file.txt", 6, {5, 12}},
        {L"你好 世界", 3, {3, 5}},
    };
    for (const Case& c : cases) {
        CEditFixture fixture(ES_AUTOHSCROLL, c.text);
        const size_t at = std::min(c.at, c.text.size());
        const int x = at < c.text.size() ? (fixture.CaretX(at) + fixture.CaretX(at + 1)) / 2
                                         : fixture.CaretX(at) + 20;
        const POINT p = fixture.ScreenPoint(x, fixture.TextTop() + 3);
        headless::DoubleClick(p.x, p.y);
        headless::PumpMessages();
        EXPECT_EQ(fixture.Selection(), c.expected);
    }
}

TEST(EditMouseTest, ClickInAMultiLineEditFindsTheLine) {
    CEditFixture fixture(ES_MULTILINE | ES_WANTRETURN, L"one\r\ntwo\r\nthree", nullptr,
                         {10, 10, 210, 70});
    const int height = DefaultFontHeight();
    struct Case {
        POINT client;
        DWORD expected;
    };
    const Case cases[] = {
        {{1 + DefaultFontWidth(L"th"), 2 * height + height / 2}, 12},
        {{150, height + height / 2}, 8}, // right of the second line: its end
        {{1, 55}, 10},                   // below the last line: on it
        {{150, 1}, 3},
    };
    for (const Case& c : cases) {
        ClickAt(fixture.ScreenPoint(c.client.x, c.client.y));
        EXPECT_EQ(fixture.Selection(), std::make_pair(c.expected, c.expected));
    }
}

TEST(EditMouseTest, WheelScrollsAMultiLineEdit) {
    const int height = DefaultFontHeight();
    CEditFixture fixture(ES_MULTILINE | ES_WANTRETURN, L"0\r\n1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7",
                         nullptr, {10, 10, 210, 10 + 2 * height});
    // The first visible line is the one a click at the top lands on; "n" starts at 3 * n.
    const auto topLine = [&] {
        const POINT p = fixture.ScreenPoint(1, 1);
        ClickAt(p);
        headless::MoveMouse(p.x + 40, p.y); // no double-click with the next click
        return fixture.Selection().first / 3;
    };
    const POINT inside = fixture.ScreenPoint(50, 5);
    headless::MoveMouse(inside.x, inside.y);
    InjectMouseWheel(-120);
    headless::PumpMessages();
    EXPECT_EQ(topLine(), 3u);
    InjectMouseWheel(-240); // no further than the last lines
    headless::PumpMessages();
    EXPECT_EQ(topLine(), 6u);
    InjectMouseWheel(120);
    headless::PumpMessages();
    EXPECT_EQ(topLine(), 3u);
}

TEST(EditMouseTest, TheCursorIsTheIBeam) {
    CEditFixture fixture(ES_AUTOHSCROLL, L"abc");
    const POINT p = fixture.ScreenPoint(5, 5);
    headless::MoveMouse(p.x, p.y);
    headless::PumpMessages();
    EXPECT_EQ(GetCursor(), IDC_IBEAM);
    headless::MoveMouse(p.x + 250, p.y); // over the top-level window only
    headless::PumpMessages();
    EXPECT_EQ(GetCursor(), IDC_ARROW);
}

} // namespace

// Typing and editing keys, selection by keys, and the flags that refuse input.
#include "EditFixture.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

struct CKeyCase {
    const char* name;
    DWORD style;
    WString text;
    std::pair<int, int> selection; // anchor, caret before the keys
    std::vector<CKeyStroke> keys;
    WString expected;
    std::pair<DWORD, DWORD> expectedSelection;
    size_t limit = 0; // EM_LIMITTEXT when non-zero
};

// Failures name the case rather than dumping its bytes.
void PrintTo(const CKeyCase& c, std::ostream* out) {
    *out << c.name;
}

class EditKeysTest : public testing::TestWithParam<CKeyCase> {};

TEST_P(EditKeysTest, EditsAndSelects) {
    const CKeyCase& c = GetParam();
    CEditFixture fixture(c.style, c.text);
    if (c.limit) {
        SendMessage(fixture.Edit(), EM_LIMITTEXT, c.limit, 0);
    }
    fixture.Focus();
    SendMessage(fixture.Edit(), EM_SETSEL, WPARAM(c.selection.first), c.selection.second);
    Press(c.keys);
    EXPECT_EQ(fixture.Text(), c.expected);
    EXPECT_EQ(fixture.Selection(), c.expectedSelection);
}

constexpr DWORD kLine = ES_AUTOHSCROLL;
constexpr DWORD kLines = ES_MULTILINE | ES_WANTRETURN | ES_AUTOHSCROLL | ES_AUTOVSCROLL;

const CKeyCase kKeyCases[] = {
    {"TypingInsertsAtTheCaret", kLine, L"", {0, 0}, {Typed(L"hello")}, L"hello", {5, 5}},
    {"TypingInTheMiddle", kLine, L"held", {2, 2}, {Typed(L"l")}, L"helld", {3, 3}},
    {"TypingReplacesTheSelection",
     kLine,
     L"hello world",
     {0, 5},
     {Typed(L"bye")},
     L"bye world",
     {3, 3}},
    {"ChineseText",
     kLine,
     L"",
     {0, 0},
     {Typed(L"中文"), Key(VK_LEFT), Typed(L"A")},
     L"中A文",
     {2, 2}},
    {"BackspaceDeletesBeforeTheCaret", kLine, L"abc", {3, 3}, {Key(VK_BACK)}, L"ab", {2, 2}},
    {"BackspaceAtTheStartDoesNothing", kLine, L"abc", {0, 0}, {Key(VK_BACK)}, L"abc", {0, 0}},
    {"BackspaceDeletesTheSelection", kLine, L"abcdef", {4, 1}, {Key(VK_BACK)}, L"aef", {1, 1}},
    {"DeleteDeletesAfterTheCaret", kLine, L"abc", {0, 0}, {Key(VK_DELETE)}, L"bc", {0, 0}},
    {"DeleteAtTheEndDoesNothing", kLine, L"abc", {3, 3}, {Key(VK_DELETE)}, L"abc", {3, 3}},
    {"DeleteDeletesTheSelection", kLine, L"abcdef", {1, 4}, {Key(VK_DELETE)}, L"aef", {1, 1}},
    {"ControlBackspaceDeletesAWord",
     kLine,
     L"one two",
     {7, 7},
     {ControlKey(VK_BACK)},
     L"one ",
     {4, 4}},
    {"ArrowsMoveTheCaret", kLine, L"abc", {3, 3}, {Key(VK_LEFT), Key(VK_LEFT)}, L"abc", {1, 1}},
    {"LeftEndsASelectionAtItsStart", kLine, L"abcdef", {1, 4}, {Key(VK_LEFT)}, L"abcdef", {1, 1}},
    {"RightEndsASelectionAtItsEnd", kLine, L"abcdef", {4, 1}, {Key(VK_RIGHT)}, L"abcdef", {4, 4}},
    {"HomeAndEnd",
     kLine,
     L"abc",
     {1, 1},
     {Key(VK_END), Typed(L"!"), Key(VK_HOME), Typed(L"?")},
     L"?abc!",
     {1, 1}},
    {"ShiftArrowsExtendFromTheAnchor",
     kLine,
     L"abcdef",
     {3, 3},
     {ShiftKey(VK_LEFT), ShiftKey(VK_LEFT), Typed(L"X")},
     L"aXdef",
     {2, 2}},
    {"ShiftArrowsShrinkTheSelection",
     kLine,
     L"abcdef",
     {2, 2},
     {ShiftKey(VK_RIGHT), ShiftKey(VK_RIGHT), ShiftKey(VK_LEFT)},
     L"abcdef",
     {2, 3}},
    {"ShiftHomeSelectsToTheStart",
     kLine,
     L"abcdef",
     {4, 4},
     {ShiftKey(VK_HOME)},
     L"abcdef",
     {0, 4}},
    {"ShiftEndSelectsToTheEnd", kLine, L"abcdef", {4, 4}, {ShiftKey(VK_END)}, L"abcdef", {4, 6}},
    {"ControlASelectsAll", kLine, L"abcdef", {2, 2}, {ControlKey('A')}, L"abcdef", {0, 6}},
    {"ControlArrowsJumpByWords",
     kLine,
     L"one two three",
     {0, 0},
     {ControlKey(VK_RIGHT), ControlKey(VK_RIGHT), ControlKey(VK_LEFT), Typed(L"^")},
     L"one ^two three",
     {5, 5}},
    {"UpAndDownInOneLineMoveLikeLeftAndRight",
     kLine,
     L"abc",
     {1, 1},
     {Key(VK_DOWN), Key(VK_DOWN)},
     L"abc",
     {3, 3}},
    {"ControlOrAltLettersTypeNothing",
     kLine,
     L"abc",
     {3, 3},
     {{'Q', L"q", false, true, false}, {'F', L"f", false, false, true}},
     L"abc",
     {3, 3}},
    {"AltGrTypes", kLine, L"", {0, 0}, {{'E', L"€", false, true, true}}, L"€", {1, 1}},
    {"EnterIsIgnoredInOneLine", kLine, L"ab", {1, 1}, {Key(VK_RETURN)}, L"ab", {1, 1}},
    {"EnterBreaksAMultiLineText", kLines, L"ab", {1, 1}, {Key(VK_RETURN)}, L"a\r\nb", {3, 3}},
    {"ArrowsStepOverALineBreak", kLines, L"a\r\nb", {1, 1}, {Key(VK_RIGHT)}, L"a\r\nb", {3, 3}},
    {"BackspaceJoinsLines", kLines, L"a\r\nb", {3, 3}, {Key(VK_BACK)}, L"ab", {1, 1}},
    {"DownAndUpKeepTheColumn",
     kLines,
     L"abc\r\ndef\r\nghi",
     {6, 6},
     {Key(VK_DOWN), Typed(L"1"), Key(VK_UP), Key(VK_UP), Typed(L"2")},
     L"ab2c\r\ndef\r\ng1hi",
     {3, 3}},
    {"DownKeepsTheColumnPastAShortLine",
     kLines,
     L"abcdef\r\nab\r\nabcdef",
     {5, 5},
     {Key(VK_DOWN), Key(VK_DOWN)},
     L"abcdef\r\nab\r\nabcdef",
     {17, 17}},
    {"ASideMoveForgetsTheColumn",
     kLines,
     L"abcdef\r\nab\r\nabcdef",
     {5, 5},
     {Key(VK_DOWN), Key(VK_LEFT), Key(VK_DOWN)},
     L"abcdef\r\nab\r\nabcdef",
     {13, 13}},
    {"UpOnTheFirstLineStays", kLines, L"abc\r\ndef", {1, 1}, {Key(VK_UP)}, L"abc\r\ndef", {1, 1}},
    {"ShiftDownSelectsALine",
     kLines,
     L"abc\r\ndef",
     {1, 1},
     {ShiftKey(VK_DOWN)},
     L"abc\r\ndef",
     {1, 6}},
    {"HomeAndEndStayOnTheLine",
     kLines,
     L"abc\r\ndef",
     {6, 6},
     {Key(VK_HOME), ShiftKey(VK_END)},
     L"abc\r\ndef",
     {5, 8}},
    {"ControlHomeGoesToTheStart",
     kLines,
     L"abc\r\ndef",
     {6, 6},
     {ControlKey(VK_HOME)},
     L"abc\r\ndef",
     {0, 0}},
    {"ReadOnlyRefusesChangesButMoves",
     kLine | ES_READONLY,
     L"abc",
     {3, 3},
     {Typed(L"x"), Key(VK_BACK), Key(VK_HOME), Key(VK_DELETE), Key(VK_RIGHT)},
     L"abc",
     {1, 1}},
    {"NumberTakesDigitsOnly", kLine | ES_NUMBER, L"", {0, 0}, {Typed(L"1a2-3 ４")}, L"123", {3, 3}},
    {"ControlZUndoesTheTyping",
     kLine,
     L"ab",
     {2, 2},
     {Typed(L"cd"), ControlKey('Z')},
     L"ab",
     {2, 2}},
    {"ControlZAgainRedoes",
     kLine,
     L"ab",
     {2, 2},
     {Typed(L"cd"), ControlKey('Z'), ControlKey('Z')},
     L"abcd",
     {4, 4}},
    {"UndoTakesBackOnlyTheLastRun",
     kLine,
     L"ab",
     {2, 2},
     {Typed(L"cd"), Key(VK_LEFT), Typed(L"x"), ControlKey('Z')},
     L"abcd",
     {3, 3}},
    {"UndoBringsBackDeletedCharacters",
     kLine,
     L"abcd",
     {4, 4},
     {Key(VK_BACK), Key(VK_BACK), ControlKey('Z')},
     L"abcd",
     {4, 4}},
    {"UndoBringsBackTheSelection",
     kLine,
     L"hello",
     {0, 5},
     {Key(VK_DELETE), ControlKey('Z')},
     L"hello",
     {0, 5}},
    {"UndoOfAReplacedSelection",
     kLine,
     L"hello",
     {0, 5},
     {Typed(L"yo"), ControlKey('Z')},
     L"hello",
     {0, 5}},
    {"LimitStopsTyping", kLine, L"", {0, 0}, {Typed(L"abcdef")}, L"abc", {3, 3}, 3},
    {"LimitLeavesRoomForAReplacedSelection",
     kLine,
     L"abc",
     {0, 1},
     {Typed(L"xy")},
     L"xbc",
     {1, 1},
     3},
    {"LimitRefusesALineBreakThatDoesNotFit",
     kLines,
     L"ab",
     {2, 2},
     {Key(VK_RETURN)},
     L"ab",
     {2, 2},
     3},
};

INSTANTIATE_TEST_SUITE_P(Keys, EditKeysTest, testing::ValuesIn(kKeyCases),
                         [](const testing::TestParamInfo<CKeyCase>& info) {
                             return std::string(info.param.name);
                         });

TEST(EditFlagsTest, ReadOnlyCanBeSwitchedByMessage) {
    CEditFixture fixture(ES_AUTOHSCROLL, L"ab");
    fixture.Focus();
    SendMessage(fixture.Edit(), EM_SETSEL, 2, 2);
    EXPECT_EQ(SendMessage(fixture.Edit(), EM_SETREADONLY, 1, 0), 1);
    EXPECT_TRUE(GetWindowLongPtr(fixture.Edit(), GWL_STYLE) & ES_READONLY);
    Press({Typed(L"c")});
    EXPECT_EQ(fixture.Text(), L"ab");
    SendMessage(fixture.Edit(), EM_SETREADONLY, 0, 0);
    EXPECT_FALSE(GetWindowLongPtr(fixture.Edit(), GWL_STYLE) & ES_READONLY);
    Press({Typed(L"c")});
    EXPECT_EQ(fixture.Text(), L"abc");
}

TEST(EditFlagsTest, LimitIsReportedAndZeroLiftsIt) {
    CEditFixture fixture(ES_AUTOHSCROLL);
    EXPECT_EQ(SendMessage(fixture.Edit(), EM_GETLIMITTEXT, 0, 0), 32767);
    SendMessage(fixture.Edit(), EM_SETLIMITTEXT, 40, 0);
    EXPECT_EQ(SendMessage(fixture.Edit(), EM_GETLIMITTEXT, 0, 0), 40);
    SendMessage(fixture.Edit(), EM_LIMITTEXT, 0, 0);
    EXPECT_GT(SendMessage(fixture.Edit(), EM_GETLIMITTEXT, 0, 0), 1000000);
}

TEST(EditFlagsTest, SetTextIsNotCutByTheLimit) {
    // The limit holds the user back; the program may still set a longer text.
    CEditFixture fixture(ES_AUTOHSCROLL);
    SendMessage(fixture.Edit(), EM_LIMITTEXT, 3, 0);
    SetWindowText(fixture.Edit(), L"abcdef");
    EXPECT_EQ(fixture.Text(), L"abcdef");
    fixture.Focus();
    SendMessage(fixture.Edit(), EM_SETSEL, 6, 6);
    Press({Typed(L"g"), Key(VK_BACK), Key(VK_BACK)});
    EXPECT_EQ(fixture.Text(), L"abcd");
}

TEST(EditFlagsTest, WithoutAutoScrollALineTakesNoMoreThanItsWidth) {
    const WString alphabet = L"abcdefghijklmnopqrstuvwxyz";
    CEditFixture fixture(0, L"", nullptr, {10, 10, 70, 34});
    fixture.Focus();
    Press({Typed(alphabet)});
    const WString text = fixture.Text();
    ASSERT_GT(text.size(), 3u);
    ASSERT_LT(text.size(), alphabet.size());
    EXPECT_EQ(text, alphabet.substr(0, text.size()));
    // 60 pixels less the two 1-pixel margins; the caret after the text needs one more.
    EXPECT_LT(DefaultFontWidth(text), 58);
    EXPECT_GE(DefaultFontWidth(alphabet.substr(0, text.size() + 1)), 58);
    EXPECT_EQ(fixture.Notifications().back(), EN_MAXTEXT);
}

TEST(EditFlagsTest, UndoIsClearedBySetText) {
    CEditFixture fixture(ES_AUTOHSCROLL, L"a");
    EXPECT_EQ(SendMessage(fixture.Edit(), EM_CANUNDO, 0, 0), 0);
    EXPECT_EQ(SendMessage(fixture.Edit(), EM_UNDO, 0, 0), 0);
    fixture.Focus();
    SendMessage(fixture.Edit(), EM_SETSEL, 1, 1);
    Press({Typed(L"b")});
    EXPECT_EQ(SendMessage(fixture.Edit(), EM_CANUNDO, 0, 0), 1);
    fixture.ClearNotifications();
    EXPECT_EQ(SendMessage(fixture.Edit(), EM_UNDO, 0, 0), 1);
    EXPECT_EQ(fixture.Text(), L"a");
    EXPECT_EQ(fixture.Notifications(), (std::vector<WORD>{EN_UPDATE, EN_CHANGE}));
    SetWindowText(fixture.Edit(), L"new");
    EXPECT_EQ(SendMessage(fixture.Edit(), EM_CANUNDO, 0, 0), 0);
    Press({Typed(L"x")});
    SendMessage(fixture.Edit(), EM_EMPTYUNDOBUFFER, 0, 0);
    Press({ControlKey('Z')});
    EXPECT_EQ(fixture.Text(), L"xnew");
}

TEST(EditFlagsTest, ModifyFlagFollowsTheUser) {
    CEditFixture fixture(ES_AUTOHSCROLL, L"start");
    EXPECT_EQ(SendMessage(fixture.Edit(), EM_GETMODIFY, 0, 0), 0);
    fixture.Focus();
    Press({Key(VK_END)});
    EXPECT_EQ(SendMessage(fixture.Edit(), EM_GETMODIFY, 0, 0), 0); // moving changes nothing
    Press({Typed(L"x")});
    EXPECT_EQ(SendMessage(fixture.Edit(), EM_GETMODIFY, 0, 0), 1);
    SendMessage(fixture.Edit(), EM_SETMODIFY, 0, 0);
    EXPECT_EQ(SendMessage(fixture.Edit(), EM_GETMODIFY, 0, 0), 0);
    SendMessage(fixture.Edit(), EM_SETMODIFY, 1, 0);
    EXPECT_EQ(SendMessage(fixture.Edit(), EM_GETMODIFY, 0, 0), 1);
    SetWindowText(fixture.Edit(), L"new");
    EXPECT_EQ(SendMessage(fixture.Edit(), EM_GETMODIFY, 0, 0), 0);
}

} // namespace

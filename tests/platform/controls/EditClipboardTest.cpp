// Copy, cut and paste through the backend's clipboard, by keys and by message.
#include "EditFixture.h"

#include "platform/core/Backend.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

struct CClipboardCase {
    const char* name;
    DWORD style;
    WString text;
    std::pair<int, int> selection;
    WString clipboardBefore;
    std::vector<CKeyStroke> keys; // empty: the message below is sent instead
    UINT message;
    WString expected;
    WString clipboardAfter;
    size_t limit = 0;
};

// Failures name the case rather than dumping its bytes.
void PrintTo(const CClipboardCase& c, std::ostream* out) {
    *out << c.name;
}

class EditClipboardTest : public testing::TestWithParam<CClipboardCase> {};

TEST_P(EditClipboardTest, UsesTheClipboard) {
    const CClipboardCase& c = GetParam();
    CEditFixture fixture(c.style, c.text);
    if (c.limit) {
        SendMessage(fixture.Edit(), EM_LIMITTEXT, c.limit, 0);
    }
    Backend().SetClipboardText(c.clipboardBefore);
    fixture.Focus();
    SendMessage(fixture.Edit(), EM_SETSEL, WPARAM(c.selection.first), c.selection.second);
    if (c.keys.empty()) {
        SendMessage(fixture.Edit(), c.message, 0, 0);
    } else {
        Press(c.keys);
    }
    EXPECT_EQ(fixture.Text(), c.expected);
    EXPECT_EQ(Backend().ClipboardText(), c.clipboardAfter);
}

constexpr DWORD kLine = ES_AUTOHSCROLL;
constexpr DWORD kLines = ES_MULTILINE | ES_WANTRETURN | ES_AUTOHSCROLL;

const CClipboardCase kClipboardCases[] = {
    {"ControlCCopies",
     kLine,
     L"hello world",
     {0, 5},
     L"old",
     {ControlKey('C')},
     0,
     L"hello world",
     L"hello"},
    {"ControlInsertCopies",
     kLine,
     L"hello world",
     {6, 11},
     L"old",
     {ControlKey(VK_INSERT)},
     0,
     L"hello world",
     L"world"},
    {"CopyMessage", kLine, L"你好世界", {2, 4}, L"old", {}, WM_COPY, L"你好世界", L"世界"},
    {"CopyWithoutSelectionKeepsTheClipboard",
     kLine,
     L"abc",
     {1, 1},
     L"old",
     {ControlKey('C')},
     0,
     L"abc",
     L"old"},
    {"ControlXCuts",
     kLine,
     L"hello world",
     {0, 6},
     L"old",
     {ControlKey('X')},
     0,
     L"world",
     L"hello "},
    {"ShiftDeleteCuts",
     kLine,
     L"hello world",
     {5, 11},
     L"old",
     {ShiftKey(VK_DELETE)},
     0,
     L"hello",
     L" world"},
    {"CutMessage", kLine, L"abc", {0, 3}, L"old", {}, WM_CUT, L"", L"abc"},
    {"ReadOnlyCopiesButDoesNotCut",
     kLine | ES_READONLY,
     L"abc",
     {0, 2},
     L"old",
     {ControlKey('X')},
     0,
     L"abc",
     L"old"},
    {"ReadOnlyCopyMessage",
     kLine | ES_READONLY,
     L"abc",
     {0, 2},
     L"old",
     {},
     WM_COPY,
     L"abc",
     L"ab"},
    {"ControlVPastes", kLine, L"ac", {1, 1}, L"b", {ControlKey('V')}, 0, L"abc", L"b"},
    {"ShiftInsertPastesOverTheSelection",
     kLine,
     L"a--d",
     {1, 3},
     L"bc",
     {ShiftKey(VK_INSERT)},
     0,
     L"abcd",
     L"bc"},
    {"PasteMessage", kLine, L"", {0, 0}, L"中文", {}, WM_PASTE, L"中文", L"中文"},
    {"OneLineTakesTheFirstLine",
     kLine,
     L"",
     {0, 0},
     L"first\r\nsecond",
     {ControlKey('V')},
     0,
     L"first",
     L"first\r\nsecond"},
    {"MultiLineTakesAllLines",
     kLines,
     L"",
     {0, 0},
     L"first\r\nsecond",
     {ControlKey('V')},
     0,
     L"first\r\nsecond",
     L"first\r\nsecond"},
    {"PasteIsCutAtTheLimit",
     kLine,
     L"abc",
     {3, 3},
     L"12345",
     {ControlKey('V')},
     0,
     L"abc12",
     L"12345",
     5},
    {"PasteNeverSplitsALineBreak",
     kLines,
     L"ab",
     {2, 2},
     L"c\r\nd",
     {ControlKey('V')},
     0,
     L"abc",
     L"c\r\nd",
     4},
    {"PasteIntoAFullEditChangesNothing",
     kLine,
     L"abc",
     {1, 1},
     L"x",
     {ControlKey('V')},
     0,
     L"abc",
     L"x",
     3},
    {"NumberRefusesPastedLetters",
     kLine | ES_NUMBER,
     L"1",
     {1, 1},
     L"2a",
     {ControlKey('V')},
     0,
     L"1",
     L"2a"},
    {"NumberTakesPastedDigits",
     kLine | ES_NUMBER,
     L"1",
     {1, 1},
     L"23",
     {ControlKey('V')},
     0,
     L"123",
     L"23"},
    {"ReadOnlyRefusesPaste",
     kLine | ES_READONLY,
     L"abc",
     {0, 3},
     L"x",
     {ControlKey('V')},
     0,
     L"abc",
     L"x"},
    {"PasswordRefusesCopy",
     kLine | ES_PASSWORD,
     L"secret",
     {0, 6},
     L"old",
     {ControlKey('C')},
     0,
     L"secret",
     L"old"},
    {"PasswordRefusesCopyMessage",
     kLine | ES_PASSWORD,
     L"secret",
     {0, 6},
     L"old",
     {},
     WM_COPY,
     L"secret",
     L"old"},
    {"PasswordRefusesCut",
     kLine | ES_PASSWORD,
     L"secret",
     {0, 6},
     L"old",
     {ControlKey('X')},
     0,
     L"secret",
     L"old"},
    {"PasswordTakesPaste",
     kLine | ES_PASSWORD,
     L"",
     {0, 0},
     L"pw",
     {ControlKey('V')},
     0,
     L"pw",
     L"pw"},
};

INSTANTIATE_TEST_SUITE_P(Clipboard, EditClipboardTest, testing::ValuesIn(kClipboardCases),
                         [](const testing::TestParamInfo<CClipboardCase>& info) {
                             return std::string(info.param.name);
                         });

TEST(EditClipboardMoreTest, ClearingThePasswordCharacterAllowsCopy) {
    CEditFixture fixture(ES_AUTOHSCROLL | ES_PASSWORD, L"shown");
    EXPECT_EQ(SendMessage(fixture.Edit(), EM_GETPASSWORDCHAR, 0, 0), L'*');
    SendMessage(fixture.Edit(), EM_SETPASSWORDCHAR, 0, 0);
    EXPECT_FALSE(GetWindowLongPtr(fixture.Edit(), GWL_STYLE) & ES_PASSWORD);
    Backend().SetClipboardText(L"old");
    SendMessage(fixture.Edit(), EM_SETSEL, 0, -1);
    SendMessage(fixture.Edit(), WM_COPY, 0, 0);
    EXPECT_EQ(Backend().ClipboardText(), L"shown");

    SendMessage(fixture.Edit(), EM_SETPASSWORDCHAR, L'#', 0);
    EXPECT_TRUE(GetWindowLongPtr(fixture.Edit(), GWL_STYLE) & ES_PASSWORD);
    Backend().SetClipboardText(L"old");
    SendMessage(fixture.Edit(), WM_COPY, 0, 0);
    EXPECT_EQ(Backend().ClipboardText(), L"old");
}

TEST(EditClipboardMoreTest, PastedTextSendsOneChangeAndTooMuchSendsMaxText) {
    CEditFixture fixture(ES_AUTOHSCROLL, L"ab");
    SendMessage(fixture.Edit(), EM_LIMITTEXT, 4, 0);
    SendMessage(fixture.Edit(), EM_SETSEL, 2, 2);
    Backend().SetClipboardText(L"cdef");
    fixture.ClearNotifications();
    SendMessage(fixture.Edit(), WM_PASTE, 0, 0);
    EXPECT_EQ(fixture.Text(), L"abcd");
    EXPECT_EQ(fixture.Notifications(), (std::vector<WORD>{EN_MAXTEXT, EN_UPDATE, EN_CHANGE}));
}

} // namespace

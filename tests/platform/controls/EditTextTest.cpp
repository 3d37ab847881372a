// The text model: caret steps, words and lines.
#include "platform/controls/EditText.h"

#include <gtest/gtest.h>

namespace {

CEditText Make(const WString& text) {
    CEditText t;
    t.SetText(text);
    return t;
}

TEST(EditTextTest, CaretStepsOverALineBreakAsOne) {
    struct Case {
        WString text;
        size_t from;
        size_t next;
        size_t previous;
    };
    const Case cases[] = {
        {L"ab", 1, 2, 0},     {L"ab", 2, 2, 1},       {L"ab", 0, 1, 0},
        {L"a\r\nb", 1, 3, 0}, {L"a\r\nb", 3, 4, 1},   {L"a\nb", 1, 2, 0},
        {L"a\rb", 2, 3, 1},   {L"\r\n\r\n", 2, 4, 0}, {L"中文", 1, 2, 0},
    };
    for (const Case& c : cases) {
        const CEditText t = Make(c.text);
        EXPECT_EQ(t.Next(c.from), c.next) << c.from;
        EXPECT_EQ(t.Previous(c.from), c.previous) << c.from;
    }
}

TEST(EditTextTest, SelectionNeverSplitsALineBreak) {
    CEditText t = Make(L"a\r\nb");
    t.Select(2, 2);
    EXPECT_EQ(t.Caret(), 1u);
    t.Select(0, 99);
    EXPECT_EQ(t.SelectedText(), L"a\r\nb");
    t.ReplaceSelection(L"x");
    EXPECT_EQ(t.Text(), L"x");
    EXPECT_EQ(t.Caret(), 1u);
    EXPECT_FALSE(t.HasSelection());
}

TEST(EditTextTest, Words) {
    struct Case {
        WString text;
        size_t at;
        std::pair<size_t, size_t> word;
        size_t nextStart;
        size_t previousStart;
    };
    const Case cases[] = {
        {L"one two  three", 1, {0, 3}, 4, 0},
        {L"one two  three", 4, {4, 7}, 9, 0},
        {L"one two  three", 8, {7, 9}, 9, 4},    // on blanks
        {L"one two  three", 14, {9, 14}, 14, 9}, // at the end: the word before
        {L"a.b", 1, {1, 2}, 2, 0},               // punctuation is its own run
        {L"file_name2", 3, {0, 10}, 10, 0},
        {L"录像 目录，好", 1, {0, 2}, 3, 0},
        {L"录像 目录，好", 4, {3, 5}, 5, 3},
        {L"ab\r\ncd", 2, {0, 2}, 4, 0}, // at a line's end: its last word
        {L"ab\r\ncd", 4, {4, 6}, 6, 2},
        {L"\r\n", 0, {0, 0}, 2, 0}, // an empty line has no word
    };
    for (const Case& c : cases) {
        const CEditText t = Make(c.text);
        EXPECT_EQ(t.WordAt(c.at), c.word) << c.at;
        EXPECT_EQ(t.NextWordStart(c.at), c.nextStart) << c.at;
        EXPECT_EQ(t.PreviousWordStart(c.at), c.previousStart) << c.at;
    }
}

TEST(EditTextTest, Lines) {
    struct Case {
        WString text;
        std::vector<std::pair<size_t, size_t>> lines;
    };
    const Case cases[] = {
        {L"", {{0, 0}}},
        {L"abc", {{0, 3}}},
        {L"a\r\nbc\nd\re", {{0, 1}, {3, 5}, {6, 7}, {8, 9}}},
        {L"a\r\n", {{0, 1}, {3, 3}}},
    };
    for (const Case& c : cases) {
        std::vector<std::pair<size_t, size_t>> got;
        for (const CEditLine& line : SplitEditLines(c.text)) {
            got.emplace_back(line.start, line.end);
        }
        EXPECT_EQ(got, c.lines);
    }
    const std::vector<CEditLine> lines = SplitEditLines(L"ab\r\ncd\r\n");
    EXPECT_EQ(EditLineOf(lines, 0), 0u);
    EXPECT_EQ(EditLineOf(lines, 2), 0u);
    EXPECT_EQ(EditLineOf(lines, 4), 1u);
    EXPECT_EQ(EditLineOf(lines, 8), 2u);
    EXPECT_EQ(FirstEditLine(L"one\r\ntwo"), L"one");
    EXPECT_EQ(FirstEditLine(L"one"), L"one");
}

} // namespace

#include "tests/support/Canvas.h"

namespace {

// A canvas with a 12-pixel 微软雅黑 font selected and transparent background.
class DrawTextTest : public ::testing::Test {
protected:
    DrawTextTest() : m_canvas(200, 120) {
        LOGFONT lf;
        lf.lfHeight = -12;
        lf.lfFaceName = L"微软雅黑";
        m_font.Reset(CreateFontIndirect(&lf));
        SelectObject(Dc(), m_font.Get());
        SetBkMode(Dc(), TRANSPARENT);
        TEXTMETRIC tm;
        GetTextMetrics(Dc(), &tm);
        m_lineHeight = tm.tmHeight;
    }
    ~DrawTextTest() override {
        SelectObject(Dc(), static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
    }

    HDC Dc() const { return m_canvas.Dc(); }
    int Width(const WString& text) const {
        SIZE size;
        GetTextExtentPoint32(Dc(), text, &size);
        return size.cx;
    }
    RECT Calc(const WString& text, RECT r, UINT format) const {
        DrawText(Dc(), text, &r, format | DT_CALCRECT);
        return r;
    }
    void Clear() {
        CGdiHandle<HBRUSH> white(CreateSolidBrush(kWhite));
        RECT all{0, 0, m_canvas.Width(), m_canvas.Height()};
        FillRect(Dc(), &all, white);
    }
    RECT Inked() const {
        RECT box{};
        for (int y = 0; y < m_canvas.Height(); ++y) {
            for (int x = 0; x < m_canvas.Width(); ++x) {
                if (m_canvas.At(x, y) != kWhite) {
                    box = BoundingRect(box, RECT{x, y, x + 1, y + 1});
                }
            }
        }
        return box;
    }
    bool InkedIn(const RECT& r) const {
        for (int y = r.top; y < r.bottom; ++y) {
            for (int x = r.left; x < r.right; ++x) {
                if (m_canvas.At(x, y) != kWhite) {
                    return true;
                }
            }
        }
        return false;
    }

    CCanvas m_canvas;
    CGdiHandle<HFONT> m_font;
    int m_lineHeight = 0;
};

TEST_F(DrawTextTest, CalcRectGivesTheRectangleTheSameCallDraws) {
    struct Case {
        const wchar_t* text;
        RECT box;
        UINT format;
        int lines;
    } cases[] = {
        {L"没有检测到摄像头！", {10, 10, 190, 110}, DT_SINGLELINE, 1},
        {L"居中 centred", {10, 10, 190, 110}, DT_SINGLELINE | DT_CENTER | DT_VCENTER, 1},
        {L"right bottom 右下", {10, 10, 190, 110}, DT_SINGLELINE | DT_RIGHT | DT_BOTTOM, 1},
        {L"two\nlines", {10, 10, 190, 110}, DT_LEFT, 2},
        {L"words that wrap in a narrow box 以及中文", {10, 10, 90, 110}, DT_WORDBREAK, 4},
        {L"wrapped and centred 居中的换行文字", {10, 10, 90, 110}, DT_WORDBREAK | DT_CENTER, 3},
    };
    for (const Case& c : cases) {
        Clear();
        const RECT calc = Calc(c.text, c.box, c.format);
        RECT drawn = c.box;
        const int height = DrawText(Dc(), c.text, &drawn, c.format);
        EXPECT_EQ(drawn, c.box) << "drawing leaves the rectangle alone";
        EXPECT_EQ(calc.Height(), c.lines * m_lineHeight) << c.text;
        const RECT ink = Inked();
        EXPECT_FALSE(ink.IsEmpty()) << c.text;
        EXPECT_GE(ink.left, calc.left - 1) << c.text;
        EXPECT_LE(ink.right, calc.right + 1) << c.text;
        EXPECT_GE(ink.top, calc.top) << c.text;
        EXPECT_LE(ink.bottom, calc.bottom) << c.text;
        // The ink reaches into the first and the last line of the measured rectangle.
        EXPECT_LT(ink.top, calc.top + m_lineHeight) << c.text;
        EXPECT_GT(ink.bottom, calc.bottom - m_lineHeight) << c.text;
        EXPECT_EQ(height,
                  calc.bottom - ((c.format & (DT_VCENTER | DT_BOTTOM)) ? c.box.top : calc.top));
    }
}

TEST_F(DrawTextTest, AlignmentPlacesTheLineInTheRectangle) {
    const WString text = L"对齐 align";
    const int w = Width(text);
    const RECT box{10, 10, 190, 50};
    struct Case {
        UINT format;
        RECT expected;
    } cases[] = {
        {DT_SINGLELINE, {10, 10, 10 + w, 10 + m_lineHeight}},
        {DT_SINGLELINE | DT_CENTER,
         {10 + (180 - w) / 2, 10, 10 + (180 - w) / 2 + w, 10 + m_lineHeight}},
        {DT_SINGLELINE | DT_RIGHT, {190 - w, 10, 190, 10 + m_lineHeight}},
        {DT_SINGLELINE | DT_VCENTER,
         {10, 10 + (40 - m_lineHeight) / 2, 10 + w, 10 + (40 - m_lineHeight) / 2 + m_lineHeight}},
        {DT_SINGLELINE | DT_BOTTOM, {10, 50 - m_lineHeight, 10 + w, 50}},
        // Vertical alignment needs a single line.
        {DT_VCENTER, {10, 10, 10 + w, 10 + m_lineHeight}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Calc(text, box, c.format), c.expected) << c.format;
    }
}

TEST_F(DrawTextTest, WordBreakingBreaksAtSpacesBetweenChineseCharactersAndInsideLongWords) {
    const int space = Width(L" ");
    const int word = Width(L"camera");
    // Room for one word and a half: every word gets its own line, spaces dropped.
    RECT box{0, 0, word + word / 2, 200};
    EXPECT_EQ(Calc(L"camera camera camera", box, DT_WORDBREAK),
              (RECT{0, 0, word, 3 * m_lineHeight}));
    // Two words and their space fit exactly.
    box.right = 2 * word + space;
    EXPECT_EQ(Calc(L"camera camera camera", box, DT_WORDBREAK).Height(), 2 * m_lineHeight);
    // Chinese breaks between any two characters.
    const int han = Width(L"摄");
    box.right = 3 * han;
    EXPECT_EQ(Calc(L"没有检测到摄像头", box, DT_WORDBREAK),
              (RECT{0, 0, 3 * han, 3 * m_lineHeight}));
    // ...but never puts the closing mark at the start of a line.
    box.right = 3 * han + han / 2;
    RECT marks = Calc(L"摄像头！", box, DT_WORDBREAK);
    EXPECT_EQ(marks.Height(), 2 * m_lineHeight);
    EXPECT_LE(marks.Width(), Width(L"摄像"));
    // A word too wide for the box on its own is cut where it stops fitting.
    box.right = word / 2;
    const RECT cut = Calc(L"camera", box, DT_WORDBREAK);
    EXPECT_GE(cut.Height(), 2 * m_lineHeight);
    EXPECT_LE(cut.Width(), word / 2);
    // Spaces count, except where a line was broken.
    EXPECT_EQ(Calc(L"camera ", RECT{0, 0, 400, 40}, DT_SINGLELINE).Width(), word + space);
    // Without DT_WORDBREAK nothing wraps; explicit breaks count unless single line.
    EXPECT_EQ(Calc(L"camera camera", box, 0).Height(), m_lineHeight);
    EXPECT_EQ(Calc(L"a\r\nb\rc\nd", box, 0).Height(), 4 * m_lineHeight);
    EXPECT_EQ(Calc(L"a\r\nb", box, DT_SINGLELINE).Height(), m_lineHeight);
}

TEST_F(DrawTextTest, EndEllipsisShortensLinesThatDoNotFit) {
    const WString text = L"没有检测到摄像头！请检查连接";
    const RECT box{0, 0, Width(text) / 2, 40};
    const RECT calc = Calc(text, box, DT_SINGLELINE | DT_END_ELLIPSIS);
    EXPECT_LE(calc.Width(), box.Width());
    EXPECT_GT(calc.Width(), box.Width() - Width(L"摄") - Width(L"..."));
    // A line that fits is left as it is.
    EXPECT_EQ(Calc(L"短", box, DT_SINGLELINE | DT_END_ELLIPSIS).Width(), Width(L"短"));
    Clear();
    RECT drawn = box;
    DrawText(Dc(), text, &drawn, DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOCLIP);
    EXPECT_LE(Inked().right, box.right);
}

TEST_F(DrawTextTest, EditControlLeavesOutAPartlyVisibleLastLine) {
    const RECT box{0, 0, 200, m_lineHeight * 2 + m_lineHeight / 2};
    Clear();
    RECT r = box;
    DrawText(Dc(), L"一\n二\n三", &r, DT_EDITCONTROL);
    EXPECT_TRUE(InkedIn(RECT{0, m_lineHeight, 200, 2 * m_lineHeight}));
    EXPECT_FALSE(InkedIn(RECT{0, 2 * m_lineHeight, 200, 120}));
    // Without it the third line is drawn as far as the rectangle allows.
    Clear();
    DrawText(Dc(), L"一\n二\n三", &r, 0);
    EXPECT_TRUE(InkedIn(RECT{0, 2 * m_lineHeight, 200, box.bottom}));
    EXPECT_FALSE(InkedIn(RECT{0, box.bottom, 200, 120}));
}

TEST_F(DrawTextTest, PrefixesUnderlineTheNextCharacterUnlessNoPrefix) {
    EXPECT_EQ(Calc(L"&&", RECT{0, 0, 200, 40}, DT_SINGLELINE).Width(), Width(L"&"));
    EXPECT_EQ(Calc(L"&File", RECT{0, 0, 200, 40}, DT_SINGLELINE).Width(), Width(L"File"));
    EXPECT_EQ(Calc(L"&File", RECT{0, 0, 200, 40}, DT_SINGLELINE | DT_NOPREFIX).Width(),
              Width(L"&File"));
    // The underline lies under the prefixed character only, below the glyphs.
    TEXTMETRIC tm;
    GetTextMetrics(Dc(), &tm);
    const RECT under{0, tm.tmAscent + 1, 200, tm.tmHeight};
    Clear();
    RECT r{0, 0, 200, 40};
    DrawText(Dc(), L"o&o", &r, DT_SINGLELINE);
    const int o = Width(L"o");
    EXPECT_FALSE(InkedIn(RECT{0, under.top, o, under.bottom}));
    EXPECT_TRUE(InkedIn(RECT{o, under.top, 2 * o, under.bottom}));
    Clear();
    DrawText(Dc(), L"o&o", &r, DT_SINGLELINE | DT_NOPREFIX);
    EXPECT_FALSE(InkedIn(under));
}

TEST_F(DrawTextTest, TabsExpandToStops) {
    TEXTMETRIC tm;
    GetTextMetrics(Dc(), &tm);
    const RECT box{0, 0, 400, 40};
    EXPECT_EQ(Calc(L"a\tb", box, DT_SINGLELINE | DT_EXPANDTABS).Width(),
              8 * tm.tmAveCharWidth + Width(L"b"));
    EXPECT_EQ(Calc(L"\tb", box, DT_SINGLELINE | DT_EXPANDTABS | DT_TABSTOP | (4 << 8)).Width(),
              4 * tm.tmAveCharWidth + Width(L"b"));
    EXPECT_EQ(Calc(L"a\tb", box, DT_SINGLELINE).Width(), Width(L"ab"));
}

TEST_F(DrawTextTest, TextIsClippedToTheRectangleUnlessNoClip) {
    const RECT box{20, 20, 40, 40};
    Clear();
    RECT r = box;
    DrawText(Dc(), L"没有检测到摄像头", &r, DT_SINGLELINE);
    EXPECT_FALSE(InkedIn(RECT{40, 0, 200, 120}));
    Clear();
    DrawText(Dc(), L"没有检测到摄像头", &r, DT_SINGLELINE | DT_NOCLIP);
    EXPECT_TRUE(InkedIn(RECT{40, 0, 200, 120}));
}

// Arbitrary mixes of the characters and flags the layout treats specially: measuring and
// drawing must agree on the height and never fail.
TEST_F(DrawTextTest, ArbitraryTextAndFlagsMeasureAndDrawConsistently) {
    const std::wstring alphabet = L"a &\t\r\n摄！（)W.";
    const UINT flags[] = {DT_WORDBREAK,    DT_SINGLELINE,  DT_CENTER,   DT_RIGHT,
                          DT_VCENTER,      DT_BOTTOM,      DT_NOPREFIX, DT_EXPANDTABS,
                          DT_END_ELLIPSIS, DT_EDITCONTROL, DT_NOCLIP,   DT_EXTERNALLEADING};
    std::uint32_t seed = 12345;
    auto next = [&seed] {
        seed = seed * 1103515245u + 12345u;
        return seed >> 16;
    };
    for (int round = 0; round < 300; ++round) {
        WString text;
        const int length = int(next() % 24);
        for (int i = 0; i < length; ++i) {
            text += alphabet[next() % alphabet.size()];
        }
        UINT format = 0;
        for (UINT f : flags) {
            if (next() % 3 == 0) {
                format |= f;
            }
        }
        format &= ~DT_EDITCONTROL; // it may leave lines out, which measuring never does
        const RECT box{10, 10, 10 + int(next() % 120), 10 + int(next() % 100)};
        RECT measured = box;
        const int calcHeight = DrawText(Dc(), text, &measured, format | DT_CALCRECT);
        RECT drawn = box;
        EXPECT_EQ(DrawText(Dc(), text, &drawn, format), calcHeight) << round;
        if (!text.empty()) {
            EXPECT_EQ(measured.Height() % m_lineHeight, 0) << round;
            EXPECT_GE(measured.Height(), m_lineHeight) << round;
        }
    }
}

TEST_F(DrawTextTest, EmptyTextMeasuresNothing) {
    RECT r{5, 5, 100, 100};
    EXPECT_EQ(DrawText(Dc(), L"", &r, DT_CALCRECT | DT_WORDBREAK), 0);
    EXPECT_EQ(r, (RECT{5, 5, 5, 5}));
    EXPECT_EQ(DrawText(nullptr, L"x", &r, 0), 0);
}

} // namespace

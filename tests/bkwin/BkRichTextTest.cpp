// The rich-text element: markup drawn run by run with the fonts and colours of its tags, runs
// wrapped between any two characters, links laid out whole by the first paint after a change
// and clicked through the dialog view, and the markup set at run time.
#include "BkControlTestSupport.h"
#include "BkTestDialog.h"

#include "bkwin/BkDialog.h"
#include "bkwin/BkFontPool.h"
#include "bkwin/BkRichText.h"
#include "bkwin/BkSkinPool.h"
#include "bkwin/BkString.h"
#include "bkwin/BkStylePool.h"
#include "bkwin/BkWinManager.h"
#include "platform/base/Utf8.h"
#include "platform/core/Input.h"
#include "platform/draw/Text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kRed = RGB(0xFF, 0, 0);
constexpr COLORREF kBlue = RGB(0x22, 0x22, 0xEE);
constexpr WORD kBold = 4;

// The update prompt's markup with its three values filled in.
const char* const kPromptMarkup =
    "<c color=\"FF0000\"><b>A : B</b></c><br/> <c color=\"2222ee\"><b>C</b></c>";

class RichTextTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ASSERT_TRUE(BkString::Instance().Load(102));
        ASSERT_TRUE(LoadSkins(100));
        ASSERT_TRUE(LoadStyles(101));
    }

    // A rich text with the program's "richtext" class (spacing 5, linespacing 20) at
    // `area`, with the markup as its children.
    std::unique_ptr<CBkRichText> Make(const RECT& area, const std::string& markup) {
        auto element = std::unique_ptr<CBkRichText>(static_cast<CBkRichText*>(
            LoadElement(
                ("<richtext class=richtext pos=0,0,-0,-0>" + markup + "</richtext>").c_str())
                .release()));
        element->rect = area;
        return element;
    }

    // Draws the text in the font and colour, as a reference for what the element draws.
    static void Reference(CBkTestSurface& surface, int x, int y, const WString& text, WORD font,
                          COLORREF colour) {
        CDcStateSaver saver(surface.Dc());
        SelectObject(surface.Dc(), BkFontPool::Instance().GetFont(font));
        SetBkMode(surface.Dc(), TRANSPARENT);
        SetTextColor(surface.Dc(), colour);
        TextOut(surface.Dc(), x, y, text);
    }

    static int Width(const WString& text, WORD font) {
        CMemoryDC dc;
        SelectObject(dc, BkFontPool::Instance().GetFont(font));
        SIZE size;
        GetTextExtentPoint32(dc, text, &size);
        return size.cx;
    }

    static void Paint(CBkWindow& element, CBkTestSurface& surface) {
        SetBkMode(surface.Dc(), TRANSPARENT);
        element.PaintRegion(surface.Dc(), nullptr);
    }
};

TEST_F(RichTextTest, ThePromptMarkupDrawsBoldRedThenBoldBlueOnTheNextLine) {
    const RECT area{10, 10, 310, 110};
    auto element = Make(area, kPromptMarkup);
    CBkTestSurface painted(320, 120, kWhite);
    Paint(*element, painted);

    CBkTestSurface expected(320, 120, kWhite);
    Reference(expected, 10, 10, L"A : B", kBold, kRed);
    Reference(expected, 10, 30, L"C", kBold, kBlue);
    EXPECT_TRUE(SamePixels(painted, expected, {0, 0, 320, 120}));
    EXPECT_TRUE(AnyPixelIs(painted, {10, 10, 310, 30}, kRed));
    EXPECT_FALSE(AnyPixelIs(painted, {10, 10, 310, 30}, kBlue));
    EXPECT_TRUE(AnyPixelIs(painted, {10, 30, 310, 50}, kBlue));
    EXPECT_FALSE(AnyPixelIs(painted, {10, 30, 310, 50}, kRed));

    // Not the regular weight.
    CBkTestSurface regular(320, 120, kWhite);
    Reference(regular, 10, 10, L"A : B", 0, kRed);
    EXPECT_FALSE(SamePixels(painted, regular, {0, 0, 320, 30}));
}

TEST_F(RichTextTest, ARunWiderThanTheLineBreaksBetweenCharacters) {
    const WString run = L"abcd efgh ijkl mnop qrst";
    // Room for the characters up to the middle of the word "ijkl".
    const int width = Width(run.substr(0, 12), 0);
    auto element = Make({0, 0, width, 100}, "abcd efgh ijkl mnop qrst");
    CBkTestSurface painted(200, 100, kWhite);
    Paint(*element, painted);

    // The first line ends inside a word; the rest starts at the left edge one line lower and
    // breaks again where it does not fit.
    CMemoryDC dc;
    SelectObject(dc, BkFontPool::Instance().GetFont(0));
    int second = 0;
    SIZE size;
    GetTextExtentExPoint(dc, run.substr(12), width, &second, nullptr, &size);
    ASSERT_GT(second, 0);
    ASSERT_LT(12 + second, int(run.size()));
    CBkTestSurface expected(200, 100, kWhite);
    Reference(expected, 0, 0, run.substr(0, 12), 0, kBlack);
    Reference(expected, 0, 20, run.substr(12, std::size_t(second)), 0, kBlack);
    Reference(expected, 0, 40, run.substr(12 + std::size_t(second)), 0, kBlack);
    EXPECT_TRUE(SamePixels(painted, expected, {0, 0, 200, 100}));
}

TEST_F(RichTextTest, TextAreaNarrowerThanACharacterStillEnds) {
    auto element = Make({0, 0, 2, 200}, "WWW");
    CBkTestSurface painted(50, 200, kWhite);
    Paint(*element, painted); // one character per line, clipped to the area
    EXPECT_TRUE(AllPixelsAre(painted, {2, 0, 50, 200}, kWhite));
}

struct SameLook {
    const char* markup;
    const char* equivalent;
};

class RichTextSameLookTest : public RichTextTest, public ::testing::WithParamInterface<SameLook> {};

TEST_P(RichTextSameLookTest, DrawsAsTheEquivalentMarkup) {
    auto element = Make({0, 0, 300, 80}, GetParam().markup);
    auto reference = Make({0, 0, 300, 80}, GetParam().equivalent);
    CBkTestSurface painted(300, 80, kWhite);
    CBkTestSurface expected(300, 80, kWhite);
    Paint(*element, painted);
    Paint(*reference, expected);
    EXPECT_TRUE(SamePixels(painted, expected, {0, 0, 300, 80}));
    EXPECT_FALSE(AllPixelsAre(painted, {0, 0, 300, 80}, kWhite));
}

INSTANTIATE_TEST_SUITE_P(
    Markup, RichTextSameLookTest,
    ::testing::Values(
        // Tags are compared without regard to case; unknown tags show their text unchanged.
        SameLook{"<B>bold</B>", "<b>bold</b>"}, SameLook{"<span>plain</span>", "plain"},
        SameLook{"<BR/>x", "<br/>x"},
        // A c inside a c gives the outer colour back when it ends.
        SameLook{"<c color=FF0000>a<c color=0000FF>b</c>c</c>",
                 "<c color=FF0000>a</c><c color=0000FF>b</c><c color=FF0000>c</c>"},
        // Bits combine: b inside i is bold italic.
        SameLook{"<i><b>x</b></i>", "<b><i>x</i></b>"},
        // A c without a colour keeps the text's colour.
        SameLook{"<c>x</c>", "x"}));

TEST_F(RichTextTest, RunsAreSpacedApart) {
    // "a" then "b" as two runs: b starts the class's 5 pixels after a's width.
    auto element = Make({0, 0, 300, 40}, "<c color=FF0000>a</c><c color=0000FF>b</c>");
    CBkTestSurface painted(300, 40, kWhite);
    Paint(*element, painted);
    CBkTestSurface expected(300, 40, kWhite);
    Reference(expected, 0, 0, L"a", 0, kRed);
    Reference(expected, Width(L"a", 0) + 5, 0, L"b", 0, RGB(0, 0, 0xFF));
    EXPECT_TRUE(SamePixels(painted, expected, {0, 0, 300, 40}));
}

// Layout 108, the update prompt: rich text 60002 at (10, 42, 340, 125).
class RichTextPromptTest : public RichTextTest {
protected:
    void SetUp() override {
        hwnd = dialog.LoadAndShow();
        ASSERT_NE(hwnd, nullptr);
        richText = dynamic_cast<CBkRichText*>(dialog.view.FindElement(60002));
        ASSERT_NE(richText, nullptr);
        ASSERT_EQ(richText->rect, (RECT{10, 42, 340, 125}));
    }
    void TearDown() override {
        headless::MoveMouse(1200, 700);
        headless::PumpMessages();
    }

    // Presses and releases at the client point without letting anything be painted first.
    void ClickBeforePainting(int x, int y) {
        const POINT p = ScreenPoint(hwnd, x, y);
        headless::MoveMouse(p.x, p.y);
        headless::PressButton();
        headless::ReleaseButton();
        headless::PumpMessages();
    }

    BkWinManager manager;
    CTestDialog dialog{108};
    HWND hwnd = nullptr;
    CBkRichText* richText = nullptr;
};

TEST_F(RichTextPromptTest, SetElementRichTextShowsThePromptMarkup) {
    ASSERT_TRUE(dialog.view.SetElementRichText(60002, WString(L"<c color=\"FF0000\"><b>A : B</b>"
                                                              L"</c><br/> <c color=\"2222ee\">"
                                                              L"<b>C</b></c>")));
    headless::PumpMessages();
    bool redFirst = false;
    bool blueSecond = false;
    for (int x = 10; x < 60; ++x) {
        for (int y = 42; y < 62; ++y) {
            redFirst = redFirst || PaintedAt(hwnd, x, y) == kRed;
            blueSecond = blueSecond || PaintedAt(hwnd, x, y + 20) == kBlue;
        }
    }
    EXPECT_TRUE(redFirst);
    EXPECT_TRUE(blueSecond);
}

TEST_F(RichTextPromptTest, SetElementRichTextRefusesWhatItCannotLoad) {
    ASSERT_TRUE(dialog.view.SetElementRichText(60002, std::string_view("<a id=5>old</a>")));
    headless::PumpMessages();
    ASSERT_EQ(richText->Links().size(), 1u);
    EXPECT_FALSE(dialog.view.SetElementRichText(60002, std::string_view("<b>open")));
    EXPECT_FALSE(dialog.view.SetElementRichText(60003, std::string_view("text"))); // a "text"
    EXPECT_FALSE(dialog.view.SetElementRichText(99, std::string_view("text")));
    // The old markup stays: its link is still laid out and painted.
    EXPECT_EQ(richText->Links().size(), 1u);
}

TEST_F(RichTextPromptTest, ALinkMovesWholeToTheNextLineAndIsClickableAfterTheNextPaint) {
    // Text that leaves less room on the first line than the link needs.
    const WString link = L"download";
    const int room = 330;
    std::string text = "a";
    while (Width(Utf8ToWide(text), 0) + 5 + Width(link, 0) <= room) {
        text += "a";
    }
    ASSERT_LE(Width(Utf8ToWide(text), 0), room);
    ASSERT_TRUE(dialog.view.SetElementRichText(60002, text + "<a id=\"77\">download</a>"));

    // Not laid out before the paint: the press over the link's place clicks only the element.
    EXPECT_TRUE(richText->Links().empty());
    ClickBeforePainting(35, 67);
    EXPECT_EQ(dialog.ClickedIds(), (std::vector<std::uint32_t>{60002}));

    // The paint has laid it out at the start of the second line.
    ASSERT_EQ(richText->Links().size(), 1u);
    const CBkRichText::CLink& laidOut = richText->Links()[0];
    EXPECT_EQ(laidOut.text, link);
    EXPECT_EQ(laidOut.id, 77);
    EXPECT_EQ(laidOut.rect.left, 10);
    EXPECT_EQ(laidOut.rect.top, 62);
    EXPECT_EQ(laidOut.rect.right, 10 + Width(link, 0));

    // The cursor is chosen before the move that finds the link: the next move shows the hand.
    dialog.clicks.clear();
    MoveTo(hwnd, 14, 67);
    MoveTo(hwnd, 15, 67);
    EXPECT_EQ(GetCursor(), LoadCursor(IDC_HAND));
    ClickAt(hwnd, 15, 67);
    ASSERT_EQ(dialog.ClickedIds(), (std::vector<std::uint32_t>{77, 60002}));
    EXPECT_EQ(dialog.clicks[0].tag, "richtext");
    EXPECT_EQ(dialog.clicks[0].idFrom, VIEW_CTRL_ID);
    EXPECT_EQ(dialog.clicks[0].from, dialog.view.Window());

    // Off the link the arrow comes back.
    MoveTo(hwnd, 300, 110);
    MoveTo(hwnd, 301, 110);
    EXPECT_EQ(GetCursor(), LoadCursor(IDC_ARROW));

    // Pressed on the link, released elsewhere in the element: no link click.
    dialog.clicks.clear();
    MoveTo(hwnd, 30, 70);
    headless::PressButton();
    MoveTo(hwnd, 300, 110);
    headless::ReleaseButton();
    headless::PumpMessages();
    EXPECT_EQ(dialog.ClickedIds(), (std::vector<std::uint32_t>{60002}));

    // Placing the element again forgets the links until the next paint.
    ASSERT_TRUE(dialog.view.SetElementAttribute(60002, "pos", "0,0,-0,-70"));
    EXPECT_TRUE(richText->Links().empty());
    headless::PumpMessages();
    EXPECT_EQ(richText->Links().size(), 1u);
}

TEST_F(RichTextPromptTest, MarkupNestedTooDeeplyIsRefused) {
    ASSERT_TRUE(dialog.view.SetElementRichText(60002, std::string_view("<a id=5>old</a>")));
    headless::PumpMessages();
    const auto nested = [](int depth) {
        std::string text;
        for (int i = 0; i < depth; ++i) {
            text += "<b>";
        }
        text += "x";
        for (int i = 0; i < depth; ++i) {
            text += "</b>";
        }
        return text;
    };
    EXPECT_FALSE(dialog.view.SetElementRichText(60002, nested(100000)));
    EXPECT_FALSE(dialog.view.SetElementRichText(60002, Utf8ToWide(nested(100000))));
    EXPECT_FALSE(dialog.view.SetElementRichText(60002, nested(65)));
    headless::PumpMessages();
    EXPECT_EQ(richText->Links().size(), 1u);
    EXPECT_TRUE(dialog.view.SetElementRichText(60002, nested(64)));
    headless::PumpMessages(); // paints through all 64 levels
    EXPECT_TRUE(richText->Links().empty());
}

} // namespace

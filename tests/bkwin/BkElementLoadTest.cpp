// Loading elements from XML: attributes in document order, text with string references,
// sizes, children created by tag, and the shipped layouts of the main window.
#include "BkTestElements.h"

#include "bkwin/BkElementRegistry.h"

#include "bkwin/BkFontPool.h"
#include "bkwin/BkResource.h"
#include "bkwin/BkSkinPool.h"
#include "bkwin/BkString.h"
#include "bkwin/BkStylePool.h"
#include "bkwin/BkTextReferences.h"
#include "platform/base/Utf8.h"

#include <tinyxml.h>

#include <string>

#include <gtest/gtest.h>

namespace {

class BkElementLoadTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        ASSERT_TRUE(BkString::Instance().Load(102));
        ASSERT_TRUE(LoadSkins(100));
        ASSERT_TRUE(LoadStyles(101));
    }

    // Parses `xml` and loads its root element into `element`.
    static void Load(CBkWindow& element, const char* xml) {
        TiXmlDocument document;
        document.Parse(xml);
        ASSERT_FALSE(document.Error()) << xml;
        element.LoadXml(*document.RootElement());
    }

    static WString String(int id) {
        const WString* text = BkString::Instance().Get(id);
        return text ? *text : WString();
    }
};

} // namespace

TEST_F(BkElementLoadTest, TextReferencesAreResolvedLeftToRight) {
    const WString one = String(1);
    const WString two = String(2);
    ASSERT_FALSE(one.empty());
    struct {
        const wchar_t* text;
        WString expected;
    } const cases[] = {
        {L"%str1% * 简约是一种精神", one + L" * 简约是一种精神"},
        {L"%str1%-用户验证", one + L"-用户验证"},
        {L"a%str1%b%str2%c", L"a" + one + L"b" + two + L"c"},
        {L"%str9999%x", L"x"},                 // a missing string gives empty text
        {L"%str99999999999999999999%x", L"x"}, // a number too large saturates
        {L"%str1%%str0%%str2%", one + L"%str0%%str2%"},
        {L"%str%%str1%", L"%str%%str1%"},
        {L"%str1%%str2", one + L"%str2"},
        {L"%str-1%", L"%str-1%"},
        {L"100%str", L"100%str"},
        {L"", L""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(WideToUtf8(c.text));
        EXPECT_EQ(ResolveStringReferences(c.text), c.expected);
    }
}

TEST_F(BkElementLoadTest, AttributesApplyInDocumentOrder) {
    const BkStyle& normalbtn = BkStylePool::Instance().Get("normalbtn");
    CTestLeaf before;
    Load(before, R"(<leaf crtext="FF0000" class="normalbtn"/>)");
    EXPECT_EQ(before.style.crtext, normalbtn.crtext);
    EXPECT_EQ(before.style.skinName, "normalbtn");
    CTestLeaf after;
    Load(after, R"(<leaf class="normalbtn" crtext="FF0000"/>)");
    EXPECT_EQ(after.style.crtext, RGB(0xFF, 0, 0));
    EXPECT_EQ(after.style.xMargin, normalbtn.xMargin);

    CTestLeaf element;
    Load(element, R"(<leaf id="10033" crbg="00FF00" font="0004" href="http://a/b" tip="提示"
                          valign="middle" align="right" transparent="1" unknown="x"/>)");
    EXPECT_EQ(element.id, 10033);
    EXPECT_EQ(element.style.crbg, RGB(0, 0xFF, 0));
    EXPECT_EQ(element.style.font, BkFontPool::Instance().GetFont(4));
    EXPECT_EQ(element.href, L"http://a/b");
    EXPECT_EQ(element.tip, L"提示");
    EXPECT_EQ(element.vAlign, VALIGN_MIDDLE);
    EXPECT_EQ(element.hAlign, HALIGN_RIGHT);
    EXPECT_EQ(element.transparent, 1);

    // Other alignment texts fail and change nothing; a missing class gives the default style.
    EXPECT_EQ(element.ApplyAttribute("valign", "centre", false), E_FAIL);
    EXPECT_EQ(element.ApplyAttribute("align", "Left", false), E_FAIL);
    EXPECT_EQ(element.vAlign, VALIGN_MIDDLE);
    EXPECT_EQ(element.hAlign, HALIGN_RIGHT);
    EXPECT_EQ(element.ApplyAttribute("class", "no-such-class", false), S_OK);
    EXPECT_EQ(element.style.crbg, CLR_INVALID);
    EXPECT_EQ(element.ApplyAttribute("onlydrawchild", "1", false), E_FAIL);
}

TEST_F(BkElementLoadTest, SizesShowAndFloat) {
    struct {
        const char* xml;
        std::uint32_t flags;
        std::uint32_t state;
    } const cases[] = {
        {R"(<leaf width="full" height="23"/>)", POS_WIDTH_FULL | POS_HEIGHT_FIXED | POS_IN_FLOW, 0},
        {R"(<leaf width="0" height="-4" float="1"/>)",
         POS_WIDTH_MEASURED | POS_HEIGHT_MEASURED | POS_FLOATING, 0},
        {R"(<leaf height="full" show="0" float="0"/>)",
         POS_WIDTH_MEASURED | POS_HEIGHT_FULL | POS_IN_FLOW, STATE_HIDDEN},
        // With a usable pos, width, height and float are not read.
        {R"(<leaf pos="1,2" width="full" float="1" show="1"/>)",
         POS_WIDTH_MEASURED | POS_HEIGHT_MEASURED, 0},
        // One or three items: measured, as if there were no pos.
        {R"(<leaf pos="1,2,3"/>)", POS_WIDTH_MEASURED | POS_HEIGHT_MEASURED | POS_IN_FLOW, 0},
        {R"(<leaf show=""/>)", POS_WIDTH_MEASURED | POS_HEIGHT_MEASURED | POS_IN_FLOW, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.xml);
        CTestLeaf element;
        Load(element, c.xml);
        EXPECT_EQ(element.posFlags, c.flags);
        EXPECT_EQ(element.state, c.state);
    }

    CTestLeaf fixed;
    Load(fixed, R"(<leaf width="71" height="23"/>)");
    EXPECT_EQ(fixed.rect, (RECT{0, 0, 71, 23}));
    EXPECT_EQ(fixed.fixedWidth, 71);
    EXPECT_EQ(fixed.fixedHeight, 23);
}

TEST_F(BkElementLoadTest, TextIsMeasuredWithMarginsAndTheInheritedFont) {
    CBkDialog root;
    root.style.font = BkFontPool::Instance().GetFont(0x0204); // bold, two steps larger
    auto* text = static_cast<CTestLeaf*>(root.AppendChild(std::make_unique<CTestLeaf>()));
    Load(*text, R"(<leaf>Vistrel 客户端</leaf>)");
    text->style.xMargin = 4;
    text->style.yMargin = 2;
    text->SetText(L"Vistrel 客户端");

    CMemoryDC dc;
    SelectObject(dc, root.style.font);
    RECT expected{0, 0, 0, 0};
    DrawText(dc, L"Vistrel 客户端", &expected, DT_SINGLELINE | DT_CALCRECT);
    ASSERT_GT(expected.Width(), 0);
    EXPECT_EQ(text->rect, (RECT{0, 0, expected.Width() + 8, expected.Height() + 4}));

    // A four-item pos keeps the placed size when the text changes.
    text->ApplyAttribute("pos", "0,0,10,10", true);
    text->rect = {0, 0, 10, 10};
    text->SetText(L"a much longer text than before");
    EXPECT_EQ(text->rect, (RECT{0, 0, 10, 10}));
}

TEST_F(BkElementLoadTest, MeasuringWrapsWordsAndUsesTheHoverFont) {
    CBkDialog root;
    root.style.hoverfont = BkFontPool::Instance().GetFont(0x0600); // six steps larger
    auto* text = static_cast<CTestLeaf*>(root.AppendChild(std::make_unique<CTestLeaf>()));
    text->text = L"one two three four five six";
    text->style.textmode = DT_LEFT;
    SIZE oneLine;
    SendElementMessage(text, WM_NCCALCSIZE, 0, LPARAM(&oneLine));
    text->style.textmode = DT_WORDBREAK;
    SIZE narrow{60, 10}; // the height given is no limit with word breaking
    SendElementMessage(text, WM_NCCALCSIZE, 1, LPARAM(&narrow));
    EXPECT_LE(narrow.cx, 60);
    EXPECT_GE(narrow.cy, 3 * oneLine.cy);

    // While hovered the nearest hover font measures, here the parent's.
    text->style.textmode = DT_LEFT;
    text->state = STATE_HOVER;
    SIZE hovered;
    SendElementMessage(text, WM_NCCALCSIZE, 0, LPARAM(&hovered));
    EXPECT_GT(hovered.cx, oneLine.cx);
    EXPECT_GT(hovered.cy, oneLine.cy);
}

TEST_F(BkElementLoadTest, ContainersCreateKnownTagsAndSkipTheRest) {
    CBkDialog root;
    Load(root, R"(<dlg pos="0,0,-0,-0" onlydrawchild="1">
        <dlg id="1" pos="0,0,10,10"><dlg id="2"/></dlg>
        <div id="3"><dlg id="4"/></div>
        <br/>
        <unknown id="5"/>
        <dlg id="6" pos="5"><dlg id="7" width="full"/></dlg>
        <dlg id="9" pos="5,6,7"/>
    </dlg>)");
    EXPECT_EQ(root.onlyDrawChild, 1);
    ASSERT_EQ(root.Children().size(), 3u);
    EXPECT_EQ(root.Children()[0]->id, 1);
    EXPECT_EQ(root.Children()[1]->id, 6);
    EXPECT_EQ(root.Children()[2]->id, 9);
    EXPECT_EQ(root.FindById(3), nullptr);
    EXPECT_EQ(root.FindById(4), nullptr);
    EXPECT_EQ(root.FindById(5), nullptr);
    ASSERT_NE(root.FindById(2), nullptr);
    EXPECT_EQ(root.FindById(2)->Parent(), root.Children()[0].get());

    PlaceRoot(root, 0, 0, 520, 50);
    // A pos of one or three items leaves the element at the inner top-left with a measured
    // size (an empty text measures 0 wide).
    for (const int ignoredPos : {6, 9}) {
        const RECT placed = root.FindById(ignoredPos)->rect;
        EXPECT_EQ(placed.left, 0);
        EXPECT_EQ(placed.top, 0);
        EXPECT_EQ(placed.Width(), 0);
    }

    // Loading again replaces the children, and the old ones are gone from the registry.
    const std::uint32_t oldHandle = root.Children()[0]->handle;
    Load(root, R"(<dlg><dlg id="8"/></dlg>)");
    ASSERT_EQ(root.Children().size(), 1u);
    EXPECT_EQ(root.Children()[0]->id, 8);
    EXPECT_EQ(ElementRegistry::Instance().Lookup(oldHandle), nullptr);
}

TEST_F(BkElementLoadTest, FullWidthInADialogWithMargins) {
    CBkDialog root;
    Load(root, R"(<dlg pos="0,0,-0,-0" class="mainbody"><dlg width="full" height="10"/></dlg>)");
    root.style.xMargin = 20;
    PlaceRoot(root, 0, 0, 540, 100);
    EXPECT_EQ(root.Children()[0]->rect, (RECT{20, 0, 520, 10}));
}

TEST_F(BkElementLoadTest, HiddenDialogHidesItsSubtree) {
    CBkDialog root;
    Load(root, R"(<dlg pos="0,0,-0,-0"><dlg id="1" pos="0,0,-0,-0" show="0">
                     <dlg id="2" pos="0,0,-0,-0"/></dlg></dlg>)");
    auto* real =
        static_cast<CTestRealWindow*>(static_cast<CBkDialog*>(root.FindById(2))
                                          ->AppendChild(std::make_unique<CTestRealWindow>()));
    PlaceRoot(root, 0, 0, 100, 100);
    EXPECT_FALSE(root.FindById(2)->IsVisibleDeep());
    EXPECT_EQ(root.HitTest(50, 50, true), root.handle);

    SendElementMessage(&root, WM_SHOWWINDOW, 1, 0);
    SendElementMessage(root.FindById(1), WM_SHOWWINDOW, 1, 0);
    SendElementMessage(root.FindById(1), WM_SHOWWINDOW, 0, 0);
    EXPECT_EQ(real->shown, (std::vector<bool>{false, true, false}));
    EXPECT_TRUE(root.FindById(1)->state & STATE_HIDDEN);
}

TEST_F(BkElementLoadTest, ShippedLayoutsOfTheMainWindow) {
    const auto loadLayout = [](CBkDialog& section, int id) {
        TiXmlDocument document;
        ASSERT_TRUE(LoadXmlResource(id, document));
        section.LoadChildren(document.FirstChildElement());
    };
    // Header and footer bars: one element per tag the factory knows, in document order.
    const auto tagsOf = [](const CBkDialog& section) {
        std::vector<std::string> tags;
        for (const auto& child : section.Children()) {
            tags.emplace_back(child->TagName());
        }
        return tags;
    };
    CBkDialog header;
    header.ApplyAttribute("pos", "0,0,-0,-0", true);
    loadLayout(header, 501);
    EXPECT_EQ(tagsOf(header),
              (std::vector<std::string>{"icon", "text", "imgbtn", "imgbtn", "imgbtn", "imgbtn"}));
    CBkDialog footer;
    loadLayout(footer, 502);
    EXPECT_EQ(tagsOf(footer), (std::vector<std::string>{"text", "text", "text"}));

    // The video tab as the main window's tab control gives it its page: the 1024 x 768 client
    // less the 23-pixel bars, the body's 7-pixel side margins, the tab control's pos
    // "0,4,-0,-1" and 71 + 7 pixels of tab strip: (7, 105) to (1017, 744).
    CBkDialog page;
    page.ApplyAttribute("pos", "0,0,-0,-0", true);
    loadLayout(page, 521);
    PlaceRoot(page, 7, 105, 1010, 639);
    ASSERT_EQ(page.Children().size(), 1u);
    const auto* root = static_cast<CBkDialog*>(page.Children()[0].get());
    EXPECT_EQ(root->rect, (RECT{7, 105, 1017, 744}));
    ASSERT_EQ(root->Children().size(), 2u); // the panels' frame and the background image
    EXPECT_EQ(root->Children()[0]->rect, (RECT{7, 112, 1017, 744}));
    CBkWindow* wall = page.FindById(10031);
    CBkWindow* buttons = page.FindById(10036);
    ASSERT_NE(wall, nullptr);
    ASSERT_NE(buttons, nullptr);
    EXPECT_EQ(wall->rect, (RECT{7, 112, 867, 744}));
    EXPECT_EQ(buttons->rect, (RECT{865, 112, 1017, 744}));
    EXPECT_EQ(wall->style.skinName, "panel");
    EXPECT_EQ(wall->style.xMargin, 1);
    ASSERT_NE(page.FindById(10033), nullptr);
    EXPECT_STREQ(page.FindById(10033)->TagName(), "button");
    EXPECT_EQ(page.HitTest(900, 200, true), buttons->handle);
}

// The skinned message box on the headless screen with the shipped layouts, strings and styles:
// the button set and icon of each flag value, the check box, the size taken from the message
// and the caption, the markup and line forms, modal runs ended by the box's buttons, and the
// non-modal boxes an owner shows and hides itself.
#include "BkTestDialog.h"
#include "tests/support/ModalScript.h"

#include "bkwin/BkContainerWnd.h"
#include "bkwin/BkFontPool.h"
#include "bkwin/BkIconElement.h"
#include "bkwin/BkMsgBox.h"
#include "bkwin/BkSkinPool.h"
#include "bkwin/BkString.h"
#include "bkwin/BkStylePool.h"
#include "bkwin/BkWinManager.h"
#include "platform/core/Input.h"
#include "platform/core/MessageLoop.h"
#include "platform/core/Window.h"
#include "platform/draw/DrawText.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace {

using Steps = std::deque<std::function<void()>>;

// The result of a run that nothing ended within the script's time.
constexpr std::int32_t kNotEnded = -99;

// Injects a click at the centre of the box's element, `dx` pixels to the side (two clicks at
// one place in quick succession would make a double click); the modal loop dispatches it.
void InjectClickOn(CBkSafeMsgBox& box, std::int32_t id, int dx = 0) {
    const CBkWindow* element = box.view.FindElement(id);
    ASSERT_NE(element, nullptr) << id;
    const POINT p = ScreenPoint(box.Window(), (element->rect.left + element->rect.right) / 2 + dx,
                                (element->rect.top + element->rect.bottom) / 2);
    headless::MoveMouse(p.x, p.y);
    headless::PressButton();
    headless::ReleaseButton();
}

// The steps, then a bound: a box that none of them ended is ended with kNotEnded.
Steps Bounded(Steps steps, CBkSafeMsgBox& box) {
    for (int i = 0; i < 40; ++i) {
        steps.push_back([] {});
    }
    steps.push_back([&box] { box.EndModal(kNotEnded); });
    return steps;
}

SIZE WindowSize(HWND hwnd) {
    RECT r;
    GetWindowRect(hwnd, &r);
    return {r.Width(), r.Height()};
}

RECT Measure(const char* styleName, const WString& text, UINT format) {
    const BkStyle& style = BkStylePool::Instance().Get(styleName);
    CMemoryDC dc;
    SelectObject(dc, style.font ? style.font : BkFontPool::Instance().GetFont(0));
    RECT box{0, 0, 1280, 760}; // the headless work area's size
    DrawText(dc, text, &box, format | DT_CALCRECT);
    return box;
}

WString StringOf(std::int32_t id) {
    const WString* text = BkString::Instance().Get(id);
    return text ? *text : WString();
}

class MsgBoxTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ASSERT_TRUE(BkString::Instance().Load(102));
        ASSERT_TRUE(LoadSkins(100));
        ASSERT_TRUE(LoadStyles(101));
    }
    void TearDown() override {
        headless::MoveMouse(1200, 780);
        headless::PumpMessages();
    }

    BkWinManager manager;
};

struct ButtonSet {
    UINT flags;
    std::vector<std::pair<std::int32_t, std::int32_t>> buttons; // string id, result
};

class MsgBoxButtonsTest : public MsgBoxTest, public ::testing::WithParamInterface<ButtonSet> {};

TEST_P(MsgBoxButtonsTest, EachButtonEndsTheBoxWithItsId) {
    const ButtonSet& set = GetParam();
    for (const auto& [stringId, result] : set.buttons) {
        CBkSafeMsgBox box;
        CModalScript script(Bounded({[&, id = result] { InjectClickOn(box, id); }}, box));
        EXPECT_EQ(box.ShowMsgBox(L"消息", nullptr, set.flags, nullptr, nullptr), result);
        ASSERT_EQ(box.Buttons().size(), set.buttons.size());
        for (std::size_t i = 0; i < set.buttons.size(); ++i) {
            EXPECT_EQ(box.Buttons()[i].caption, StringOf(set.buttons[i].first));
            EXPECT_EQ(box.Buttons()[i].id, set.buttons[i].second);
            const CBkWindow* button = box.view.FindElement(set.buttons[i].second);
            ASSERT_NE(button, nullptr);
            EXPECT_TRUE(button->IsTag("button"));
            EXPECT_EQ(button->text, StringOf(set.buttons[i].first));
        }
    }
    if (set.buttons.empty()) {
        // Only the title bar's close button ends such a box.
        CBkSafeMsgBox box;
        CModalScript script(Bounded({[&] { InjectClickOn(box, 60001); }}, box));
        EXPECT_EQ(box.ShowMsgBox(L"消息", nullptr, set.flags, nullptr, nullptr), 60001);
        EXPECT_TRUE(box.Buttons().empty());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Flags, MsgBoxButtonsTest,
    ::testing::Values(ButtonSet{0, {{18, 1}}}, ButtonSet{1, {{18, 1}, {19, 2}}},
                      ButtonSet{2, {{20, 3}, {21, 4}, {22, 5}}},
                      ButtonSet{3, {{23, 6}, {24, 7}, {19, 2}}}, ButtonSet{4, {{23, 6}, {24, 7}}},
                      ButtonSet{5, {{21, 4}, {19, 2}}},
                      // The retry button of this set answers 4, not 10.
                      ButtonSet{6, {{19, 2}, {21, 4}, {25, 11}}}, ButtonSet{7, {}},
                      ButtonSet{15, {}}, ButtonSet{0x24, {{23, 6}, {24, 7}}}));

struct IconCase {
    UINT flags;
    bool shown;
    std::int32_t src;
    std::int32_t oem;
};

class MsgBoxIconTest : public MsgBoxTest, public ::testing::WithParamInterface<IconCase> {};

TEST_P(MsgBoxIconTest, TheFlagsChooseTheIcon) {
    CBkSafeMsgBox box;
    CModalScript script(Bounded({[&] { box.EndMsgBox(1); }}, box));
    ASSERT_EQ(box.ShowMsgBox(L"消息", nullptr, GetParam().flags, nullptr, nullptr), 1);
    const auto* icon = dynamic_cast<const CBkIconWnd*>(box.view.FindElement(60005));
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(icon->IsVisibleDeep(), GetParam().shown);
    EXPECT_EQ(icon->resourceId, GetParam().src);
    EXPECT_EQ(icon->systemIcon, GetParam().oem);
}

INSTANTIATE_TEST_SUITE_P(
    Flags, MsgBoxIconTest,
    ::testing::Values(IconCase{0, false, 32516, 1}, IconCase{0x10, true, 32513, 1},
                      IconCase{0x24, true, 32514, 1}, IconCase{0x30, true, 32515, 1},
                      IconCase{0x40, true, 32516, 1}, IconCase{0x50, true, 100, 0},
                      IconCase{0x80, true, 100, 0}, IconCase{0xF6, true, 100, 0}));

TEST_F(MsgBoxTest, TwoButtonsMakeACentredGroupWithGaps) {
    CBkSafeMsgBox box;
    CModalScript script(Bounded({[&] { box.EndMsgBox(1); }}, box));
    ASSERT_EQ(box.ShowMsgBox(L"消息", nullptr, 1, nullptr, nullptr), 1);
    ASSERT_EQ(box.Buttons().size(), 2u);
    EXPECT_EQ(box.Buttons()[0].width, 80); // narrow captions get the least width
    EXPECT_EQ(box.Buttons()[1].width, 80);
    const RECT ok = box.view.FindElement(1)->rect;
    const RECT cancel = box.view.FindElement(2)->rect;
    const RECT footer = box.view.FindElement(60008)->rect;
    const LONG centre = footer.left + 10 + (footer.Width() - 20) / 2; // the class's margin 10
    EXPECT_EQ(ok.left, centre - 90);
    EXPECT_EQ(ok.right, centre - 10);
    EXPECT_EQ(cancel.left, centre + 10);
    EXPECT_EQ(cancel.right, centre + 90);
    EXPECT_EQ(ok.top, footer.top + 10);
    EXPECT_EQ(ok.bottom, footer.bottom - 10);
}

TEST_F(MsgBoxTest, ElementsWithTwoItemPositionsTakeTheirOwnSizes) {
    CBkSafeMsgBox box;
    CModalScript script(Bounded({[&] { box.EndMsgBox(1); }}, box));
    int state = 0;
    ASSERT_EQ(box.ShowMsgBox(L"消息", nullptr, 0x40, &state, nullptr), 1);
    const RECT icon = box.view.FindElement(60005)->rect;
    EXPECT_EQ(icon.Width(), 32);
    EXPECT_EQ(icon.Height(), 32);
    EXPECT_EQ(box.view.FindElement(60001)->rect.Width(), 47); // the close skin's sub-image
    // The check box's glyph comes before its text.
    const CBkWindow* check = box.view.FindElement(60007);
    const RECT text = Measure("", check->text, DT_SINGLELINE);
    EXPECT_EQ(check->rect.Width(), text.Width() + 17);
}

TEST_F(MsgBoxTest, AddedButtonsWithBit31AreTheFooter) {
    CBkSafeMsgBox box;
    box.AddButton(L"一个很长的按钮标题文字很长很长", 40, 0);
    box.AddButton(L"x", 41, 50);
    CModalScript script(Bounded({[&] { InjectClickOn(box, 41); }}, box));
    EXPECT_EQ(box.ShowMsgBox(L"消息", nullptr, 0x80000000u, nullptr, nullptr), 41);
    ASSERT_EQ(box.Buttons().size(), 2u);
    const RECT measured = Measure("normalbtn", L"一个很长的按钮标题文字很长很长",
                                  BkStylePool::Instance().Get("normalbtn").textmode);
    EXPECT_EQ(box.Buttons()[0].width, std::max(80, int(measured.Width()) + 10));
    EXPECT_GT(box.Buttons()[0].width, 80);
    EXPECT_EQ(box.Buttons()[1].width, 50);
}

TEST_F(MsgBoxTest, TheCheckBoxStateIsWrittenBack) {
    struct Case {
        int clicks;
        int expected;
    };
    for (const Case c : {Case{0, 0}, Case{1, 1}, Case{2, 0}}) {
        CBkSafeMsgBox box;
        Steps steps;
        for (int i = 0; i < c.clicks; ++i) {
            steps.push_back([&, dx = i * 16 - 8] { InjectClickOn(box, 60007, dx); });
        }
        steps.push_back([&] {
            EXPECT_TRUE(box.view.FindElement(60007)->IsVisibleDeep());
            InjectClickOn(box, 1);
        });
        CModalScript script(Bounded(std::move(steps), box));
        int state = -1;
        EXPECT_EQ(box.ShowMsgBox(L"消息", nullptr, 0, &state, nullptr), 1);
        EXPECT_EQ(state, c.expected) << c.clicks;
    }
    // Without an output the check box is hidden.
    CBkSafeMsgBox box;
    CModalScript script(Bounded({[&] { box.EndMsgBox(1); }}, box));
    ASSERT_EQ(box.ShowMsgBox(L"消息", nullptr, 0, nullptr, nullptr), 1);
    EXPECT_FALSE(box.view.FindElement(60007)->IsVisibleDeep());
}

TEST_F(MsgBoxTest, TheBoxIsSizedToTheMessageAndTheCaption) {
    const BkStyle& text = BkStylePool::Instance().Get("msgtext");
    const WString shortText = L"短消息";
    const WString longText(90, L'长');
    const WString caption(50, L'题');
    const RECT shortExtent = Measure("msgtext", shortText, text.textmode);
    const RECT longExtent = Measure("msgtext", longText, text.textmode);
    const RECT captionExtent = Measure("dlgtitle", caption, 0);
    ASSERT_LT(shortExtent.right + 100, 320);
    ASSERT_GT(longExtent.right + 100, 320);
    ASSERT_GT(captionExtent.right + 100, 320);

    struct Case {
        const WString* message;
        const WString* caption;
        bool check;
        SIZE expected;
    };
    const Case cases[] = {
        {&shortText, nullptr, false, {320, std::max(shortExtent.bottom + 120, LONG(130))}},
        {&shortText, nullptr, true, {320, std::max(shortExtent.bottom + 140, LONG(130))}},
        {&longText, nullptr, false, {longExtent.right + 100, longExtent.bottom + 120}},
        {&shortText, &caption, false, {captionExtent.right + 100, shortExtent.bottom + 120}},
    };
    for (const Case& c : cases) {
        CBkSafeMsgBox box;
        SIZE size{};
        WString title;
        CModalScript script(Bounded({[&] {
                                        size = WindowSize(box.Window());
                                        title = GetWindowText(box.Window());
                                        box.EndMsgBox(1);
                                    }},
                                    box));
        int state = 0;
        ASSERT_EQ(box.ShowMsgBox(*c.message, c.caption, 0, c.check ? &state : nullptr, nullptr), 1);
        EXPECT_EQ(size.cx, c.expected.cx);
        EXPECT_EQ(size.cy, c.expected.cy);
        if (c.caption) {
            EXPECT_EQ(title, *c.caption);
            EXPECT_EQ(box.view.GetElementText(60004), *c.caption);
        }
    }
}

TEST_F(MsgBoxTest, TheCloseButtonEndsTheBoxButEscAndEnterDoNot) {
    CBkSafeMsgBox box;
    bool stillOpen = false;
    CModalScript script(Bounded({[&] {
                                     SetFocus(box.view.Window());
                                     headless::TapKey(VK_ESCAPE);
                                     headless::TapKey(VK_RETURN);
                                 },
                                 [&] { SendMessage(box.Window(), WM_CLOSE, 0, 0); },
                                 [&] {
                                     stillOpen = IsWindowVisible(box.Window());
                                     InjectClickOn(box, 60001);
                                 }},
                                box));
    EXPECT_EQ(box.ShowMsgBox(L"消息", nullptr, 1, nullptr, nullptr), 60001);
    EXPECT_TRUE(stillOpen);
}

TEST_F(MsgBoxTest, TheFreeFunctionsRunATemporaryBox) {
    // The only button of flags 0 is centred at the bottom of the box.
    const auto clickOk = [this] {
        const HWND box = manager.CurrentWindow();
        ASSERT_NE(box, nullptr);
        const SIZE size = WindowSize(box);
        const POINT p = ScreenPoint(box, size.cx / 2, size.cy - 22);
        headless::MoveMouse(p.x, p.y);
        headless::PressButton();
        headless::ReleaseButton();
    };
    {
        CModalScript script({clickOk});
        EXPECT_EQ(MsgBox(L"消息"), 1);
    }
    {
        CModalScript script({clickOk});
        EXPECT_EQ(MsgBoxLines(L"第一行\n第二行", 0x10), 1);
    }
    EXPECT_EQ(MsgBoxLines(L"\n\n"), -1);
}

TEST_F(MsgBoxTest, LinesAreSetOutEighteenPixelsApart) {
    struct Case {
        const wchar_t* text;
        std::vector<LONG> tops;
    };
    for (const Case& c :
         {Case{L"a\n\nb", {0, 18}}, Case{L"one line", {10}}, Case{L"a\r\nb\n", {0, 18}}}) {
        CBkSafeMsgBox2 box;
        SIZE size{};
        CModalScript script(Bounded({[&] {
                                        size = WindowSize(box.Window());
                                        box.EndMsgBox(2);
                                    }},
                                    box));
        ASSERT_EQ(box.ShowLinesMsgBox(c.text, 0, nullptr, nullptr), 2);
        const auto* panel = static_cast<const CBkContainerWnd*>(box.view.FindElement(60016));
        ASSERT_EQ(panel->Children().size(), c.tops.size());
        for (std::size_t i = 0; i < c.tops.size(); ++i) {
            EXPECT_EQ(panel->Children()[i]->rect.top - panel->rect.top, c.tops[i]);
        }
        EXPECT_TRUE(panel->IsVisibleDeep());
        EXPECT_FALSE(box.view.FindElement(60006)->IsVisibleDeep());
        EXPECT_EQ(size.cy,
                  LONG(c.tops.size()) * 18 + 120 < 130 ? 130 : LONG(c.tops.size()) * 18 + 120);
    }
    // Markup text is shown as written.
    CBkSafeMsgBox2 box;
    CModalScript script(Bounded({[&] { box.EndMsgBox(2); }}, box));
    ASSERT_EQ(box.ShowLinesMsgBox(L"<b>&amp;", 0, nullptr, nullptr), 2);
    const auto* panel = static_cast<const CBkContainerWnd*>(box.view.FindElement(60016));
    ASSERT_EQ(panel->Children().size(), 1u);
    EXPECT_EQ(panel->Children()[0]->text, L"<b>&amp;");
}

TEST_F(MsgBoxTest, MarkupThatCannotBeShownAnswersMinusOne) {
    CBkSafeMsgBox box;
    CModalScript script(Bounded({}, box)); // ends any run the box starts by mistake
    const RECT area{0, 0, 100, 40};
    EXPECT_EQ(box.ShowMarkupMsgBox(L"<text>x</text>", nullptr, nullptr, 0, nullptr, nullptr), -1);
    std::wstring deep;
    for (int i = 0; i < 100000; ++i) {
        deep += L"<dlg>";
    }
    for (int i = 0; i < 100000; ++i) {
        deep += L"</dlg>";
    }
    EXPECT_EQ(box.ShowMarkupMsgBox(deep, &area, nullptr, 0, nullptr, nullptr), -1);
    EXPECT_EQ(box.ShowMarkupMsgBox(L"<text>", &area, nullptr, 0, nullptr, nullptr), -1);
    box.boxLayoutId = 9999;
    EXPECT_EQ(box.ShowMsgBox(L"x", nullptr, 0, nullptr, nullptr), -1);
    EXPECT_EQ(box.Window(), nullptr);
}

TEST_F(MsgBoxTest, ANonModalMarkupBoxIsFilledWithoutARun) {
    CBkSafeMsgBox2 box;
    box.modal = false;
    const RECT area{0, 0, 100, 40};
    int state = -1;
    EXPECT_EQ(
        box.ShowMarkupMsgBox(L"<text pos=\"0,0\">x</text>", &area, nullptr, 0, &state, nullptr), 0);
    EXPECT_EQ(state, 0);
    EXPECT_EQ(box.Window(), nullptr);
    const auto* panel = static_cast<const CBkContainerWnd*>(box.view.FindElement(60016));
    EXPECT_EQ(panel->Children().size(), 1u);
}

// The owner's non-modal boxes: the notice (107) and the update prompt (108).
TEST_F(MsgBoxTest, ANonModalBoxIsShownAndHiddenByItsOwner) {
    struct Case {
        int layout;
        std::int32_t endingButton;
        SIZE size;
    };
    for (const Case c : {Case{107, 60001, {320, 130}}, Case{108, 2, {350, 240}}}) {
        CBkSafeMsgBox2 box;
        box.modal = false;
        std::string xml;
        ASSERT_TRUE(LoadSkinResource(c.layout, L"xml", xml));
        ASSERT_TRUE(box.LoadLayer(xml));
        const HWND hwnd = box.CreateDialogWindow(nullptr, nullptr);
        ASSERT_NE(hwnd, nullptr);
        EXPECT_FALSE(IsWindowVisible(hwnd));
        RECT r;
        GetWindowRect(hwnd, &r);
        EXPECT_EQ(r, (RECT{0, 0, c.size.cx, c.size.cy})) << c.layout;

        for (int round = 0; round < 2; ++round) {
            ShowWindow(hwnd, SW_SHOW);
            headless::PumpMessages();
            EXPECT_TRUE(IsWindowVisible(hwnd));
            const RECT button = box.view.FindElement(c.endingButton)->rect;
            ClickAt(hwnd, (button.left + button.right) / 2 + round * 16 - 8,
                    (button.top + button.bottom) / 2);
            EXPECT_TRUE(IsWindow(hwnd));
            EXPECT_FALSE(IsWindowVisible(hwnd)) << c.layout;
        }
        // Esc is no button: it leaves the box shown.
        ShowWindow(hwnd, SW_SHOW);
        SetFocus(box.view.Window());
        headless::TapKey(VK_ESCAPE);
        headless::PumpMessages();
        EXPECT_TRUE(IsWindowVisible(hwnd));
    }
}

} // namespace

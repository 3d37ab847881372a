// The combo element: its items, the pop-up list's geometry, hit testing and painting, choosing
// by click and keys, closing on a press elsewhere, the wheel's limits, the editable mode and
// the tracking tooltip.
#include "BkTestDialog.h"

#include "bkwin/BkComboBox.h"
#include "bkwin/BkComboMessages.h"
#include "bkwin/BkElementRegistry.h"
#include "platform/core/Input.h"
#include "platform/core/InputInjection.h"
#include "platform/core/MessageLoop.h"
#include "platform/core/Window.h"
#include "tests/support/TestWindow.h"

#include <gtest/gtest.h>
#include <tinyxml.h>

#include <chrono>
#include <thread>

namespace {

// Combo 66 of layout 9810 at (10, 120, 200, 142) in a dialog at (100, 100): its text part ends
// at x 174 and its pop-up items are 22 pixels high.
class ComboBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        hwnd = dialog.LoadAndShow();
        ASSERT_NE(hwnd, nullptr);
        combo = dynamic_cast<CbkCombo*>(dialog.view.FindElement(66));
        ASSERT_NE(combo, nullptr);
        for (const wchar_t* item : {L"One", L"Two", L"Three"}) {
            combo->AddString(item);
        }
        popup = combo->PopList().Window();
        ASSERT_NE(popup, nullptr);
    }
    void TearDown() override {
        headless::MoveMouse(1000, 700);
        headless::PumpMessages();
        if (IsWindow(hwnd)) {
            DestroyWindow(hwnd);
        }
    }

    void OpenByButton() {
        ClickAt(hwnd, 190, 130);
        ASSERT_TRUE(IsWindowVisible(popup));
    }

    CTestDialog dialog{9810};
    HWND hwnd = nullptr;
    CbkCombo* combo = nullptr;
    HWND popup = nullptr;
};

} // namespace

TEST_F(ComboBoxTest, ItemsAreUniqueWhateverTheirCaseAndThePopUpIsAsHighAsThePosSays) {
    EXPECT_EQ(combo->PopList().ItemHeight(), 22);
    combo->AddString(L"two");
    combo->AddString(L"THREE");
    popup = combo->PopList().Window();
    OpenByButton();
    RECT box;
    GetWindowRect(popup, &box);
    const POINT below = ScreenPoint(hwnd, 10, 142);
    EXPECT_EQ(box, (RECT{below.x, below.y, below.x + 190, below.y + 3 * 22}));
    EXPECT_EQ(GetClassName(popup), L"POPUP_LIST_WND");
    EXPECT_EQ(GetCapture(), popup);
}

TEST_F(ComboBoxTest, APressOnTheTextPartOpensNothingAndAnEmptyComboNeverOpens) {
    ClickAt(hwnd, 100, 130);
    EXPECT_FALSE(IsWindowVisible(popup));
    CbkCombo empty;
    EXPECT_EQ(empty.PopList().Window(), nullptr);
}

TEST_F(ComboBoxTest, AClickOnAnItemChoosesIt) {
    OpenByButton();
    const POINT below = ScreenPoint(hwnd, 10, 142);
    // Items count from 5 pixels down: y 5 + 22 + 3 is inside the second item.
    headless::Click(below.x + 50, below.y + 5 + 22 + 3);
    headless::PumpMessages();
    EXPECT_FALSE(IsWindowVisible(popup));
    EXPECT_NE(GetCapture(), popup);
    EXPECT_EQ(combo->GetCurSel(), 1);
    EXPECT_EQ(dialog.view.GetElementText(66), L"Two");
}

TEST_F(ComboBoxTest, KeysMoveTheHighlightEnterChoosesAndEscChoosesNothing) {
    combo->SetCurSel(0);
    OpenByButton();
    headless::TapKey(VK_DOWN);
    headless::TapKey(VK_DOWN);
    headless::TapKey(VK_DOWN); // stays at the last item
    headless::PumpMessages();
    EXPECT_EQ(combo->PopList().Current(), 2);
    headless::TapKey(VK_RETURN);
    headless::PumpMessages();
    EXPECT_FALSE(IsWindowVisible(popup));
    EXPECT_EQ(combo->GetCurSel(), 2);
    EXPECT_EQ(dialog.view.GetElementText(66), L"Three");

    // Away from the first press, which would make this one a double click.
    ClickAt(hwnd, 195, 136);
    ASSERT_TRUE(IsWindowVisible(popup));
    headless::TapKey(VK_UP);
    headless::TapKey(VK_ESCAPE);
    headless::PumpMessages();
    EXPECT_FALSE(IsWindowVisible(popup));
    EXPECT_EQ(combo->GetCurSel(), 2);
}

TEST_F(ComboBoxTest, APressOutsideTheListClosesItAndTheViewTakesClicksAgain) {
    combo->SetCurSel(1);
    OpenByButton();
    ClickAt(hwnd, 300, 250);
    EXPECT_FALSE(IsWindowVisible(popup));
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(combo->GetCurSel(), 1);
    dialog.clicks.clear();
    ClickAt(hwnd, 11, 22); // the frame of edit 61
    ASSERT_EQ(dialog.clicks.size(), 1u);
    EXPECT_EQ(dialog.clicks[0].itemId, 61u);
}

TEST_F(ComboBoxTest, TheListPaintsTheCurrentBandAndItsFrame) {
    combo->SetCurSel(1);
    OpenByButton();
    headless::PumpMessages();
    EXPECT_EQ(PaintedAt(popup, 185, 22 + 11), CbkCombo::kHighlightColour);
    EXPECT_EQ(PaintedAt(popup, 185, 11), 0xFFFFFFu);
    EXPECT_EQ(PaintedAt(popup, 0, 30), KComboBoxPopList::kFrameColour);
    EXPECT_EQ(PaintedAt(popup, 189, 30), KComboBoxPopList::kFrameColour);
    EXPECT_EQ(PaintedAt(popup, 100, 65), KComboBoxPopList::kFrameColour);
    // The mouse moves the highlight.
    const POINT below = ScreenPoint(hwnd, 10, 142);
    headless::MoveMouse(below.x + 185, below.y + 5 + 3);
    headless::PumpMessages();
    EXPECT_EQ(combo->PopList().Current(), 0);
    EXPECT_EQ(PaintedAt(popup, 185, 11), CbkCombo::kHighlightColour);
}

namespace {

struct WheelCase {
    std::int32_t start;
    int delta;
    std::int32_t expected;
};

class ComboWheelTest : public ComboBoxTest, public ::testing::WithParamInterface<WheelCase> {};

} // namespace

TEST_P(ComboWheelTest, TheWheelStepsWithinTheItems) {
    const WheelCase& c = GetParam();
    combo->SetCurSel(c.start);
    MoveTo(hwnd, 100, 130);
    InjectMouseWheel(c.delta);
    headless::PumpMessages();
    EXPECT_EQ(combo->GetCurSel(), c.expected);
    const wchar_t* texts[] = {L"One", L"Two", L"Three"};
    EXPECT_EQ(dialog.view.GetElementText(66), texts[c.expected]);
}

INSTANTIATE_TEST_SUITE_P(Limits, ComboWheelTest,
                         ::testing::Values(WheelCase{0, 120, 0},    // up at the first item
                                           WheelCase{0, -120, 1},   // down
                                           WheelCase{2, -120, 2},   // down at the last item
                                           WheelCase{2, 120, 1},    // up
                                           WheelCase{1, -360, 2})); // one step per message

TEST_F(ComboBoxTest, TheEditableModeHasAnEditWindowLeftOfTheButton) {
    combo->SetComboFlags(COMBO_EDITABLE | COMBO_SEPARATOR);
    combo->SetCurSel(1);
    const HWND edit = combo->RealWindow();
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(GetClassName(edit), L"BkCombo");
    EXPECT_EQ(GetWindowText(edit), L"Two");
    EXPECT_EQ(SendMessage(edit, EM_GETLIMITTEXT, 0, 0), 100);
    RECT box;
    GetWindowRect(edit, &box);
    const POINT topLeft = ScreenPoint(hwnd, 12, 122);
    EXPECT_EQ(box, (RECT{topLeft.x, topLeft.y, topLeft.x + 162, topLeft.y + 18}));
    // A click in the window opens the list as wide as the window; typing is the text.
    ClickAt(hwnd, 50, 130);
    headless::PumpMessages();
    EXPECT_TRUE(IsWindowVisible(popup));
    GetWindowRect(popup, &box);
    EXPECT_EQ(box.Width(), 162);
    headless::TapKey(VK_ESCAPE);
    headless::PumpMessages();
    EXPECT_EQ(GetFocus(), edit);
    headless::TypeText(L"x");
    headless::PumpMessages();
    EXPECT_EQ(dialog.view.GetElementText(66), GetWindowText(edit));
    EXPECT_NE(GetWindowText(edit), L"Two");
}

TEST_F(ComboBoxTest, TheTrackingTooltipFollowsTheMouseAndHidesAfterADelay) {
    combo->SetComboFlags(COMBO_TRACK_TOOLTIP | COMBO_SEPARATOR);
    combo->tooltipText = L"Pick one";
    MoveTo(hwnd, 100, 130);
    const HWND tip = combo->Tooltip().Window();
    ASSERT_NE(tip, nullptr);
    EXPECT_TRUE(IsWindowVisible(tip));
    RECT box;
    GetWindowRect(tip, &box);
    const POINT at = ScreenPoint(hwnd, 10 - 12 + 16, 120 - 45 + 16);
    EXPECT_EQ(box.left, at.x);
    EXPECT_EQ(box.top, at.y);
    headless::PumpMessages();
    EXPECT_EQ(PaintedAt(tip, 3, 3), KTrackTooltip::kBackground);
    EXPECT_EQ(PaintedAt(tip, 0, 3), 0x000000u);

    MoveTo(hwnd, 300, 250);
    EXPECT_TRUE(IsWindowVisible(tip)); // not yet
    for (int i = 0; i < 200 && IsWindowVisible(tip); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        headless::PumpMessages();
    }
    EXPECT_FALSE(IsWindowVisible(tip));
}

TEST(ComboBoxHostTest, AChoiceIsToldToTheHostWindow) {
    CMessageLog log;
    const HWND host = CreateTestWindow({{}, &log}, WS_POPUP | WS_VISIBLE, {50, 50, 350, 250});
    ASSERT_NE(host, nullptr);
    TiXmlDocument document;
    document.Parse("<combo id='7' pos='10,10,110,30'/>");
    CbkCombo combo;
    combo.SetHostWindow(host);
    ASSERT_TRUE(combo.LoadXml(*document.RootElement()));
    EXPECT_EQ(combo.PopList().ItemHeight(), 20);
    EXPECT_EQ(ElementRegistry::Instance().FindElementById(7, host), &combo);
    combo.AddString(L"a");
    combo.AddString(L"b");
    SendElementMessage(&combo, WM_BK_COMBO_SELECT, 1, LPARAM(L"b"));
    EXPECT_EQ(combo.GetCurSel(), 1);
    EXPECT_EQ(combo.text, L"b");
    EXPECT_EQ(log.Count(WM_BK_COMBO_CHOSEN, host), 1);
    // An index past the items is kept but shows nothing new.
    combo.SetCurSel(5);
    EXPECT_EQ(combo.GetCurSel(), 5);
    EXPECT_EQ(combo.text, L"b");

    TiXmlDocument other;
    other.Parse("<select pos='10,10,110,30'/>");
    CbkCombo wrongTag;
    EXPECT_FALSE(wrongTag.LoadXml(*other.RootElement()));
    DestroyWindow(host);
}

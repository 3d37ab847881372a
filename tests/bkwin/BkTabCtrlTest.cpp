// The tab control: the strip's geometry, loading of the pages, selection with its
// notification (and refusal), the mouse over the strip, painting of the strip and the current
// page, and the main window's tab control of layout 103.
#include "BkControlTestSupport.h"
#include "BkTestDialog.h"
#include "BkTestElements.h"

#include "bkwin/BkElementRegistry.h"
#include "bkwin/BkSkinPool.h"
#include "bkwin/BkStylePool.h"
#include "bkwin/BkTabCtrl.h"
#include "bkwin/BkTabSelChangeNotify.h"
#include "platform/core/Input.h"
#include "platform/core/MessageLoop.h"
#include "platform/core/Paint.h"
#include "platform/core/Window.h"

#include <gtest/gtest.h>

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kPaper = RGB(250, 250, 250);

struct SelChange {
    std::uint32_t itemId;
    std::int32_t newIndex;
    std::int32_t oldIndex;
    friend bool operator==(const SelChange&, const SelChange&) = default;
};

// A dialog that records the tab control's announcements and refuses them on request.
class CTabDialog : public CBkDialogImpl<CTabDialog> {
public:
    explicit CTabDialog(std::uint32_t layout) : CBkDialogImpl<CTabDialog>(layout) {}

    bool ProcessWindowMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
        if (msg == WM_NOTIFY) {
            const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            if (header->idFrom == VIEW_CTRL_ID && header->code == NOTIFY_TAB_SELCHANGE) {
                auto* record = reinterpret_cast<TabSelChangeNotify*>(lParam);
                EXPECT_EQ(header->hwndFrom, view.Window());
                changes.push_back({record->itemId, record->newIndex, record->oldIndex});
                record->cancel = refuse ? 1 : 0;
                result = 0;
                return true;
            }
        }
        return ProcessDialogMessage(hwnd, msg, wParam, lParam, result);
    }

    HWND Show() {
        std::string xml;
        const RECT place{100, 100, 110, 110};
        HWND hwnd = LoadSkinResource(int(layoutId), L"xml", xml) && LoadLayer(xml)
                        ? CreateDialogWindow(nullptr, &place)
                        : nullptr;
        if (hwnd) {
            ShowWindow(hwnd, SW_SHOW);
            headless::PumpMessages();
        }
        return hwnd;
    }

    CBkTabCtrl& Tabs(std::int32_t id) { return static_cast<CBkTabCtrl&>(*view.FindElement(id)); }

    std::vector<SelChange> changes;
    bool refuse = false;
};

// Layout 9500: a 400 x 300 body with tab control 70 at (10, 10, 390, 290); tabs 50 x 20 at
// x 12 and (the second being hidden) x 66; pages from y 33 (20 + framepos 3).
class TabCtrlDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        hwnd = dialog.Show();
        ASSERT_NE(hwnd, nullptr);
    }
    void TearDown() override {
        headless::MoveMouse(1000, 700);
        headless::PumpMessages();
    }

    bool Shown(std::int32_t pageId) { return dialog.view.FindElement(pageId)->IsVisibleDeep(); }

    CTabDialog dialog{9500};
    HWND hwnd = nullptr;
};

std::unique_ptr<CBkWindow> LoadPlaced(const char* xml, int width, int height) {
    std::unique_ptr<CBkWindow> element = LoadElement(xml);
    if (element) {
        PlaceRoot(*element, 0, 0, width, height);
    }
    return element;
}

CBkTabCtrl& AsTabs(std::unique_ptr<CBkWindow>& element) {
    return static_cast<CBkTabCtrl&>(*element);
}

} // namespace

TEST(BkTabCtrlTest, TabRectanglesStepByTheAttributeSizeAndSkipHiddenTabs) {
    struct Case {
        const char* xml;
        std::vector<RECT> tabs; // by index; hidden tabs have a rectangle too
        RECT frame;
    };
    const Case cases[] = {
        {"<tabctrl pos='0,0,-0,-0' tabwidth='50' tabheight='20' tabspacing='4' tabpos='2' "
         "framepos='3'><tab/><tab hide='1'/><tab/></tabctrl>",
         {{2, 0, 52, 20}, {56, 0, 106, 20}, {56, 0, 106, 20}},
         {0, 23, 300, 200}},
        {"<tabctrl pos='0,0,-0,-0' tabwidth='60' tabheight='30' tabspacing='5' tabpos='1' "
         "framepos='7' tabalign='left'><tab/><tab/></tabctrl>",
         {{0, 1, 60, 31}, {0, 36, 60, 66}},
         {67, 0, 300, 200}},
        {"<tabctrl pos='0,0,-0,-0' tabwidth='10' tabheight='10' tabalign='left'><tab/><tab/>"
         "</tabctrl>",
         {{0, 0, 10, 10}, {0, 10, 10, 20}},
         {10, 0, 300, 200}},
        // The style's margins deflate the page frame only.
        {"<tabctrl pos='0,0,-0,-0' tabwidth='10' tabheight='10' class='cpanel'><tab/></tabctrl>",
         {{0, 0, 10, 10}},
         {20, 30, 280, 180}},
    };
    ASSERT_TRUE(LoadStyles(101));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.xml);
        std::unique_ptr<CBkWindow> element = LoadPlaced(c.xml, 300, 200);
        CBkTabCtrl& tabs = AsTabs(element);
        ASSERT_EQ(tabs.TabCount(), int(c.tabs.size()));
        for (int i = 0; i < tabs.TabCount(); ++i) {
            RECT tab;
            ASSERT_TRUE(tabs.GetTabRect(i, tab));
            EXPECT_EQ(tab, c.tabs[std::size_t(i)]) << "tab " << i;
            // Every page, hidden ones included, fills the frame.
            EXPECT_EQ(tabs.GetTab(i)->rect, c.frame) << "tab " << i;
        }
        EXPECT_EQ(tabs.PageFrame(), c.frame);
        RECT outside;
        EXPECT_FALSE(tabs.GetTabRect(-1, outside));
        EXPECT_FALSE(tabs.GetTabRect(tabs.TabCount(), outside));
        EXPECT_EQ(tabs.GetTab(tabs.TabCount()), nullptr);
        // An unknown alignment word is not handled and leaves the alignment as it was.
        const std::int32_t align = tabs.tabAlign;
        EXPECT_EQ(tabs.ApplyAttribute("tabalign", "diagonal", true), E_FAIL);
        EXPECT_EQ(tabs.tabAlign, align);
    }
}

TEST(BkTabCtrlTest, TheTabSizeComesFromTheSkinUnlessGiven) {
    ASSERT_TRUE(LoadSkins(100));
    std::unique_ptr<CBkWindow> skinned = LoadPlaced(
        "<tabctrl pos='0,0,-0,-0' tabskin='tabmain' tabspacing='5'><tab/><tab/></tabctrl>", 300,
        200);
    RECT tab;
    ASSERT_TRUE(AsTabs(skinned).GetTabRect(1, tab));
    // "tabmain" is 71 x 71; without tabwidth the strip steps by the spacing alone.
    EXPECT_EQ(tab, (RECT{5, 0, 76, 71}));
    EXPECT_EQ(AsTabs(skinned).PageFrame(), (RECT{0, 71, 300, 200}));
    std::unique_ptr<CBkWindow> given = LoadPlaced(
        "<tabctrl pos='0,0,-0,-0' tabskin='tabmain' tabheight='40'><tab/></tabctrl>", 300, 200);
    ASSERT_TRUE(AsTabs(given).GetTabRect(0, tab));
    EXPECT_EQ(tab, (RECT{0, 0, 71, 40}));
}

TEST(BkTabCtrlTest, LoadingShowsTheFirstVisibleTabAndSkipsOtherChildren) {
    struct Case {
        const char* xml;
        int count;
        int curSel;
        int shownPage; // the only page loading leaves unhidden; -1 for none
    };
    const Case cases[] = {
        {"<tabctrl><tab/><text>skipped</text><tab/></tabctrl>", 2, 0, 0},
        {"<tabctrl><tab hide='1'/><tab/><tab/></tabctrl>", 3, 1, 1},
        // "cursel" moves the selection while loading shows the first visible page.
        {"<tabctrl cursel='2'><tab/><tab/><tab/></tabctrl>", 3, 2, 0},
        // A current index naming a tab with hide 1 falls back to the first visible tab.
        {"<tabctrl cursel='2'><tab/><tab/><tab hide='1'/></tabctrl>", 3, 0, 0},
        {"<tabctrl cursel='2'><tab hide='1'/><tab/><tab hide='1'/></tabctrl>", 3, 1, 1},
        {"<tabctrl><tab hide='1'/></tabctrl>", 1, 0, -1},
        {"<tabctrl/>", 0, 0, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.xml);
        std::unique_ptr<CBkWindow> element = LoadElement(c.xml);
        CBkTabCtrl& tabs = AsTabs(element);
        ASSERT_EQ(tabs.TabCount(), c.count);
        EXPECT_EQ(tabs.curSel, c.curSel);
        for (int i = 0; i < tabs.TabCount(); ++i) {
            EXPECT_EQ(!(tabs.GetTab(i)->state & STATE_HIDDEN), i == c.shownPage) << "tab " << i;
            EXPECT_EQ(tabs.GetTab(i)->parentHandle, tabs.handle);
            EXPECT_EQ(tabs.GetTab(i)->posCount, 4);
        }
        // A control without pages answers its own handle inside and harms nothing.
        PlaceRoot(tabs, 0, 0, 100, 100);
        SendElementMessage(&tabs, WM_SHOWWINDOW, 1, 0);
    }
    // A "tab" tag outside a tab control makes nothing.
    EXPECT_EQ(LoadElement("<tab title='x'/>"), nullptr);
}

TEST(BkTabCtrlTest, PagesAreFoundByIdThroughTheControlAndGoWithIt) {
    std::unique_ptr<CBkWindow> element = LoadElement(
        "<tabctrl><tab id='5' title='一'><text id='7'/></tab><tab id='6'><text id='5'/></tab>"
        "</tabctrl>");
    CBkTabCtrl& tabs = AsTabs(element);
    EXPECT_EQ(tabs.FindById(5), tabs.GetTab(0));
    EXPECT_EQ(tabs.FindById(6), tabs.GetTab(1));
    EXPECT_EQ(tabs.FindById(7)->Parent(), tabs.GetTab(0));
    EXPECT_EQ(tabs.FindById(8), nullptr);
    EXPECT_EQ(tabs.GetTab(0)->title, L"一");
    const std::uint32_t page = tabs.GetTab(1)->handle;
    SendElementMessage(&tabs, WM_DESTROY, 0, 0);
    EXPECT_EQ(tabs.TabCount(), 0);
    EXPECT_EQ(ElementRegistry::Instance().Lookup(page), nullptr);
}

TEST(BkTabCtrlTest, TheStripDrawsTheOtherTabsFirstAndTheCurrentOneLast) {
    std::unique_ptr<CBkWindow> element = LoadPlaced(
        "<tabctrl pos='0,0,-0,-0' tabwidth='20' tabheight='10' tabspacing='6' icon-x='2' "
        "icon-y='3'><tab/><tab hide='1'/><tab/><tab/></tabctrl>",
        200, 100);
    CBkTabCtrl& tabs = AsTabs(element);
    CRecordingSkin tabSkin, iconSkin, splitter, frame;
    splitter.natural = {2, 0};
    tabs.tabSkin = &tabSkin;
    tabs.iconSkin = &iconSkin;
    tabs.splitterSkin = &splitter;
    tabs.frameSkin = &frame;
    tabs.curSel = 2;
    CBkTestSurface surface(200, 100, kPaper);
    SendElementMessage(&tabs, WM_PAINT, WPARAM(surface.Dc()), 0);

    EXPECT_EQ(frame.rects, (std::vector<RECT>{{0, 10, 200, 100}}));
    EXPECT_EQ(frame.states, (std::vector<int>{0}));
    // Three visible tabs: two splitters, centred in the 6-pixel gaps after tabs 0 and 2.
    EXPECT_EQ(splitter.rects, (std::vector<RECT>{{22, 0, 24, 10}, {48, 0, 50, 10}}));
    EXPECT_EQ(splitter.states, (std::vector<int>{-1, -1}));
    // Tab 0, then tab 3, then the current tab 2 in the pushed look.
    EXPECT_EQ(tabSkin.rects, (std::vector<RECT>{{0, 0, 20, 10}, {52, 0, 72, 10}, {26, 0, 46, 10}}));
    EXPECT_EQ(tabSkin.states, (std::vector<int>{0, 0, 2}));
    // The icon's sub-image is the tab's index, hidden tabs counting.
    EXPECT_EQ(iconSkin.states, (std::vector<int>{0, 3, 2}));
    EXPECT_EQ(iconSkin.rects.front(), (RECT{2, 3, 22, 13}));

    // The current tab is drawn last even when it is the first.
    tabSkin.states.clear();
    tabs.curSel = 0;
    SendElementMessage(&tabs, WM_PAINT, WPARAM(surface.Dc()), 0);
    EXPECT_EQ(tabSkin.states, (std::vector<int>{0, 0, 2}));
}

TEST_F(TabCtrlDialogTest, APressOnAnotherTabSendsOneNotificationAndSwitchesPages) {
    CBkTabCtrl& tabs = dialog.Tabs(70);
    EXPECT_EQ(PaintedAt(hwnd, 200, 150), kRed);
    EXPECT_TRUE(Shown(81));

    ClickAt(hwnd, 80, 20); // tab 2 sits where the hidden tab 1 would be
    EXPECT_EQ(dialog.changes, (std::vector<SelChange>{{70, 2, 0}}));
    EXPECT_EQ(tabs.curSel, 2);
    EXPECT_EQ(PaintedAt(hwnd, 200, 150), kBlue);
    EXPECT_FALSE(Shown(81));
    EXPECT_TRUE(Shown(83));
    EXPECT_EQ(dialog.view.FindElement(83)->rect, (RECT{10, 33, 390, 290}));

    // A press on the current tab, on the strip outside every tab and on the page announces
    // nothing.
    ClickAt(hwnd, 85, 25);
    ClickAt(hwnd, 300, 20);
    ClickAt(hwnd, 200, 150);
    EXPECT_EQ(dialog.changes.size(), 1u);
    EXPECT_EQ(tabs.curSel, 2);
}

TEST_F(TabCtrlDialogTest, ARefusedChangeChangesNothing) {
    CBkTabCtrl& tabs = dialog.Tabs(70);
    dialog.refuse = true;
    ClickAt(hwnd, 80, 20);
    EXPECT_EQ(dialog.changes, (std::vector<SelChange>{{70, 2, 0}}));
    EXPECT_EQ(tabs.curSel, 0);
    EXPECT_EQ(PaintedAt(hwnd, 200, 150), kRed);
    EXPECT_TRUE(Shown(81));
    EXPECT_FALSE(Shown(83));

    // Nothing is repainted for a refused change.
    MoveTo(hwnd, 200, 150);
    ASSERT_TRUE(GetUpdateRegion(dialog.view.Window()).IsEmpty());
    EXPECT_FALSE(tabs.SetCurSel(2));
    EXPECT_TRUE(GetUpdateRegion(dialog.view.Window()).IsEmpty());
    EXPECT_EQ(dialog.changes.size(), 2u);
}

TEST_F(TabCtrlDialogTest, SelectTabAnnouncesEveryRequestFirst) {
    CBkTabCtrl& tabs = dialog.Tabs(70);
    // The current index: announced, true, nothing repainted.
    ASSERT_TRUE(GetUpdateRegion(dialog.view.Window()).IsEmpty());
    EXPECT_TRUE(dialog.view.SelectTab(70, 0));
    EXPECT_TRUE(GetUpdateRegion(dialog.view.Window()).IsEmpty());
    // Out of range: announced with the index asked for, false, nothing changes.
    EXPECT_FALSE(dialog.view.SelectTab(70, 5));
    EXPECT_FALSE(dialog.view.SelectTab(70, -1));
    EXPECT_EQ(tabs.curSel, 0);
    // Not a tab control, or no element: false without a notification.
    EXPECT_FALSE(dialog.view.SelectTab(81, 0));
    EXPECT_FALSE(dialog.view.SelectTab(99, 0));
    EXPECT_EQ(dialog.changes, (std::vector<SelChange>{{70, 0, 0}, {70, 5, 0}, {70, -1, 0}}));

    // A tab hidden from the strip can still be selected by index.
    EXPECT_TRUE(dialog.view.SelectTab(70, 1));
    EXPECT_EQ(tabs.curSel, 1);
    headless::PumpMessages();
    EXPECT_EQ(PaintedAt(hwnd, 200, 150), RGB(0, 255, 0));
    EXPECT_EQ(dialog.changes.back(), (SelChange{70, 1, 0}));
}

TEST_F(TabCtrlDialogTest, RealWindowsShowOnlyOnTheCurrentPage) {
    RegisterWindowClass(L"BkTabPageChild", &DefWindowProc, 0, IDC_ARROW);
    const HWND child = CreateWindowEx(0, L"BkTabPageChild", L"", WS_CHILD | WS_VISIBLE, 0, 0, 5, 5,
                                      dialog.view.Window(), 85, nullptr);
    ASSERT_NE(child, nullptr);
    dialog.view.ShowRealWindows(true);
    EXPECT_FALSE(IsWindowVisible(child));
    ASSERT_TRUE(dialog.view.SelectTab(70, 2));
    EXPECT_TRUE(IsWindowVisible(child));
    ASSERT_TRUE(dialog.view.SelectTab(70, 0));
    EXPECT_FALSE(IsWindowVisible(child));
    ASSERT_TRUE(dialog.view.SelectTab(70, 2));
    ASSERT_TRUE(dialog.view.ShowElement(70, false));
    EXPECT_FALSE(IsWindowVisible(child));
    ASSERT_TRUE(dialog.view.ShowElement(70, true));
    EXPECT_TRUE(IsWindowVisible(child));
    DestroyWindow(child);
}

TEST_F(TabCtrlDialogTest, PagesTakeLoadedChildrenButTheControlDoesNot) {
    EXPECT_FALSE(dialog.view.LoadElementChildren(70, "<dlg id='86'/>"));
    EXPECT_EQ(dialog.view.FindElement(86), nullptr);
    EXPECT_EQ(dialog.Tabs(70).TabCount(), 3);
    ASSERT_TRUE(
        dialog.view.LoadElementChildren(71, "<dlg id='86' pos='0,0,-0,-0' crbg='00FFFF'/>"));
    EXPECT_EQ(dialog.view.FindElement(81), nullptr);
    EXPECT_EQ(dialog.view.FindElement(86)->rect, (RECT{10, 33, 390, 290}));
    headless::PumpMessages();
    EXPECT_EQ(PaintedAt(hwnd, 200, 150), RGB(0, 255, 255));
}

TEST_F(TabCtrlDialogTest, TheMouseOverTheStripHoversOtherTabs) {
    CBkTabCtrl& tabs = dialog.Tabs(70);
    MoveTo(hwnd, 80, 20);
    EXPECT_EQ(tabs.HoverIndex(), 2);
    SetCursor(LoadCursor(IDC_WAIT));
    SendMessage(dialog.view.Window(), WM_SETCURSOR, WPARAM(dialog.view.Window()),
                MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(GetCursor(), LoadCursor(IDC_HAND));
    // The current tab is never the hovered one.
    MoveTo(hwnd, 20, 20);
    EXPECT_EQ(tabs.HoverIndex(), -1);
    SendMessage(dialog.view.Window(), WM_SETCURSOR, WPARAM(dialog.view.Window()),
                MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(GetCursor(), LoadCursor(IDC_ARROW));
    MoveTo(hwnd, 80, 20);
    EXPECT_EQ(tabs.HoverIndex(), 2);
    headless::MoveMouse(1000, 700);
    headless::PumpMessages();
    EXPECT_EQ(tabs.HoverIndex(), -1);
}

TEST(BkTabCtrlMainWindowTest, TheMainWindowsTabsAndPagesSitWhereTheLayoutPutsThem) {
    ASSERT_TRUE(LoadSkins(100));
    ASSERT_TRUE(LoadStyles(101));
    CTabDialog dialog(103);
    const HWND hwnd = dialog.Show();
    ASSERT_NE(hwnd, nullptr);
    CBkTabCtrl& tabs = dialog.Tabs(10101);
    // The body (0, 23, 1024, 745) less its x-margin 7; the control at "0,4,-0,-1".
    const RECT control = tabs.rect;
    EXPECT_EQ(control, (RECT{7, 27, 1017, 744}));
    RECT tab;
    ASSERT_TRUE(tabs.GetTabRect(0, tab));
    EXPECT_EQ(tab, (RECT{control.left + 1, control.top, control.left + 72, control.top + 71}));
    ASSERT_TRUE(tabs.GetTabRect(1, tab));
    EXPECT_EQ(tab, (RECT{control.left + 77, control.top, control.left + 148, control.top + 71}));
    // Pages start 78 pixels below the strip's top (71 + framepos 7); the control has no margin.
    const RECT frame{control.left, control.top + 78, control.right, control.bottom};
    EXPECT_EQ(tabs.PageFrame(), frame);
    EXPECT_EQ(tabs.GetTab(0)->rect, frame);
    EXPECT_EQ(tabs.GetTab(1)->rect, frame);
    EXPECT_EQ(tabs.GetTab(0)->title, L"视频监控");
    EXPECT_EQ(tabs.GetTab(1)->title, L"设置参数");

    // The included pages: the video wall's place on the first, the browse button on the second.
    ASSERT_NE(dialog.view.FindElement(10032), nullptr);
    EXPECT_EQ(dialog.view.FindElement(10032)->rect.top, frame.top + 7 + 1);
    ASSERT_NE(dialog.view.FindElement(10067), nullptr);
    EXPECT_FALSE(dialog.view.FindElement(10067)->IsVisibleDeep());
    EXPECT_TRUE(dialog.view.SelectTab(10101, 1));
    EXPECT_TRUE(dialog.view.FindElement(10067)->IsVisibleDeep());
    EXPECT_FALSE(dialog.view.FindElement(10032)->IsVisibleDeep());
    EXPECT_EQ(dialog.changes, (std::vector<SelChange>{{10101, 1, 0}}));
    // The header and footer bars come from their includes.
    EXPECT_NE(dialog.view.FindElement(60001), nullptr);
    EXPECT_NE(dialog.view.FindElement(10151), nullptr);
}

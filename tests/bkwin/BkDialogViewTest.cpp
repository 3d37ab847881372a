// The dialog view: layer loading, section layout, back-buffer rendering of the invalid area,
// mouse routing to elements, click notifications, links, header drag and the element
// operations by id, on the headless screen with real drawing.
#include "BkTestDialog.h"
#include "BkTestSurface.h"

#include "bkwin/BkElementRegistry.h"
#include "bkwin/BkWinManager.h"
#include "platform/core/Input.h"
#include "platform/core/MessageLoop.h"
#include "platform/core/Paint.h"
#include "platform/core/Window.h"
#include "tests/support/WaitUntil.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

namespace fs = std::filesystem;

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kCyan = RGB(0, 255, 255);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kGrey = RGB(128, 128, 128);

// A header element that is pressed like a button instead of dragging the window.
class CTestButton : public CBkWindow {
public:
    const char* TagName() const override { return "button"; }
};

// Layout 9300 (350 x 240, header 31, footer 45) shown at (100, 100).
class DialogViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dialog.LoadLayout());
        auto* button =
            dialog.view.Section(BkSection::Header).AppendChild(std::make_unique<CTestButton>());
        button->id = 12;
        button->ApplyAttribute("pos", "250,5,280,25", true);
        const RECT place{100, 100, 110, 110};
        hwnd = dialog.CreateDialogWindow(nullptr, &place);
        ASSERT_NE(hwnd, nullptr);
        ShowWindow(hwnd, SW_SHOW);
        headless::PumpMessages();
    }
    void TearDown() override {
        headless::MoveMouse(1000, 700);
        headless::PumpMessages();
    }

    BkWinManager manager;
    CTestDialog dialog{9300};
    HWND hwnd = nullptr;
};

BkLayerAttributes AttributesOf(const std::string& layer) {
    CBkDialogView view;
    EXPECT_TRUE(view.LoadLayer(layer));
    return view.Layer();
}

} // namespace

TEST(DialogLayerTest, AttributesGiveTitleSizeAndStyles) {
    struct Case {
        const char* layer;
        DWORD style;
        DWORD exStyle;
        bool canMaximize;
    };
    const Case cases[] = {
        {"<layer/>", 0x80080000, 0x300, false},
        {"<layer appwin='1'/>", 0x80080000, 0x40300, false},
        {"<layer resize='1'/>", 0x80080000 | 0x20000 | 0x10000 | 0x40000, 0x300, true},
        {"<layer resize='1' nomaxsize='1'/>", 0x80080000 | 0x20000 | 0x40000, 0x300, false},
        {"<layer nomaxsize='1'/>", 0x80080000, 0x300, false},
        {"<layer noborder='1'/>", 0x80080000, 0x88, false},
        {"<layer child='1'/>", 0x40080000, 0x100, false},
        {"<layer child='1' noborder='1'/>", 0x40080000, 0x88, false},
        {"<layer resize='x'/>", 0x80080000, 0x300, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.layer);
        const BkLayerAttributes attributes = AttributesOf(c.layer);
        EXPECT_EQ(attributes.windowStyle, c.style);
        EXPECT_EQ(attributes.windowExStyle, c.exStyle);
        EXPECT_EQ(attributes.canMaximize, c.canMaximize);
    }
    const BkLayerAttributes sized =
        AttributesOf("<layer title='Ünïcode {1}' width='350' height='240'/>");
    EXPECT_EQ(sized.title, L"Ünïcode {1}");
    EXPECT_EQ(sized.width, 350);
    EXPECT_EQ(sized.height, 240);
}

TEST(DialogLayerTest, AnUnusableLayerLeavesNoSections) {
    CBkDialogView view;
    ASSERT_TRUE(view.LoadLayer("<layer><body width='full' height='full'/></layer>"));
    EXPECT_TRUE(view.HasSection(BkSection::Body));
    for (const char* bad : {"<layer><body>", "<dialog><body/></dialog>", ""}) {
        SCOPED_TRACE(bad);
        EXPECT_FALSE(view.LoadLayer(bad));
        EXPECT_FALSE(view.IsLayerLoaded());
        EXPECT_FALSE(view.HasSection(BkSection::Body));
        EXPECT_EQ(view.Layer().windowStyle, 0x80080000u);
    }
}

TEST(DialogLayerTest, AnUnloadableLayoutCreatesNoWindow) {
    for (const std::uint32_t layout : {0u, 9004u, 9002u, 65000u}) {
        CTestDialog dialog(layout);
        EXPECT_EQ(dialog.CreateDialogWindow(nullptr, nullptr), nullptr) << layout;
        EXPECT_EQ(dialog.initDialogs, 0);
    }
}

TEST_F(DialogViewTest, SectionsAreLaidOutInTheClientArea) {
    RECT client;
    GetClientRect(hwnd, &client);
    EXPECT_EQ(client, (RECT{0, 0, 350, 240}));
    RECT window;
    GetWindowRect(hwnd, &window);
    EXPECT_EQ(window.left, 100);
    EXPECT_EQ(window.top, 100);
    EXPECT_EQ(dialog.initDialogs, 1);
    EXPECT_EQ(GetWindowText(hwnd), L"Test dialog");
    EXPECT_EQ(GetDlgCtrlID(dialog.view.Window()), 1000);
    EXPECT_EQ(dialog.view.Section(BkSection::Header).rect, (RECT{0, 0, 350, 31}));
    EXPECT_EQ(dialog.view.Section(BkSection::Body).rect, (RECT{0, 31, 350, 195}));
    EXPECT_EQ(dialog.view.Section(BkSection::Footer).rect, (RECT{0, 195, 350, 240}));
    EXPECT_EQ(dialog.view.FindElement(21)->rect, (RECT{10, 41, 60, 71}));
}

TEST(DialogLayoutTest, ABodyOnlyLayerCoversTheWholeClientArea) {
    CTestDialog dialog(9301);
    const HWND hwnd = dialog.CreateDialogWindow(nullptr, nullptr);
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(dialog.view.Section(BkSection::Body).rect, (RECT{0, 0, 200, 100}));
    EXPECT_FALSE(dialog.view.HasSection(BkSection::Header));
    EXPECT_FALSE(dialog.view.HasSection(BkSection::Footer));
}

TEST_F(DialogViewTest, TheBackBufferShowsTheSectionsAndRendersOnlyTheInvalidArea) {
    EXPECT_EQ(PaintedAt(hwnd, 5, 5), kRed);
    EXPECT_EQ(PaintedAt(hwnd, 305, 10), kGreen);
    EXPECT_EQ(PaintedAt(hwnd, 20, 50), kBlue);
    EXPECT_EQ(PaintedAt(hwnd, 120, 50), kCyan);
    EXPECT_EQ(PaintedAt(hwnd, 200, 150), kWhite);
    EXPECT_EQ(PaintedAt(hwnd, 200, 230), kGrey);

    // Both elements change colour, but only the first one's rectangle is invalidated: the
    // second keeps its old pixels in the back buffer.
    CBkWindow* first = dialog.view.FindElement(21);
    CBkWindow* second = dialog.view.FindElement(22);
    first->style.crbg = kGreen;
    second->style.crbg = kRed;
    dialog.view.InvalidateArea(first->rect);
    headless::PumpMessages();
    EXPECT_EQ(PaintedAt(hwnd, 20, 50), kGreen);
    EXPECT_EQ(PaintedAt(hwnd, 120, 50), kCyan);

    // Part of a rectangle renders only that part.
    dialog.view.InvalidateArea({100, 41, 120, 71});
    headless::PumpMessages();
    EXPECT_EQ(PaintedAt(hwnd, 110, 50), kRed);
    EXPECT_EQ(PaintedAt(hwnd, 130, 50), kCyan);

    dialog.view.InvalidateAll();
    headless::PumpMessages();
    EXPECT_EQ(PaintedAt(hwnd, 130, 50), kRed);
}

TEST_F(DialogViewTest, AClickNeedsTheReleaseOverThePressedElement) {
    // Press on A, move to B, release: nothing.
    MoveTo(hwnd, 20, 50);
    headless::PressButton();
    MoveTo(hwnd, 120, 50);
    headless::ReleaseButton();
    headless::PumpMessages();
    EXPECT_TRUE(dialog.clicks.empty());
    EXPECT_EQ(dialog.view.PushedHandle(), 0u);

    // Press on A, move to B and back onto A, release: A's click. (The press is away from the
    // first one, which would make it a double click.)
    MoveTo(hwnd, 50, 65);
    headless::PressButton();
    headless::PumpMessages();
    EXPECT_TRUE(dialog.view.FindElement(21)->state & STATE_PUSHED);
    MoveTo(hwnd, 120, 50);
    MoveTo(hwnd, 25, 55);
    headless::ReleaseButton();
    headless::PumpMessages();
    ASSERT_EQ(dialog.clicks.size(), 1u);
    EXPECT_EQ(dialog.clicks[0].from, dialog.view.Window());
    EXPECT_EQ(dialog.clicks[0].idFrom, 1000u);
    EXPECT_EQ(dialog.clicks[0].itemId, 21u);
    EXPECT_EQ(dialog.clicks[0].tag, "dlg");
    EXPECT_FALSE(dialog.view.FindElement(21)->state & STATE_PUSHED);
}

TEST_F(DialogViewTest, HoverFollowsTheMouseAndTheViewReportsEnterAndLeave) {
    MoveTo(hwnd, 20, 50);
    const CBkWindow* first = dialog.view.FindElement(21);
    EXPECT_EQ(dialog.view.HoverHandle(), first->handle);
    EXPECT_TRUE(first->state & STATE_HOVER);
    MoveTo(hwnd, 120, 50);
    EXPECT_FALSE(first->state & STATE_HOVER);
    EXPECT_TRUE(dialog.view.FindElement(22)->state & STATE_HOVER);
    headless::MoveMouse(1000, 700);
    headless::PumpMessages();
    EXPECT_EQ(dialog.view.HoverHandle(), 0u);
    EXPECT_FALSE(dialog.view.FindElement(22)->state & STATE_HOVER);
    EXPECT_EQ(dialog.viewCodes,
              (std::vector<UINT>{NOTIFY_VIEW_MOUSEENTER, NOTIFY_VIEW_MOUSELEAVE}));
}

TEST_F(DialogViewTest, ElementsWithoutIdOrWithLinksSendNothing) {
    const fs::path dir = fs::temp_directory_path() / ("dialog-link-" + std::to_string(getpid()));
    fs::create_directories(dir);
    {
        std::ofstream script(dir / "xdg-open");
        script << "#!/bin/sh\nprintf '%s\\n' \"$@\" > \"" << (dir / "args.tmp").string()
               << "\"\nmv \"" << (dir / "args.tmp").string() << "\" \"" << (dir / "args").string()
               << "\"\n";
    }
    fs::permissions(dir / "xdg-open", fs::perms::owner_all);
    const std::string oldPath = std::getenv("PATH");
    setenv("PATH", (dir.string() + ":" + oldPath).c_str(), 1);

    ClickAt(hwnd, 20, 100);  // id 23 with href
    ClickAt(hwnd, 120, 100); // id 0 without href
    setenv("PATH", oldPath.c_str(), 1);
    EXPECT_TRUE(dialog.clicks.empty());

    EXPECT_TRUE(WaitUntil([&] { return fs::exists(dir / "args"); }, kWaitLimit));
    std::ifstream args(dir / "args");
    std::stringstream text;
    text << args.rdbuf();
    EXPECT_EQ(text.str(), "https://example.com/vistrel\n");
    fs::remove_all(dir);
}

TEST_F(DialogViewTest, ADoubleClickYieldsOneClick) {
    const POINT p = ScreenPoint(hwnd, 20, 50);
    headless::DoubleClick(p.x, p.y);
    headless::PumpMessages();
    EXPECT_EQ(dialog.ClickedIds(), (std::vector<std::uint32_t>{21}));
}

TEST_F(DialogViewTest, TheHeaderDragsAndMaximisesWhileItsButtonsArePressed) {
    ClickAt(hwnd, 100, 10); // header background
    ClickAt(hwnd, 305, 10); // a plain element in the header
    EXPECT_EQ(dialog.sysCommands, (std::vector<WPARAM>{0xF012, 0xF012}));
    EXPECT_TRUE(dialog.clicks.empty());

    ClickAt(hwnd, 260, 10); // the header's button
    EXPECT_EQ(dialog.ClickedIds(), (std::vector<std::uint32_t>{12}));
    EXPECT_EQ(dialog.sysCommands.size(), 2u);

    const POINT header = ScreenPoint(hwnd, 100, 10);
    headless::DoubleClick(header.x, header.y);
    headless::PumpMessages();
    EXPECT_TRUE(IsZoomed(hwnd));
    EXPECT_EQ(dialog.sysCommands.back(), 0xF032u);
    // Maximised: the work area (0, 0, 1280, 760) and one pixel more on every side.
    RECT window;
    GetWindowRect(hwnd, &window);
    EXPECT_EQ(window, (RECT{-1, -1, 1281, 761}));
    EXPECT_EQ(dialog.view.Section(BkSection::Footer).rect, (RECT{0, 717, 1282, 762}));

    // No dragging while maximised; a double click restores.
    const std::size_t commands = dialog.sysCommands.size();
    const POINT again = ScreenPoint(hwnd, 100, 10);
    headless::DoubleClick(again.x, again.y);
    headless::PumpMessages();
    EXPECT_FALSE(IsZoomed(hwnd));
    EXPECT_EQ(dialog.sysCommands.size(), commands + 1);
    EXPECT_EQ(dialog.sysCommands.back(), 0xF122u);
}

TEST(DialogHeaderTest, WithoutResizeADoubleClickOnTheHeaderDoesNothing) {
    CTestDialog dialog(9302);
    const RECT place{100, 100, 110, 110};
    const HWND hwnd = dialog.CreateDialogWindow(nullptr, &place);
    ASSERT_NE(hwnd, nullptr);
    ShowWindow(hwnd, SW_SHOW);
    const POINT header = ScreenPoint(hwnd, 50, 10);
    headless::DoubleClick(header.x, header.y);
    headless::PumpMessages();
    EXPECT_FALSE(IsZoomed(hwnd));
    EXPECT_EQ(dialog.sysCommands, (std::vector<WPARAM>{0xF012}));
    headless::MoveMouse(1000, 700);
    headless::PumpMessages();
}

TEST_F(DialogViewTest, SetElementTextRepaintsTheOldAndTheNewRectangle) {
    CBkWindow* text = dialog.view.FindElement(24);
    const RECT before = text->rect;
    ASSERT_GT(before.Width(), 20);
    ASSERT_TRUE(dialog.view.SetElementText(24, L"A"));
    const RECT after = text->rect;
    EXPECT_LT(after.Width(), before.Width());
    const CRegion invalid = GetUpdateRegion(dialog.view.Window());
    EXPECT_TRUE(invalid.Contains({before.right - 1, before.top}));
    EXPECT_TRUE(invalid.Contains({after.left, after.top}));
    EXPECT_EQ(dialog.view.GetElementText(24), L"A");
    headless::PumpMessages();
    // The part the text no longer covers shows the body again.
    EXPECT_EQ(PaintedAt(hwnd, before.right - 1, before.top), kWhite);
}

TEST_F(DialogViewTest, ElementOperationsById) {
    EXPECT_EQ(dialog.view.FindElement(99), nullptr);
    EXPECT_EQ(dialog.view.FindElement(11)->id, 11); // in the header
    EXPECT_FALSE(dialog.view.SetElementText(99, L"x"));
    EXPECT_EQ(dialog.view.GetElementText(99), L"");
    EXPECT_FALSE(dialog.view.SetElementAttribute(99, "crbg", "FF0000"));
    EXPECT_FALSE(dialog.view.ShowElement(99, false));
    EXPECT_FALSE(dialog.view.CheckElement(99, true));
    EXPECT_FALSE(dialog.view.IsElementChecked(99));

    ASSERT_TRUE(dialog.view.CheckElement(21, true));
    EXPECT_TRUE(dialog.view.IsElementChecked(21));
    ASSERT_TRUE(dialog.view.CheckElement(21, false));
    EXPECT_FALSE(dialog.view.IsElementChecked(21));

    // A new "pos" places the element again, and both places are repainted.
    ASSERT_TRUE(dialog.view.SetElementAttribute(21, "pos", "200,100,250,130"));
    EXPECT_EQ(dialog.view.FindElement(21)->rect, (RECT{200, 131, 250, 161}));
    headless::PumpMessages();
    EXPECT_EQ(PaintedAt(hwnd, 20, 50), kWhite);
    EXPECT_EQ(PaintedAt(hwnd, 210, 140), kBlue);

    // A hidden element is not painted and not hit.
    ASSERT_TRUE(dialog.view.ShowElement(22, false));
    headless::PumpMessages();
    EXPECT_EQ(PaintedAt(hwnd, 120, 50), kWhite);
    ClickAt(hwnd, 120, 50);
    EXPECT_TRUE(dialog.clicks.empty());
    ASSERT_TRUE(dialog.view.ShowElement(22, true));
    headless::PumpMessages();
    EXPECT_EQ(PaintedAt(hwnd, 120, 50), kCyan);
}

TEST_F(DialogViewTest, LoadElementChildrenReplacesAContainersChildren) {
    const std::string children = "<dlg id='31' pos='0,0,20,20' crbg='FF0000'/>"
                                 "<dlg id='32' pos='20,0,40,20' crbg='00FF00'/>";
    EXPECT_FALSE(dialog.view.LoadElementChildren(22, "<dlg"));
    EXPECT_FALSE(dialog.view.LoadElementChildren(99, children));
    EXPECT_FALSE(dialog.view.LoadElementChildren(12, children)); // the header's button
    ASSERT_TRUE(dialog.view.LoadElementChildren(22, children));
    ASSERT_NE(dialog.view.FindElement(31), nullptr);
    EXPECT_EQ(dialog.view.FindElement(32)->rect, (RECT{120, 41, 140, 61}));
    headless::PumpMessages();
    EXPECT_EQ(PaintedAt(hwnd, 105, 45), kRed);
    EXPECT_EQ(PaintedAt(hwnd, 125, 45), kGreen);
    ClickAt(hwnd, 125, 45);
    EXPECT_EQ(dialog.ClickedIds(), (std::vector<std::uint32_t>{32}));

    // Loading again drops the old children, the hovered one among them: the view only holds
    // its handle, which no longer finds it.
    const std::uint32_t hovered = dialog.view.HoverHandle();
    ASSERT_EQ(hovered, dialog.view.FindElement(32)->handle);
    ASSERT_TRUE(dialog.view.LoadElementChildren(22, "<dlg id='33' pos='0,0,5,5'/>"));
    EXPECT_EQ(dialog.view.FindElement(31), nullptr);
    EXPECT_NE(dialog.view.FindElement(33), nullptr);
    EXPECT_EQ(ElementRegistry::Instance().Lookup(hovered), nullptr);
    MoveTo(hwnd, 20, 50);
    EXPECT_EQ(dialog.view.HoverHandle(), dialog.view.FindElement(21)->handle);
    headless::MoveMouse(1000, 700);
    headless::PumpMessages();
    EXPECT_EQ(dialog.view.HoverHandle(), 0u);
}

TEST_F(DialogViewTest, PrintRendersIntoTheGivenContext) {
    CBkTestSurface surface(350, 240, RGB(1, 2, 3));
    SendMessage(dialog.view.Window(), WM_PRINT, WPARAM(surface.Dc()), 0);
    EXPECT_EQ(surface.At(5, 5), kRed);
    EXPECT_EQ(surface.At(20, 50), kBlue);
    EXPECT_EQ(surface.At(200, 230), kGrey);
}

TEST_F(DialogViewTest, LoadingAnotherLayerReplacesTheSectionsAndRepaintsAll) {
    MoveTo(hwnd, 20, 50);
    ASSERT_NE(dialog.view.HoverHandle(), 0u);
    std::string xml;
    ASSERT_TRUE(LoadSkinResource(9301, L"xml", xml));
    ASSERT_TRUE(dialog.LoadLayer(xml));
    EXPECT_EQ(dialog.view.HoverHandle(), 0u);
    EXPECT_FALSE(dialog.view.HasSection(BkSection::Header));
    EXPECT_EQ(dialog.view.FindElement(21), nullptr);
    // The new body is laid out at the next size change.
    dialog.ResizeClient(300, 200, true);
    headless::PumpMessages();
    EXPECT_EQ(dialog.view.Section(BkSection::Body).rect, (RECT{0, 0, 300, 200}));
    EXPECT_EQ(PaintedAt(hwnd, 5, 5), kBlue);
    EXPECT_EQ(PaintedAt(hwnd, 290, 198), kBlue); // where the old footer was
}

TEST_F(DialogViewTest, TheRoundedRegionCutsTheCorners) {
    CRegion region;
    ASSERT_TRUE(GetWindowRgn(hwnd, &region));
    EXPECT_EQ(region, RoundRectRegion({0, 0, 350, 240}));
    struct Case {
        POINT point;
        bool inside;
    };
    const Case cases[] = {
        {{0, 0}, false},    {{1, 0}, false},   {{2, 0}, true},      {{0, 1}, false},
        {{1, 1}, true},     {{0, 2}, true},    {{349, 0}, false},   {{347, 0}, true},
        {{348, 1}, true},   {{349, 1}, false}, {{0, 239}, false},   {{2, 239}, true},
        {{1, 238}, true},   {{0, 238}, false}, {{349, 238}, false}, {{349, 237}, true},
        {{175, 120}, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(region.Contains(c.point), c.inside) << c.point.x << "," << c.point.y;
    }
}

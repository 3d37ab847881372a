// The edit element: its real edit window inside the frame, the texts kept equal both ways,
// the modes taken from the attributes, selection by a press on the frame, the frame's look,
// and hovering over real windows without the cursor question going round in circles.
#include "BkControlTestSupport.h"
#include "BkTestDialog.h"

#include "bkwin/BkEdit.h"
#include "bkwin/BkRealWnd.h"
#include "platform/controls/Edit.h"
#include "platform/core/Input.h"
#include "platform/core/MessageLoop.h"
#include "platform/core/Window.h"
#include "tests/support/TestWindow.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The dialog of layout 9810 shown at (100, 100): edits 61 (D:\), 62 (read-only), 63
// (password, 8 characters at most) and 69 (empty); realwnd 64 and 65; edit 68 inside the
// hidden container 67.
class EditBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        hwnd = dialog.LoadAndShow();
        ASSERT_NE(hwnd, nullptr);
        view = dialog.view.Window();
    }
    void TearDown() override {
        headless::MoveMouse(1000, 700);
        headless::PumpMessages();
        if (IsWindow(hwnd)) {
            DestroyWindow(hwnd);
        }
    }

    HWND EditWindow(std::int32_t id) {
        auto* edit = dynamic_cast<CBkEdit*>(dialog.view.FindElement(id));
        return edit ? edit->RealWindow() : nullptr;
    }

    RECT ViewRect(HWND child) const {
        RECT box;
        GetWindowRect(child, &box);
        POINT topLeft{box.left, box.top};
        ScreenToClient(view, &topLeft);
        return {topLeft.x, topLeft.y, topLeft.x + box.Width(), topLeft.y + box.Height()};
    }

    std::pair<DWORD, DWORD> Selection(HWND edit) {
        DWORD start = 0, end = 0;
        SendMessage(edit, EM_GETSEL, WPARAM(&start), LPARAM(&end));
        return {start, end};
    }

    CTestDialog dialog{9810};
    HWND hwnd = nullptr;
    HWND view = nullptr;
};

} // namespace

TEST_F(EditBoxTest, TheWindowSitsInsideTheFrameWithTheElementsText) {
    const HWND edit = EditWindow(61);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(GetClassName(edit), L"BkEdit");
    EXPECT_EQ(GetParent(edit), view);
    EXPECT_EQ(GetDlgCtrlID(edit), 61);
    EXPECT_EQ(GetDlgItem(view, 61), edit);
    EXPECT_EQ(ViewRect(edit), (RECT{12, 12, 208, 32}));
    EXPECT_TRUE(IsWindowVisible(edit));
    EXPECT_EQ(GetWindowText(edit), L"D:\\");
    EXPECT_EQ(dialog.view.GetElementText(61), L"D:\\");
    EXPECT_EQ(SendMessage(edit, EM_GETMODIFY, 0, 0), 0);
}

TEST_F(EditBoxTest, AMovedBoxMovesItsWindowAndTellsTheDialog) {
    dialog.notifyRecords.clear();
    dialog.viewCodes.clear();
    EXPECT_TRUE(dialog.view.SetElementAttribute(61, "pos", "20,10,220,40"));
    EXPECT_EQ(ViewRect(EditWindow(61)), (RECT{22, 12, 218, 38}));
    EXPECT_EQ(dialog.viewCodes, (std::vector<UINT>{NOTIFY_REALWND_RESIZED}));
    // The same rectangle again moves nothing and tells nothing.
    EXPECT_TRUE(dialog.view.SetElementAttribute(61, "pos", "20,10,220,40"));
    EXPECT_EQ(dialog.viewCodes.size(), 1u);
}

TEST_F(EditBoxTest, TypingIsTheElementsTextAtOnce) {
    ClickAt(hwnd, 150, 22);
    ASSERT_EQ(GetFocus(), EditWindow(61));
    headless::TapKey(VK_END);
    headless::TypeText(L"rec");
    headless::PumpMessages();
    EXPECT_EQ(dialog.view.GetElementText(61), L"D:\\rec");
    headless::TapKey(VK_BACK);
    headless::PumpMessages();
    EXPECT_EQ(dialog.view.GetElementText(61), L"D:\\re");
}

TEST_F(EditBoxTest, SetElementTextReplacesTheElementsAndTheWindowsText) {
    EXPECT_TRUE(dialog.view.SetElementText(62, L"E:\\rec"));
    EXPECT_EQ(GetWindowText(EditWindow(62)), L"E:\\rec");
    EXPECT_EQ(dialog.view.GetElementText(62), L"E:\\rec");
}

TEST_F(EditBoxTest, AReadOnlyBoxRefusesTypingAndALimitedOneStopsAtItsLimit) {
    ClickAt(hwnd, 150, 52);
    ASSERT_EQ(GetFocus(), EditWindow(62));
    headless::TypeText(L"xyz");
    headless::PumpMessages();
    EXPECT_EQ(dialog.view.GetElementText(62), L"fixed");
    EXPECT_EQ(GetWindowText(EditWindow(62)), L"fixed");

    ClickAt(hwnd, 150, 82);
    ASSERT_EQ(GetFocus(), EditWindow(63));
    headless::TapKey(VK_END);
    headless::TypeText(L"12345");
    headless::PumpMessages();
    EXPECT_EQ(dialog.view.GetElementText(63), L"secret12");
}

TEST_F(EditBoxTest, PressingTheFrameSelectsTheWholeText) {
    ClickAt(hwnd, 11, 22);
    EXPECT_EQ(Selection(EditWindow(61)), (std::pair<DWORD, DWORD>{0, 3}));
    EXPECT_EQ(GetFocus(), EditWindow(61));
}

TEST_F(EditBoxTest, AnEditInAHiddenContainerShowsOnlyWithTheContainer) {
    // The window is made when the box is first shown, and shown only with the container.
    EXPECT_FALSE(IsWindowVisible(EditWindow(68)));
    EXPECT_TRUE(dialog.view.ShowElement(68, true));
    EXPECT_FALSE(IsWindowVisible(EditWindow(68)));
    EXPECT_TRUE(dialog.view.ShowElement(67, true));
    const HWND edit = EditWindow(68);
    ASSERT_NE(edit, nullptr);
    EXPECT_TRUE(IsWindowVisible(edit));
    EXPECT_EQ(GetWindowText(edit), L"hidden");
    EXPECT_EQ(ViewRect(edit), (RECT{12, 202, 208, 228}));
    EXPECT_TRUE(dialog.view.ShowElement(68, false));
    EXPECT_FALSE(IsWindowVisible(edit));
}

TEST_F(EditBoxTest, ReloadingTheLayoutDestroysTheOldWindows) {
    const HWND old = EditWindow(61);
    ASSERT_NE(old, nullptr);
    std::string xml;
    ASSERT_TRUE(LoadSkinResource(9810, L"xml", xml));
    ASSERT_TRUE(dialog.view.LoadLayer(xml));
    EXPECT_FALSE(IsWindow(old));
}

TEST_F(EditBoxTest, TheFrameIsWiderAndLighterWhileTheMouseIsOverTheBoxOrItsWindow) {
    auto* edit = dynamic_cast<CBkEdit*>(dialog.view.FindElement(61));
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(PaintedAt(hwnd, 10, 22), CBkEditFrame::kNormalColour);
    EXPECT_EQ(PaintedAt(hwnd, 11, 22), 0xFFFFFFu);
    MoveTo(hwnd, 11, 22); // the frame
    EXPECT_TRUE(edit->IsHovered());
    EXPECT_EQ(PaintedAt(hwnd, 10, 22), CBkEditFrame::kHoverColour);
    EXPECT_EQ(PaintedAt(hwnd, 11, 22), CBkEditFrame::kHoverColour);
    MoveTo(hwnd, 100, 22); // the window
    EXPECT_TRUE(edit->IsHovered());
    EXPECT_EQ(PaintedAt(hwnd, 10, 22), CBkEditFrame::kHoverColour);
    MoveTo(hwnd, 300, 250); // elsewhere
    EXPECT_FALSE(edit->IsHovered());
    EXPECT_EQ(PaintedAt(hwnd, 10, 22), CBkEditFrame::kNormalColour);
}

// The cursor over real windows: each chooses its own after the view, asked by the window's
// default handling, leaves the question open instead of handing it back down.
TEST_F(EditBoxTest, HoveringOverRealWindowsHostingAStaticAndAnEditShowsTheirCursors) {
    const RECT staticRect = dialog.view.FindElement(64)->rect;
    const RECT editRect = dialog.view.FindElement(65)->rect;
    const HWND wall =
        CreateWindowEx(0, L"Static", L"", WS_CHILD | WS_VISIBLE, staticRect.left, staticRect.top,
                       staticRect.Width(), staticRect.Height(), view, 64, nullptr);
    const HWND field =
        CreateWindowEx(0, L"Edit", L"", WS_CHILD | WS_VISIBLE, editRect.left, editRect.top,
                       editRect.Width(), editRect.Height(), view, 65, nullptr);
    ASSERT_NE(wall, nullptr);
    ASSERT_NE(field, nullptr);

    struct Case {
        const char* over;
        POINT point;
        HCURSOR cursor;
    };
    const std::vector<Case> cases{
        {"the static of realwnd 64", {300, 35}, IDC_ARROW},
        {"the edit of realwnd 65", {300, 85}, IDC_IBEAM},
        {"the static again", {260, 20}, IDC_ARROW},
        {"the frame of edit box 61", {11, 22}, IDC_IBEAM},
        {"the window of edit box 61", {100, 22}, IDC_IBEAM},
        {"the body", {300, 250}, IDC_ARROW},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.over);
        SetCursor(LoadCursor(IDC_WAIT));
        MoveTo(hwnd, c.point.x, c.point.y);
        EXPECT_EQ(GetCursor(), LoadCursor(c.cursor));
    }

    // The view's own question about a realwnd goes to the hosted window once.
    SetCursor(LoadCursor(IDC_WAIT));
    MoveTo(hwnd, 300, 35);
    SetCursor(LoadCursor(IDC_WAIT));
    EXPECT_EQ(SendMessage(view, WM_SETCURSOR, WPARAM(view), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)), 1);
    EXPECT_EQ(GetCursor(), LoadCursor(IDC_ARROW));
    // Asked by a child, the view answers nothing.
    EXPECT_EQ(SendMessage(view, WM_SETCURSOR, WPARAM(wall), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)), 0);
}

namespace {

struct EditModeCase {
    const char* xml;
    DWORD setStyles;
    DWORD clearStyles;
    LRESULT limit;
    LRESULT passwordChar;
};

class EditModeTest : public ::testing::TestWithParam<EditModeCase> {};

} // namespace

TEST_P(EditModeTest, TheAttributesGiveTheWindowsModes) {
    const EditModeCase& c = GetParam();
    const HWND host = CreateTestWindow({}, WS_POPUP, {0, 0, 300, 100});
    ASSERT_NE(host, nullptr);
    std::unique_ptr<CBkWindow> element = LoadElement(c.xml);
    ASSERT_NE(element, nullptr);
    auto& edit = dynamic_cast<CBkEdit&>(*element);
    EXPECT_EQ(edit.RealWindow(), nullptr); // nothing before the first layout
    edit.SetHostWindow(host);
    WINDOWPOS pos;
    pos.cx = 300;
    pos.cy = 100;
    SendElementMessage(&edit, WM_WINDOWPOSCHANGED, 0, LPARAM(&pos));
    const HWND window = edit.RealWindow();
    ASSERT_NE(window, nullptr);
    const auto style = DWORD(GetWindowLongPtr(window, GWL_STYLE));
    EXPECT_EQ(style & 0x500100C0u, 0x500100C0u);
    EXPECT_EQ(style & c.setStyles, c.setStyles);
    EXPECT_EQ(style & c.clearStyles, 0u);
    EXPECT_EQ(SendMessage(window, EM_GETLIMITTEXT, 0, 0), c.limit);
    EXPECT_EQ(SendMessage(window, EM_GETPASSWORDCHAR, 0, 0), c.passwordChar);
    EXPECT_EQ(GetWindowText(window), L"abc");
    element.reset();
    EXPECT_FALSE(IsWindow(window));
    DestroyWindow(host);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, EditModeTest,
    ::testing::Values(EditModeCase{"<edit pos='0,0,100,20'>abc</edit>", 0,
                                   ES_READONLY | ES_PASSWORD | ES_NUMBER | ES_MULTILINE, 32767, 0},
                      EditModeCase{"<edit pos='0,0,100,20' readonly='1'>abc</edit>", ES_READONLY,
                                   ES_PASSWORD, 32767, 0},
                      EditModeCase{"<edit pos='0,0,100,20' password='1'>abc</edit>", ES_PASSWORD,
                                   ES_READONLY, 32767, L'*'},
                      EditModeCase{"<edit pos='0,0,100,20' number='1'>abc</edit>", ES_NUMBER,
                                   ES_MULTILINE, 32767, 0},
                      EditModeCase{"<edit pos='0,0,100,60' multiline='1'>abc</edit>",
                                   ES_MULTILINE | ES_WANTRETURN, ES_NUMBER, 32767, 0},
                      EditModeCase{"<edit pos='0,0,100,20' maxchar='40'>abc</edit>", 0, ES_READONLY,
                                   40, 0}));

TEST(EditBoxWithoutHostTest, MakesNoWindowAndPaintsItsOwnTextMasked) {
    std::unique_ptr<CBkWindow> masked = LoadElement("<edit pos='0,0,80,24' password='1'>ab</edit>");
    std::unique_ptr<CBkWindow> stars = LoadElement("<edit pos='0,0,80,24'>**</edit>");
    ASSERT_NE(masked, nullptr);
    ASSERT_NE(stars, nullptr);
    WINDOWPOS pos;
    pos.cx = 80;
    pos.cy = 24;
    for (CBkWindow* e : {masked.get(), stars.get()}) {
        SendElementMessage(e, WM_WINDOWPOSCHANGED, 0, LPARAM(&pos));
        SendElementMessage(e, WM_SHOWWINDOW, 1, 0);
        EXPECT_EQ(dynamic_cast<CBkEdit&>(*e).RealWindow(), nullptr);
    }
    CBkTestSurface a(80, 24, 0x000000), b(80, 24, 0x000000);
    masked->PaintRegion(a.Dc(), nullptr);
    stars->PaintRegion(b.Dc(), nullptr);
    EXPECT_TRUE(SamePixels(a, b, {0, 0, 80, 24}));
    EXPECT_EQ(a.At(0, 0), CBkEditFrame::kNormalColour);
    EXPECT_EQ(a.At(1, 1), 0xFFFFFFu);
    EXPECT_FALSE(AllPixelsAre(a, {2, 2, 78, 22}, 0xFFFFFFu)); // the stars show
}

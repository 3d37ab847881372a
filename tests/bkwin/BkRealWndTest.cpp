// The real-window element: moving its child window of the view with the layout and telling
// the dialog, showing and hiding it with the element and its ancestors, and the cases in
// which nothing is moved or no window exists.
#include "BkTestDialog.h"

#include "bkwin/BkDialogImpl.h"
#include "bkwin/BkRealWnd.h"
#include "bkwin/BkSkinPool.h"
#include "platform/base/WindowStyles.h"
#include "platform/core/Window.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

// A dialog that keeps a copy of every resize notification it receives.
class CRealWndDialog : public CBkDialogImpl<CRealWndDialog> {
public:
    CRealWndDialog() : CBkDialogImpl<CRealWndDialog>(9401) {}

    bool ProcessWindowMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
        if (msg == WM_NOTIFY && wParam == VIEW_CTRL_ID) {
            const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            if (header->code == NOTIFY_REALWND_RESIZED) {
                resized.push_back(*reinterpret_cast<const RealWndNotify*>(lParam));
                result = 0;
                return true;
            }
        }
        return ProcessDialogMessage(hwnd, msg, wParam, lParam, result);
    }

    std::vector<RealWndNotify> resized;
};

class RealWndTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string xml;
        ASSERT_TRUE(LoadSkinResource(9401, L"xml", xml));
        ASSERT_TRUE(dialog.LoadLayer(xml));
        const RECT place{100, 100, 110, 110};
        hwnd = dialog.CreateDialogWindow(nullptr, &place);
        ASSERT_NE(hwnd, nullptr);
        view = dialog.view.Window();
        // The owner creates the hosted windows as children of the view, as the main window
        // does with its video wall.
        wall =
            CreateWindowEx(0, L"Static", L"", WS_CHILD | WS_VISIBLE, 0, 0, 1, 1, view, 51, nullptr);
        hidden = CreateWindowEx(0, L"Static", L"", WS_CHILD, 0, 0, 1, 1, view, 53, nullptr);
        ASSERT_NE(wall, nullptr);
        ASSERT_NE(hidden, nullptr);
        ShowWindow(hwnd, SW_SHOW);
        headless::PumpMessages();
    }
    void TearDown() override {
        if (IsWindow(hwnd)) {
            DestroyWindow(hwnd);
        }
    }

    // The child's rectangle in the view's client coordinates.
    RECT ChildRect(HWND child) const {
        RECT box;
        GetWindowRect(child, &box);
        POINT topLeft{box.left, box.top};
        ScreenToClient(view, &topLeft);
        return {topLeft.x, topLeft.y, topLeft.x + box.Width(), topLeft.y + box.Height()};
    }

    void ResizeDialog(int width, int height) {
        SetWindowPos(hwnd, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER);
        headless::PumpMessages();
    }

    CRealWndDialog dialog;
    HWND hwnd = nullptr;
    HWND view = nullptr;
    HWND wall = nullptr;
    HWND hidden = nullptr;
};

} // namespace

TEST_F(RealWndTest, AChangedRectangleMovesTheChildAndTellsTheDialog) {
    dialog.resized.clear();
    ResizeDialog(400, 300);
    CBkWindow* element = dialog.view.FindElement(51);
    ASSERT_NE(element, nullptr);
    RECT client;
    GetClientRect(view, &client);
    const RECT expected{10, 10, client.right - 10, client.bottom - 60};
    EXPECT_EQ(element->rect, expected);
    EXPECT_EQ(ChildRect(wall), expected);
    EXPECT_TRUE(IsWindowVisible(wall));

    // Every realwnd whose rectangle changed reports it, the one without a window included.
    std::vector<std::uint32_t> ids;
    for (const RealWndNotify& notify : dialog.resized) {
        EXPECT_EQ(notify.hdr.hwndFrom, view);
        EXPECT_EQ(notify.hdr.idFrom, VIEW_CTRL_ID);
        ids.push_back(notify.itemId);
        if (notify.itemId == 51) {
            EXPECT_EQ(notify.rect, expected);
        }
    }
    EXPECT_NE(std::find(ids.begin(), ids.end(), 51u), ids.end());
    EXPECT_NE(std::find(ids.begin(), ids.end(), 54u), ids.end());
}

TEST_F(RealWndTest, TheSameRectangleAgainMovesNothingAndSendsNothing) {
    CBkWindow* element = dialog.view.FindElement(51);
    ASSERT_NE(element, nullptr);
    // Moved aside by someone else; an unchanged layout leaves it there.
    SetWindowPos(wall, nullptr, 1, 2, 3, 4, SWP_NOZORDER);
    dialog.resized.clear();
    const RECT same = element->rect;
    // The body places its children again in the same area.
    const RECT area = dialog.view.Section(BkSection::Body).rect;
    WINDOWPOS pos;
    pos.x = area.left;
    pos.y = area.top;
    pos.cx = area.Width();
    pos.cy = area.Height();
    SendElementMessage(&dialog.view.Section(BkSection::Body), WM_WINDOWPOSCHANGED, 0, LPARAM(&pos));
    EXPECT_EQ(element->rect, same);
    EXPECT_TRUE(dialog.resized.empty());
    EXPECT_EQ(ChildRect(wall), (RECT{1, 2, 4, 6}));
}

TEST_F(RealWndTest, AWindowInAHiddenContainerIsShownOnlyWithTheContainer) {
    EXPECT_FALSE(IsWindowVisible(hidden));
    CBkWindow* element = dialog.view.FindElement(53);
    ASSERT_NE(element, nullptr);
    // Shown by itself while its container is hidden: the window stays hidden.
    EXPECT_TRUE(dialog.view.ShowElement(53, true));
    EXPECT_FALSE(element->state & STATE_HIDDEN);
    EXPECT_FALSE(IsWindowVisible(hidden));
    EXPECT_TRUE(dialog.view.ShowElement(52, true));
    EXPECT_TRUE(IsWindowVisible(hidden));
    EXPECT_TRUE(dialog.view.ShowElement(52, false));
    EXPECT_FALSE(IsWindowVisible(hidden));

    // Hiding and showing the element itself hides and shows the wall.
    EXPECT_TRUE(dialog.view.ShowElement(51, false));
    EXPECT_FALSE(IsWindowVisible(wall));
    EXPECT_TRUE(dialog.view.ShowElement(51, true));
    EXPECT_TRUE(IsWindowVisible(wall));
    // A realwnd without a window shows and hides silently.
    EXPECT_TRUE(dialog.view.ShowElement(54, false));
    EXPECT_TRUE(dialog.view.ShowElement(54, true));
}

TEST_F(RealWndTest, DestroyingTheElementHidesButKeepsTheWindow) {
    CBkWindow* element = dialog.view.FindElement(51);
    ASSERT_NE(element, nullptr);
    EXPECT_FALSE(element->RepaintsOnStateChange());
    SendElementMessage(element, WM_DESTROY, 0, 0);
    EXPECT_TRUE(IsWindow(wall));
    EXPECT_FALSE(IsWindowVisible(wall));
    // Unknown attributes name no window.
    EXPECT_FALSE(SUCCEEDED(element->ApplyAttribute("ctrlid", "53", false)));
}

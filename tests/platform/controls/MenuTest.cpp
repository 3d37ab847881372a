#include "tests/support/ModalScript.h"
#include "tests/support/TestWindow.h"

#include "platform/controls/Menu.h"
#include "platform/core/Input.h"
#include "platform/core/headless/HeadlessScreen.h"

#include <gtest/gtest.h>

namespace {

// The tray menu's shape: two commands around a separator.
class MenuTest : public ::testing::Test {
protected:
    void SetUp() override {
        owner = CreateTestWindow({nullptr, &log}, WS_POPUP | WS_VISIBLE, {0, 0, 400, 300});
        bar = CreateMenu();
        HMENU popup = CreatePopupMenu();
        AppendMenu(popup, MF_STRING, 32775, L"窗口");
        AppendMenu(popup, MF_SEPARATOR, 0, L"");
        AppendMenu(popup, MF_STRING, 32774, L"退出");
        AppendMenu(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), L"TrayMenu");
        Pump();
        log.Clear();
    }
    void TearDown() override {
        DestroyMenu(bar);
        DestroyWindow(owner);
        Pump();
    }
    HMENU Popup() { return GetSubMenu(bar, 0); }
    // The menu window while it is open: the top-most window at the point.
    static HWND MenuAt(POINT p) { return WindowFromPoint(p); }
    std::vector<WPARAM> Commands() {
        Pump();
        std::vector<WPARAM> ids;
        for (auto& e : log.Entries()) {
            if (e.msg == WM_COMMAND) {
                ids.push_back(e.wParam);
            }
        }
        return ids;
    }

    CMessageLog log;
    HWND owner = nullptr;
    HMENU bar = nullptr;
};

TEST_F(MenuTest, ClickingAnItemPostsItsCommandToTheOwner) {
    RECT menuRect{};
    CModalScript script({[&] {
                             GetWindowRect(MenuAt({105, 105}), &menuRect);
                         },
                         [&] { headless::MoveMouse(menuRect.left + 30, menuRect.bottom - 12); },
                         [&] { headless::Click(menuRect.left + 30, menuRect.bottom - 12); }});
    EXPECT_EQ(TrackPopupMenu(Popup(), 0, 100, 100, 0, owner, nullptr), 1u);
    EXPECT_EQ(menuRect.left, 100);
    EXPECT_EQ(menuRect.top, 100);
    EXPECT_EQ(Commands(), (std::vector<WPARAM>{32774}));
}

TEST_F(MenuTest, KeysChooseAndEscOrAnOutsideClickDismiss) {
    {
        CModalScript script({[] { headless::TapKey(VK_DOWN); }, [] { headless::TapKey(VK_DOWN); },
                             [] { headless::TapKey(VK_RETURN); }});
        // Down twice skips the separator and lands on the last item.
        EXPECT_EQ(TrackPopupMenu(Popup(), TPM_RETURNCMD, 100, 100, 0, owner, nullptr), 32774u);
    }
    EXPECT_TRUE(Commands().empty()); // TPM_RETURNCMD answers instead of posting
    {
        CModalScript script({[] { headless::TapKey(VK_ESCAPE); }});
        EXPECT_EQ(TrackPopupMenu(Popup(), 0, 100, 100, 0, owner, nullptr), 0u);
    }
    {
        CModalScript script({[] { headless::Click(350, 20); }});
        EXPECT_EQ(TrackPopupMenu(Popup(), 0, 100, 100, 0, owner, nullptr), 0u);
    }
    EXPECT_TRUE(Commands().empty());
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(MenuTest, BottomAlignedMenuEndsAtThePointAndStaysOnTheWorkArea) {
    RECT bottomAligned{}, nearEdge{};
    {
        CModalScript script({[&] {
                                 GetWindowRect(MenuAt({205, 195}), &bottomAligned);
                             },
                             [] { headless::TapKey(VK_ESCAPE); }});
        TrackPopupMenu(Popup(), TPM_BOTTOMALIGN, 200, 200, 0, owner, nullptr);
    }
    EXPECT_EQ(bottomAligned.bottom, 200);
    EXPECT_EQ(bottomAligned.left, 200);
    {
        CModalScript script({[&] {
                                 GetWindowRect(MenuAt({1275, 755}), &nearEdge);
                             },
                             [] { headless::TapKey(VK_ESCAPE); }});
        TrackPopupMenu(Popup(), 0, 1279, 759, 0, owner, nullptr);
    }
    EXPECT_EQ(nearEdge.right, 1280);
    EXPECT_EQ(nearEdge.bottom, 759); // no room below: it opens upwards from the point
}

TEST(MenuDataTest, BarsOwnTheirPopups) {
    HMENU bar = CreateMenu();
    HMENU popup = CreatePopupMenu();
    EXPECT_TRUE(AppendMenu(popup, MF_STRING, 32777, L"关于"));
    EXPECT_TRUE(AppendMenu(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), L"主菜单"));
    EXPECT_EQ(GetMenuItemCount(bar), 1);
    EXPECT_EQ(GetSubMenu(bar, 0), popup);
    EXPECT_EQ(GetSubMenu(bar, 1), nullptr);
    EXPECT_EQ(GetMenuItemCount(popup), 1);
    EXPECT_TRUE(DestroyMenu(bar));
    EXPECT_EQ(TrackPopupMenu(nullptr, 0, 0, 0, 0, nullptr, nullptr), 0u);
}

} // namespace

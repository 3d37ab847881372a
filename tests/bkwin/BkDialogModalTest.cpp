// Modal runs of skinned dialogs and the dialog window's keyboard and closing: runs end by
// EndModal, by WM_QUIT (left for the outer loop) and by destroying the window; a dialog opened
// without owner is owned by the thread's current dialog.
#include "BkTestDialog.h"
#include "tests/support/ModalScript.h"

#include "bkwin/BkWinManager.h"
#include "platform/core/Input.h"
#include "platform/core/MessageLoop.h"
#include "platform/core/Window.h"

#include <gtest/gtest.h>

namespace {

using Steps = std::deque<std::function<void()>>;

class DialogModalTest : public ::testing::Test {
protected:
    BkWinManager manager;
    CTestDialog dialog{9300};
};

} // namespace

TEST_F(DialogModalTest, EndModalEndsTheRunWithItsCode) {
    bool shownWhileRunning = false;
    HWND during = nullptr;
    CModalScript script(Steps{[&] {
        during = dialog.Window();
        shownWhileRunning = IsWindowVisible(during);
        EXPECT_EQ(manager.CurrentWindow(), during);
        dialog.EndModal(5);
    }});
    EXPECT_EQ(dialog.RunModal(nullptr), 5);
    EXPECT_TRUE(shownWhileRunning);
    EXPECT_FALSE(IsWindow(during));
    EXPECT_EQ(dialog.Window(), nullptr);
    EXPECT_EQ(manager.CurrentWindow(), nullptr);
    EXPECT_FALSE(dialog.endRequested);
}

TEST_F(DialogModalTest, AQuitEndsTheRunAndStaysInTheQueue) {
    HWND during = nullptr;
    CModalScript script(Steps{[&] {
        during = dialog.Window();
        PostQuitMessage(3);
    }});
    EXPECT_EQ(dialog.RunModal(nullptr), 0);
    EXPECT_FALSE(IsWindow(during));
    MSG msg;
    ASSERT_TRUE(PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, WM_QUIT);
}

TEST_F(DialogModalTest, DestroyingTheWindowEndsTheRun) {
    // A code from an earlier run is not answered again.
    CModalScript first(Steps{[&] { dialog.EndModal(9); }});
    EXPECT_EQ(dialog.RunModal(nullptr), 9);
    CModalScript second(Steps{[&] { DestroyWindow(dialog.Window()); }});
    EXPECT_EQ(dialog.RunModal(nullptr), 0);
}

TEST_F(DialogModalTest, WithoutOwnerTheThreadsCurrentDialogOwnsTheNewOne) {
    CTestDialog inner(9301);
    std::int32_t innerResult = -1;
    CModalScript script(Steps{[&] { innerResult = inner.RunModal(nullptr); },
                              [&] {
                                  const HWND outerWindow = dialog.Window();
                                  EXPECT_FALSE(IsWindowEnabled(outerWindow));
                                  EXPECT_EQ(GetParent(inner.Window()), outerWindow);
                                  EXPECT_EQ(manager.CurrentWindow(), inner.Window());
                                  RECT outerRect;
                                  RECT innerRect;
                                  GetWindowRect(outerWindow, &outerRect);
                                  GetWindowRect(inner.Window(), &innerRect);
                                  // The outer one is centred on the work area (1280 x 760), the
                                  // inner one on it.
                                  EXPECT_EQ(outerRect, (RECT{465, 260, 815, 500}));
                                  EXPECT_EQ(innerRect, (RECT{540, 330, 740, 430}));
                                  inner.EndModal(7);
                              },
                              [&] {
                                  EXPECT_TRUE(IsWindowEnabled(dialog.Window()));
                                  EXPECT_EQ(manager.CurrentWindow(), dialog.Window());
                                  dialog.EndModal(1);
                              }});
    EXPECT_EQ(dialog.RunModal(nullptr), 1);
    EXPECT_EQ(innerResult, 7);
    EXPECT_TRUE(script.Finished());
}

TEST_F(DialogModalTest, AFailedCreationEnablesTheOwnerAgain) {
    CTestDialog owner(9301);
    const HWND ownerWindow = owner.CreateDialogWindow(nullptr, nullptr);
    ASSERT_NE(ownerWindow, nullptr);
    CTestDialog broken(9002);
    EXPECT_EQ(broken.RunModal(ownerWindow), 0);
    EXPECT_TRUE(IsWindowEnabled(ownerWindow));
}

TEST_F(DialogModalTest, EnterAndEscArriveAsItemsOneAndTwo) {
    CModalScript script(Steps{[&] {
                                  SetFocus(dialog.view.Window());
                                  headless::TapKey(VK_RETURN);
                              },
                              [&] { headless::TapKey(VK_ESCAPE); }});
    EXPECT_EQ(dialog.RunModal(nullptr), 2);
    ASSERT_EQ(dialog.clicks.size(), 2u);
    for (const RecordedClick& click : dialog.clicks) {
        EXPECT_EQ(click.idFrom, 1000u);
        EXPECT_EQ(click.tag, "");
    }
    EXPECT_EQ(dialog.clicks[0].itemId, 1u);
    EXPECT_EQ(dialog.clicks[1].itemId, 2u);
}

TEST_F(DialogModalTest, KeysAndClosingOfTheDialogWindowItself) {
    dialog.endOnCancel = false;
    const HWND hwnd = dialog.CreateDialogWindow(nullptr, nullptr);
    ASSERT_NE(hwnd, nullptr);
    ShowWindow(hwnd, SW_SHOW);
    SetFocus(hwnd);
    headless::PressKey(VK_CONTROL);
    headless::TapKey(VK_ESCAPE);
    headless::ReleaseKey(VK_CONTROL);
    headless::PumpMessages();
    EXPECT_TRUE(dialog.clicks.empty());
    headless::TapKey(VK_ESCAPE);
    headless::TapKey(VK_RETURN);
    headless::PumpMessages();
    SendMessage(hwnd, WM_CLOSE, 0, 0);
    ASSERT_EQ(dialog.clicks.size(), 3u);
    EXPECT_EQ(dialog.clicks[0].itemId, 2u);
    EXPECT_EQ(dialog.clicks[1].itemId, 1u);
    EXPECT_EQ(dialog.clicks[2].itemId, 2u);
    EXPECT_EQ(dialog.clicks[2].from, hwnd);
    EXPECT_TRUE(IsWindow(hwnd)); // closing is only a notification
}

#include "tests/support/TestWindow.h"
#include "tests/support/WindowOwner.h"

#include "platform/core/DialogMessage.h"
#include "platform/core/Input.h"
#include "platform/core/headless/HeadlessScreen.h"

#include <gtest/gtest.h>

namespace {

// Runs the queue through IsDialogMessage as a modal dialog loop does.
void PumpDialog(HWND dialog) {
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (!IsDialogMessage(dialog, &msg)) {
            TranslateMessage(&msg);
            DispatchMessage(&msg);
        }
    }
}

TEST(DialogMessageTest, TabCyclesTabStopsAndEnterEscBecomeCommands) {
    std::vector<WPARAM> commands;
    Handler dlg = [&](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
        if (m == WM_COMMAND) {
            commands.push_back(w);
            return 0;
        }
        return DefWindowProc(h, m, w, l);
    };
    // The multi-line box wants every key, so Enter stays inside it.
    Handler wantsAll = [](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
        return m == WM_GETDLGCODE ? DLGC_WANTALLKEYS : DefWindowProc(h, m, w, l);
    };
    CMessageLog multiLog; // outlives the windows, which log into it until they are destroyed
    CWindowOwner dialog(CreateTestWindow({dlg}, WS_POPUP | WS_VISIBLE, {0, 0, 100, 100}));
    const DWORD stop = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
    HWND a = CreateTestWindow({}, stop, {0, 0, 10, 10}, dialog, 1);
    HWND skipped = CreateTestWindow({}, WS_CHILD | WS_VISIBLE, {0, 20, 10, 30}, dialog, 2);
    HWND b = CreateTestWindow({}, stop, {0, 40, 10, 50}, dialog, 3);
    HWND multi = CreateTestWindow({wantsAll, &multiLog}, stop, {0, 60, 10, 70}, dialog, 4);
    ASSERT_TRUE(skipped);
    SetFocus(a);
    headless::TapKey(VK_TAB);
    PumpDialog(dialog);
    EXPECT_EQ(GetFocus(), b);
    headless::TapKey(VK_TAB);
    headless::TapKey(VK_TAB);
    PumpDialog(dialog);
    EXPECT_EQ(GetFocus(), a); // wraps around
    headless::PressKey(VK_SHIFT);
    headless::TapKey(VK_TAB);
    headless::ReleaseKey(VK_SHIFT);
    PumpDialog(dialog);
    EXPECT_EQ(GetFocus(), multi);

    headless::TapKey(VK_RETURN);
    PumpDialog(dialog);
    EXPECT_TRUE(commands.empty());
    EXPECT_EQ(multiLog.Count(WM_CHAR), 1);
    SetFocus(b);
    headless::TapKey(VK_RETURN);
    headless::TapKey(VK_ESCAPE);
    PumpDialog(dialog);
    EXPECT_EQ(commands, (std::vector<WPARAM>{WPARAM(IDOK), WPARAM(IDCANCEL)}));
}

} // namespace

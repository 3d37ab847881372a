// The view takes only its elements' invalidate records (sent without a sender window) as
// repaint requests; a real child window's notification with the same code is a plain NMHDR
// and goes on to the dialog unchanged.
#include "BkTestDialog.h"

#include "bkwin/BkInvalidateNotify.h"
#include "platform/core/MessageLoop.h"
#include "platform/core/Paint.h"
#include "platform/core/Window.h"

#include <gtest/gtest.h>

TEST(ViewInvalidateNotifyTest, AChildWindowsNotificationWithTheCodeGoesToTheDialog) {
    CTestDialog dialog{9300};
    const HWND hwnd = dialog.LoadAndShow();
    ASSERT_NE(hwnd, nullptr);
    const HWND view = dialog.view.Window();
    RegisterWindowClass(L"BkNotifyingChild", &DefWindowProc, 0, IDC_ARROW);
    const HWND child =
        CreateWindowEx(0, L"BkNotifyingChild", L"", WS_CHILD, 0, 0, 10, 10, view, 77, nullptr);
    ASSERT_NE(child, nullptr);
    ASSERT_TRUE(GetUpdateRegion(view).IsEmpty());

    // Only the NMHDR exists; the view must not read an element record behind it.
    auto header = std::make_unique<NMHDR>(NMHDR{child, 77, NOTIFY_INVALIDATE});
    SendMessage(view, WM_NOTIFY, 77, LPARAM(header.get()));
    EXPECT_EQ(dialog.viewCodes, (std::vector<UINT>{NOTIFY_INVALIDATE}));
    EXPECT_EQ(dialog.notifyRecords.back(), LPARAM(header.get()));
    EXPECT_TRUE(GetUpdateRegion(view).IsEmpty());

    // An element's own record still repaints its rectangle and stays with the view.
    dialog.view.FindElement(21)->NotifyInvalidateRect({10, 41, 60, 71});
    EXPECT_TRUE(GetUpdateRegion(view).Contains({20, 50}));
    EXPECT_EQ(dialog.viewCodes.size(), 1u);
    DestroyWindow(child);
}

// The owner-draw records reach the control they name, reflected by the dialog view; a menu's
// (control id 0) and a record naming no window are left to the default handling.
#include "BkTestDialog.h"

#include "platform/core/MessageLoop.h"
#include "platform/core/Window.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Reflected {
    HWND hwnd;
    UINT msg;
    LPARAM record;
};
std::vector<Reflected> g_reflected;

LRESULT OwnerDrawControlProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg >= OCM_BASE + WM_DRAWITEM && msg <= OCM_BASE + WM_COMPAREITEM) {
        g_reflected.push_back({hwnd, msg, lParam});
        return 7;
    }
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

class OwnerDrawReflectionTest : public ::testing::Test {
protected:
    void SetUp() override {
        g_reflected.clear();
        RegisterWindowClass(L"BkOwnerDrawControl", &OwnerDrawControlProc, 0, IDC_ARROW);
        const RECT place{100, 100, 110, 110};
        hwnd = dialog.LoadLayout() ? dialog.CreateDialogWindow(nullptr, &place) : nullptr;
        ASSERT_NE(hwnd, nullptr);
        view = dialog.view.Window();
        control = CreateWindowEx(0, L"BkOwnerDrawControl", L"", WS_CHILD | WS_VISIBLE, 300, 150, 20,
                                 20, view, 42, nullptr);
        ASSERT_NE(control, nullptr);
    }
    void TearDown() override { DestroyWindow(hwnd); }

    CTestDialog dialog{9300};
    HWND hwnd = nullptr;
    HWND view = nullptr;
    HWND control = nullptr;
};

} // namespace

TEST_F(OwnerDrawReflectionTest, EachRecordGoesBackToItsControl) {
    DRAWITEMSTRUCT draw;
    draw.CtlID = 42;
    draw.hwndItem = control;
    MEASUREITEMSTRUCT measure; // names its control by id only
    measure.CtlID = 42;
    COMPAREITEMSTRUCT compare;
    compare.CtlID = 42;
    compare.hwndItem = control;
    DELETEITEMSTRUCT forget;
    forget.CtlID = 42;
    forget.hwndItem = control;

    struct Case {
        UINT msg;
        LPARAM record;
    };
    const std::vector<Case> cases{{WM_DRAWITEM, LPARAM(&draw)},
                                  {WM_MEASUREITEM, LPARAM(&measure)},
                                  {WM_COMPAREITEM, LPARAM(&compare)},
                                  {WM_DELETEITEM, LPARAM(&forget)}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.msg);
        g_reflected.clear();
        EXPECT_EQ(SendMessage(view, c.msg, 42, c.record), 7);
        ASSERT_EQ(g_reflected.size(), 1u);
        EXPECT_EQ(g_reflected[0].hwnd, control);
        EXPECT_EQ(g_reflected[0].msg, OCM_BASE + c.msg);
        EXPECT_EQ(g_reflected[0].record, c.record);
    }
}

TEST_F(OwnerDrawReflectionTest, MenuItemsAndRecordsWithoutAWindowAreNotReflected) {
    DRAWITEMSTRUCT menuItem; // a menu sends control id 0
    menuItem.hwndItem = control;
    EXPECT_EQ(SendMessage(view, WM_DRAWITEM, 0, LPARAM(&menuItem)), 0);
    DRAWITEMSTRUCT gone;
    gone.CtlID = 42;
    EXPECT_EQ(SendMessage(view, WM_DRAWITEM, 42, LPARAM(&gone)), 0);
    MEASUREITEMSTRUCT unknown;
    unknown.CtlID = 43;
    EXPECT_EQ(SendMessage(view, WM_MEASUREITEM, 43, LPARAM(&unknown)), 0);
    EXPECT_TRUE(g_reflected.empty());
}

#include "tests/support/TestWindow.h"
#include "tests/support/WindowOwner.h"

#include "platform/core/Input.h"
#include "platform/core/Paint.h"

#include <gtest/gtest.h>

namespace {

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;

TEST(WindowTest, CreationAndDestructionMessagesComeInTreeOrder) {
    CMessageLog log;
    CWindowOwner top(CreateTestWindow({nullptr, &log}, WS_POPUP, {0, 0, 100, 100}));
    HWND child = CreateTestWindow({nullptr, &log}, kChild, {0, 0, 50, 50}, top, 7);
    HWND grandchild = CreateTestWindow({nullptr, &log}, kChild, {0, 0, 10, 10}, child, 8);
    ASSERT_TRUE(top && child && grandchild);
    EXPECT_EQ(log.Only({WM_NCCREATE, WM_CREATE}),
              (std::vector<std::pair<HWND, UINT>>{{top, WM_NCCREATE},
                                                  {top, WM_CREATE},
                                                  {child, WM_NCCREATE},
                                                  {child, WM_CREATE},
                                                  {grandchild, WM_NCCREATE},
                                                  {grandchild, WM_CREATE}}));
    log.Clear();
    EXPECT_TRUE(DestroyWindow(top));
    EXPECT_EQ(log.Only({WM_DESTROY, WM_NCDESTROY}),
              (std::vector<std::pair<HWND, UINT>>{{top, WM_DESTROY},
                                                  {child, WM_DESTROY},
                                                  {grandchild, WM_DESTROY},
                                                  {grandchild, WM_NCDESTROY},
                                                  {child, WM_NCDESTROY},
                                                  {top, WM_NCDESTROY}}));
    EXPECT_FALSE(IsWindow(top));
    EXPECT_FALSE(IsWindow(grandchild));
    EXPECT_FALSE(DestroyWindow(top));
}

TEST(WindowTest, OwnedWindowsDieWithTheirOwnerAndHandlesAreNeverReused) {
    HWND owner = CreateTestWindow({}, WS_POPUP, {0, 0, 10, 10});
    HWND owned = CreateTestWindow({}, WS_POPUP, {0, 0, 10, 10}, owner);
    EXPECT_EQ(GetParent(owned), owner);
    EXPECT_EQ(GetWindow(owned, GW_OWNER), owner);
    DestroyWindow(owner);
    EXPECT_FALSE(IsWindow(owned));
    CWindowOwner next(CreateTestWindow({}, WS_POPUP, {0, 0, 10, 10}));
    EXPECT_NE(next, owner);
    EXPECT_NE(next, owned);
}

TEST(WindowTest, CreationFailsForUnknownClassMissingParentOrRefusal) {
    EXPECT_EQ(CreateWindowEx(0, L"NoSuchClass", L"", WS_POPUP, 0, 0, 1, 1, nullptr, 0, nullptr),
              nullptr);
    EXPECT_EQ(CreateTestWindow({}, kChild, {0, 0, 1, 1}), nullptr);
    Handler refuse = [](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
        return m == WM_CREATE ? -1 : DefWindowProc(h, m, w, l);
    };
    EXPECT_EQ(CreateTestWindow({refuse}, WS_POPUP, {0, 0, 1, 1}), nullptr);
}

TEST(WindowTest, AttributesIdsPropertiesAndText) {
    HWND top = CreateTestWindow({}, WS_POPUP, {0, 0, 100, 100});
    HWND a = CreateTestWindow({}, kChild, {0, 0, 5, 5}, top, 101);
    HWND b = CreateTestWindow({}, kChild, {0, 0, 5, 5}, top, 102);
    EXPECT_EQ(GetDlgItem(top, 102), b);
    EXPECT_EQ(GetDlgItem(top, 103), nullptr);
    EXPECT_EQ(GetDlgCtrlID(a), 101);
    EXPECT_TRUE(IsChild(top, a));
    EXPECT_FALSE(IsChild(a, top));
    EXPECT_EQ(GetAncestor(a, GA_ROOT), top);

    int value = 5;
    EXPECT_TRUE(SetProp(a, L"WndX", &value));
    EXPECT_EQ(GetProp(a, L"WndX"), &value);
    EXPECT_EQ(RemoveProp(a, L"WndX"), &value);
    EXPECT_EQ(GetProp(a, L"WndX"), nullptr);

    EXPECT_TRUE(SetWindowText(top, L"通道 title"));
    EXPECT_EQ(GetWindowText(top), L"通道 title");
    EXPECT_EQ(GetWindowLongPtr(a, GWL_STYLE) & WS_CHILD, LPARAM(WS_CHILD));
    DestroyWindow(top);
    EXPECT_EQ(GetWindowText(top), L"");
}

LRESULT BaseProc(HWND h, UINT m, WPARAM w, LPARAM l) {
    return m == WM_USER ? 10 : DefWindowProc(h, m, w, l);
}
WNDPROC g_superBase = nullptr;
LRESULT SuperProc(HWND h, UINT m, WPARAM w, LPARAM l) {
    return m == WM_USER ? 1 + CallWindowProc(g_superBase, h, m, w, l)
                        : CallWindowProc(g_superBase, h, m, w, l);
}

TEST(WindowTest, SuperclassingKeepsTheBaseBehaviourBehindTheNewProcedure) {
    WNDCLASS base;
    base.lpfnWndProc = BaseProc;
    base.lpszClassName = L"BaseClassForTest";
    ASSERT_TRUE(RegisterClass(base));
    EXPECT_FALSE(RegisterClass(base));
    WNDCLASS super;
    ASSERT_TRUE(GetClassInfo(L"BaseClassForTest", &super));
    g_superBase = super.lpfnWndProc;
    super.lpfnWndProc = SuperProc;
    super.lpszClassName = L"SuperClassForTest";
    ASSERT_TRUE(RegisterClass(super));
    CWindowOwner h(
        CreateWindowEx(0, L"SuperClassForTest", L"", WS_POPUP, 0, 0, 1, 1, nullptr, 0, nullptr));
    EXPECT_EQ(SendMessage(h, WM_USER, 0, 0), 11);
    EXPECT_EQ(GetClassName(h), L"SuperClassForTest");
}

TEST(WindowTest, SetWindowPosReportsMoveAndSizeAndConvertsCoordinates) {
    CMessageLog log;
    CWindowOwner top(CreateTestWindow({}, WS_POPUP | WS_VISIBLE, {100, 50, 300, 250}));
    HWND child = CreateTestWindow({nullptr, &log}, kChild, {10, 20, 60, 70}, top);
    log.Clear();
    EXPECT_TRUE(SetWindowPos(child, nullptr, 15, 25, 40, 30, SWP_NOZORDER));
    EXPECT_EQ(log.Only({WM_WINDOWPOSCHANGED, WM_MOVE, WM_SIZE}),
              (std::vector<std::pair<HWND, UINT>>{
                  {child, WM_WINDOWPOSCHANGED}, {child, WM_MOVE}, {child, WM_SIZE}}));
    auto sizes = log.Entries();
    for (auto& e : sizes) {
        if (e.msg == WM_SIZE) {
            EXPECT_EQ(e.lParam, MAKELPARAM(40, 30));
        }
    }
    RECT r;
    GetWindowRect(child, &r);
    EXPECT_EQ(r, (RECT{115, 75, 155, 105}));
    GetClientRect(child, &r);
    EXPECT_EQ(r, (RECT{0, 0, 40, 30}));
    POINT p{1, 2};
    ClientToScreen(child, &p);
    EXPECT_EQ(p, (POINT{116, 77}));
    ScreenToClient(top, &p);
    EXPECT_EQ(p, (POINT{16, 27}));

    log.Clear();
    SetWindowPos(child, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
    EXPECT_EQ(log.Count(WM_SIZE), 0);
    EXPECT_EQ(log.Count(WM_MOVE), 0);
}

TEST(WindowTest, ShowHideEnableAndMaximiseToTheWorkArea) {
    CMessageLog log;
    CWindowOwner top(CreateTestWindow({nullptr, &log}, WS_POPUP, {0, 0, 100, 100}));
    HWND child = CreateTestWindow({}, kChild, {0, 0, 10, 10}, top);
    EXPECT_FALSE(IsWindowVisible(child)); // the parent is hidden
    EXPECT_FALSE(ShowWindow(top, SW_SHOW));
    EXPECT_TRUE(IsWindowVisible(child));
    EXPECT_EQ(log.Count(WM_SHOWWINDOW, top), 1);
    EXPECT_TRUE(ShowWindow(top, SW_HIDE));
    EXPECT_FALSE(IsWindowVisible(top));

    EXPECT_FALSE(EnableWindow(top, false));
    EXPECT_FALSE(IsWindowEnabled(top));
    EXPECT_TRUE(EnableWindow(top, true));

    ShowWindow(top, SW_SHOWMAXIMIZED);
    EXPECT_TRUE(IsZoomed(top));
    RECT r;
    GetWindowRect(top, &r);
    EXPECT_EQ(r,
              (RECT{0, 0, GetSystemMetrics(SM_CXFULLSCREEN), GetSystemMetrics(SM_CYFULLSCREEN)}));
    ShowWindow(top, SW_RESTORE);
    GetWindowRect(top, &r);
    EXPECT_EQ(r, (RECT{0, 0, 100, 100}));
    ShowWindow(top, SW_SHOWMINIMIZED);
    EXPECT_TRUE(IsIconic(top));
    EXPECT_FALSE(IsWindowVisible(child));
}

TEST(WindowTest, ZOrderAmongSiblingsAndTopLevels) {
    CWindowOwner a(CreateTestWindow({}, WS_POPUP | WS_VISIBLE, {0, 0, 50, 50}));
    CWindowOwner b(CreateTestWindow({}, WS_POPUP | WS_VISIBLE, {0, 0, 50, 50}));
    CWindowOwner topmost(
        CreateTestWindow({}, WS_POPUP | WS_VISIBLE, {40, 40, 60, 60}, nullptr, 0, WS_EX_TOPMOST));
    BringWindowToTop(a);
    EXPECT_EQ(WindowFromPoint({10, 10}), a);
    BringWindowToTop(b);
    EXPECT_EQ(WindowFromPoint({10, 10}), b);
    EXPECT_EQ(WindowFromPoint({45, 45}), topmost); // a normal window never rises above it

    HWND c1 = CreateTestWindow({}, kChild, {0, 0, 20, 20}, a);
    HWND c2 = CreateTestWindow({}, kChild, {0, 0, 20, 20}, a);
    BringWindowToTop(a);
    EXPECT_EQ(WindowFromPoint({5, 5}), c1); // the first child is on top
    BringWindowToTop(c2);
    EXPECT_EQ(WindowFromPoint({5, 5}), c2);
    EXPECT_EQ(GetWindow(a, GW_CHILD), c2);
}

TEST(WindowTest, WindowRegionShapesHitTesting) {
    CWindowOwner top(CreateTestWindow({}, WS_POPUP | WS_VISIBLE, {0, 0, 20, 20}));
    CRegion shape = CRegion({2, 0, 18, 20}).Union(CRegion({0, 2, 20, 18}));
    SetWindowRgn(top, &shape, false);
    EXPECT_EQ(WindowFromPoint({0, 0}), nullptr);
    EXPECT_EQ(WindowFromPoint({1, 5}), top);
    CRegion back;
    EXPECT_TRUE(GetWindowRgn(top, &back));
    EXPECT_EQ(back, shape);
}

TEST(WindowTest, MetricsComeFromTheScreen) {
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1280);
    EXPECT_EQ(GetSystemMetrics(SM_CYFULLSCREEN), 760);
    EXPECT_EQ(GetSystemMetrics(SM_CXSMICON), 16);
    MONITORINFO mi;
    GetMonitorInfo(nullptr, &mi);
    EXPECT_EQ(mi.rcWork, (RECT{0, 0, 1280, 760}));
}

} // namespace

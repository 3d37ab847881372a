// The edit's messages: text, selection, dialog codes, and superclassing the class.
#include "EditFixture.h"

#include "platform/core/DialogMessage.h"
#include "platform/core/Input.h"
#include "platform/core/headless/HeadlessScreen.h"

#include <gtest/gtest.h>

namespace {

TEST(EditMessagesTest, TextGoesInAndOut) {
    CEditFixture fixture(ES_AUTOHSCROLL, L"created");
    EXPECT_EQ(fixture.Text(), L"created");
    EXPECT_EQ(SendMessage(fixture.Edit(), WM_GETTEXTLENGTH, 0, 0), 7);
    EXPECT_EQ(SendMessage(fixture.Edit(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"录像目录")), 1);
    EXPECT_EQ(fixture.Text(), L"录像目录");

    wchar_t small[3] = {L'x', L'x', L'x'};
    EXPECT_EQ(SendMessage(fixture.Edit(), WM_GETTEXT, 3, reinterpret_cast<LPARAM>(small)), 2);
    EXPECT_EQ(WString(small), L"录像");
    EXPECT_EQ(SendMessage(fixture.Edit(), WM_GETTEXT, 0, reinterpret_cast<LPARAM>(small)), 0);

    SendMessage(fixture.Edit(), WM_SETTEXT, 0, 0);
    EXPECT_EQ(fixture.Text(), L"");
    // Setting the text leaves the caret at the start with nothing selected.
    SetWindowText(fixture.Edit(), L"abc");
    EXPECT_EQ(fixture.Selection(), std::make_pair(DWORD(0), DWORD(0)));
}

TEST(EditMessagesTest, SetSelAndGetSel) {
    struct Case {
        int anchor;
        int caret;
        std::pair<DWORD, DWORD> expected;
    };
    const Case cases[] = {
        {1, 3, {1, 3}},   {3, 1, {1, 3}}, {0, -1, {0, 6}}, {2, 100, {2, 6}},
        {50, 60, {6, 6}}, {0, 1, {0, 1}}, {-1, 0, {4, 4}}, // -1 keeps the caret, drops the rest
    };
    CEditFixture fixture(ES_AUTOHSCROLL, L"abcdef");
    for (const Case& c : cases) {
        SendMessage(fixture.Edit(), EM_SETSEL, 2, 4);
        SendMessage(fixture.Edit(), EM_SETSEL, WPARAM(c.anchor), c.caret);
        EXPECT_EQ(fixture.Selection(), c.expected) << c.anchor << ", " << c.caret;
        EXPECT_EQ(SendMessage(fixture.Edit(), EM_GETSEL, 0, 0),
                  MAKELPARAM(int(c.expected.first), int(c.expected.second)));
    }
    // The anchor stays where it was set: Shift+Left from a backwards selection grows it.
    fixture.Focus();
    SendMessage(fixture.Edit(), EM_SETSEL, 4, 2);
    Press({ShiftKey(VK_LEFT)});
    EXPECT_EQ(fixture.Selection(), std::make_pair(DWORD(1), DWORD(4)));
    // An empty edit selects the range 0 to 1 as 0 to 0.
    SetWindowText(fixture.Edit(), L"");
    SendMessage(fixture.Edit(), EM_SETSEL, 0, 1);
    EXPECT_EQ(fixture.Selection(), std::make_pair(DWORD(0), DWORD(0)));
}

TEST(EditMessagesTest, DialogCodes) {
    struct Case {
        DWORD style;
        WPARAM key;
        bool wantsAllKeys;
    };
    const Case cases[] = {
        {ES_AUTOHSCROLL, VK_RETURN, false},
        {ES_MULTILINE, VK_RETURN, false},
        {ES_MULTILINE | ES_WANTRETURN, VK_RETURN, true},
        {ES_MULTILINE | ES_WANTRETURN, VK_ESCAPE, false},
        {ES_MULTILINE | ES_WANTRETURN, VK_TAB, false},
    };
    for (const Case& c : cases) {
        CEditFixture fixture(c.style);
        MSG msg;
        msg.hwnd = fixture.Edit();
        msg.message = WM_KEYDOWN;
        msg.wParam = c.key;
        const LRESULT code =
            SendMessage(fixture.Edit(), WM_GETDLGCODE, c.key, reinterpret_cast<LPARAM>(&msg));
        EXPECT_EQ((code & DLGC_WANTALLKEYS) != 0, c.wantsAllKeys) << c.style << " " << c.key;
        EXPECT_EQ(code & (DLGC_WANTCHARS | DLGC_WANTARROWS | DLGC_HASSETSEL),
                  DLGC_WANTCHARS | DLGC_WANTARROWS | DLGC_HASSETSEL);
    }
}

TEST(EditMessagesTest, EnterInADialogBreaksTheLineOnlyWithWantReturn) {
    for (const DWORD style : {DWORD(ES_MULTILINE | ES_WANTRETURN), DWORD(ES_MULTILINE)}) {
        CEditFixture fixture(style, L"ab");
        fixture.Focus();
        SendMessage(fixture.Edit(), EM_SETSEL, 1, 1);
        headless::TapKey(VK_RETURN);
        MSG msg;
        while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            IsDialogMessage(fixture.Top(), &msg);
        }
        const bool wantsReturn = (style & ES_WANTRETURN) != 0;
        EXPECT_EQ(fixture.Text(), wantsReturn ? L"a\r\nb" : L"ab");
        int oks = 0;
        for (const CMessageLog::Entry& e : fixture.Log().Entries()) {
            oks += e.msg == WM_COMMAND && e.wParam == WPARAM(IDOK);
        }
        EXPECT_EQ(oks, wantsReturn ? 0 : 1);
    }
}

// A superclass as the skinned edit element makes it: the class information of "Edit" with its
// own procedure, which looks at each message and hands it on to the saved one.
WNDPROC g_editProc = nullptr;
std::vector<UINT> g_seen;

LRESULT SuperclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    g_seen.push_back(msg);
    if (msg == WM_NCCREATE) {
        SetProp(hwnd, L"WndX", reinterpret_cast<CREATESTRUCT*>(lParam)->lpCreateParams);
    }
    const LRESULT result = CallWindowProc(g_editProc, hwnd, msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        RemoveProp(hwnd, L"WndX");
    }
    return result;
}

TEST(EditMessagesTest, SuperclassHandsEverythingOnToTheEditProcedure) {
    WNDCLASS wc;
    ASSERT_TRUE(GetClassInfo(L"Edit", &wc));
    g_editProc = wc.lpfnWndProc;
    wc.lpfnWndProc = SuperclassProc;
    wc.lpszClassName = L"BkEditTest";
    ASSERT_TRUE(RegisterClass(wc));

    CEditFixture fixture(0);
    int element = 0;
    HWND edit = CreateWindowEx(0, L"BkEditTest", L"", WS_CHILD | WS_VISIBLE | 0x500100C0 | 0x20, 10,
                               50, 200, 24, fixture.Top(), 10066, &element);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(GetProp(edit, L"WndX"), &element);
    SendMessage(edit, EM_LIMITTEXT, 4, 0);
    SetWindowText(edit, L"pw");
    SendMessage(edit, EM_SETMODIFY, 0, 0);

    SetFocus(edit);
    headless::PumpMessages();
    SendMessage(edit, EM_SETSEL, 2, 2);
    Press({Typed(L"abc")});
    EXPECT_EQ(GetWindowText(edit), L"pwab");
    EXPECT_EQ(SendMessage(edit, EM_GETMODIFY, 0, 0), 1);
    EXPECT_NE(std::count(g_seen.begin(), g_seen.end(), WM_CHAR), 0);
    EXPECT_NE(std::count(g_seen.begin(), g_seen.end(), WM_PAINT), 0);

    // The class's cursor and double-click style come along.
    const POINT p = [&] {
        POINT q{5, 5};
        ClientToScreen(edit, &q);
        return q;
    }();
    headless::MoveMouse(p.x, p.y);
    headless::PumpMessages();
    EXPECT_EQ(GetCursor(), IDC_IBEAM);
    headless::DoubleClick(p.x, p.y);
    headless::PumpMessages();
    EXPECT_NE(std::count(g_seen.begin(), g_seen.end(), WM_LBUTTONDBLCLK), 0);

    int changes = 0;
    for (const CMessageLog::Entry& e : fixture.Log().Entries()) {
        changes += e.msg == WM_COMMAND && e.wParam == WPARAM(MAKELPARAM(10066, EN_CHANGE)) &&
                   reinterpret_cast<HWND>(e.lParam) == edit;
    }
    EXPECT_EQ(changes, 3); // the set text and two typed characters; the third did not fit

    DestroyWindow(edit);
    EXPECT_EQ(g_seen.back(), WM_NCDESTROY);
    UnregisterClass(L"BkEditTest");
}

} // namespace

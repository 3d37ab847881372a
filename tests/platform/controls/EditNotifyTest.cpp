// EN_UPDATE / EN_CHANGE and the other notifications the parent receives.
#include "EditFixture.h"

#include "platform/core/Input.h"

#include <gtest/gtest.h>

namespace {

using Codes = std::vector<WORD>;

TEST(EditNotifyTest, EachUserChangeSendsUpdateThenChange) {
    CEditFixture fixture(ES_AUTOHSCROLL);
    fixture.Focus();
    EXPECT_EQ(fixture.Notifications(), Codes{EN_SETFOCUS});
    fixture.ClearNotifications();

    Press({Typed(L"ab")});
    EXPECT_EQ(fixture.Notifications(), (Codes{EN_UPDATE, EN_CHANGE, EN_UPDATE, EN_CHANGE}));
    fixture.ClearNotifications();

    Press({Key(VK_BACK), ShiftKey(VK_HOME), Key(VK_DELETE)});
    EXPECT_EQ(fixture.Notifications(), (Codes{EN_UPDATE, EN_CHANGE, EN_UPDATE, EN_CHANGE}));
    EXPECT_EQ(fixture.Text(), L"");
}

TEST(EditNotifyTest, NothingChangedSendsNothing) {
    CEditFixture fixture(ES_AUTOHSCROLL, L"abc");
    fixture.Focus();
    SendMessage(fixture.Edit(), EM_SETSEL, 0, 0);
    fixture.ClearNotifications();
    Press({Key(VK_BACK), Key(VK_RIGHT), ShiftKey(VK_END), ControlKey('A'), ControlKey('C'),
           Key(VK_HOME)});
    SendMessage(fixture.Edit(), EM_SETSEL, 1, 2);
    SendMessage(fixture.Edit(), EM_SETMARGINS, EC_LEFTMARGIN, MAKELPARAM(4, 0));
    EXPECT_EQ(fixture.Notifications(), Codes{});
}

TEST(EditNotifyTest, RefusedInputSendsNoChange) {
    struct Case {
        DWORD style;
        size_t limit;
        Codes expected;
    };
    const Case cases[] = {
        {ES_AUTOHSCROLL | ES_READONLY, 0, {}},
        {ES_AUTOHSCROLL | ES_NUMBER, 0, {}},
        {ES_AUTOHSCROLL, 2, {EN_MAXTEXT}},
    };
    for (const Case& c : cases) {
        CEditFixture fixture(c.style, L"12");
        if (c.limit) {
            SendMessage(fixture.Edit(), EM_LIMITTEXT, c.limit, 0);
        }
        fixture.Focus();
        SendMessage(fixture.Edit(), EM_SETSEL, 2, 2);
        fixture.ClearNotifications();
        Press({Typed(L"x")});
        EXPECT_EQ(fixture.Notifications(), c.expected) << "style " << c.style;
        EXPECT_EQ(fixture.Text(), L"12");
    }
}

TEST(EditNotifyTest, SetTextNotifiesAsTheClassicControlDoes) {
    CEditFixture line(ES_AUTOHSCROLL);
    SetWindowText(line.Edit(), L"one");
    EXPECT_EQ(line.Notifications(), (Codes{EN_UPDATE, EN_CHANGE}));

    CEditFixture lines(ES_MULTILINE | ES_WANTRETURN);
    SetWindowText(lines.Edit(), L"one\r\ntwo");
    EXPECT_EQ(lines.Notifications(), Codes{EN_UPDATE});
    EXPECT_EQ(lines.Text(), L"one\r\ntwo");
}

TEST(EditNotifyTest, ParentReadsTheNewTextOnChange) {
    std::vector<WString> seen;
    HWND edit = nullptr;
    CEditFixture fixture(ES_AUTOHSCROLL, L"",
                         [&](HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
                             if (msg == WM_COMMAND && HIWORD(wParam) == EN_CHANGE) {
                                 seen.push_back(GetWindowText(edit));
                             }
                             return DefWindowProc(hwnd, msg, wParam, lParam);
                         });
    edit = fixture.Edit();
    fixture.Focus();
    Press({Typed(L"h中"), Key(VK_BACK)});
    EXPECT_EQ(seen, (std::vector<WString>{L"h", L"h中", L"h"}));
}

TEST(EditNotifyTest, ParentMayDestroyTheEditWhileNotified) {
    // A parent that closes the field on the first change must not crash the edit, which is
    // still inside its own handling of the key.
    HWND edit = nullptr;
    CEditFixture fixture(ES_AUTOHSCROLL, L"",
                         [&](HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
                             if (msg == WM_COMMAND && HIWORD(wParam) == EN_UPDATE) {
                                 DestroyWindow(edit);
                             }
                             return DefWindowProc(hwnd, msg, wParam, lParam);
                         });
    edit = fixture.Edit();
    fixture.Focus();
    Press({Typed(L"abc")});
    EXPECT_FALSE(IsWindow(edit));
}

TEST(EditNotifyTest, FocusChangesAreReported) {
    CEditFixture fixture(ES_AUTOHSCROLL);
    fixture.Focus();
    SetFocus(fixture.Top());
    EXPECT_EQ(fixture.Notifications(), (Codes{EN_SETFOCUS, EN_KILLFOCUS}));
}

} // namespace

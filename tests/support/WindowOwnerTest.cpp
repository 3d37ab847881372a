#include "tests/support/WindowOwner.h"

#include "tests/support/TestWindow.h"

#include <gtest/gtest.h>

namespace {

HWND NewWindow() {
    return CreateTestWindow({}, WS_POPUP, {0, 0, 10, 10});
}

TEST(WindowOwnerTest, DestroysItsWindowAtTheEndOfTheScope) {
    HWND hwnd = nullptr;
    {
        CWindowOwner owner(NewWindow());
        hwnd = owner;
        ASSERT_TRUE(IsWindow(hwnd));
    }
    EXPECT_FALSE(IsWindow(hwnd));
}

TEST(WindowOwnerTest, MovingHandsTheWindowOverAndAssignmentDestroysTheOneReplaced) {
    CWindowOwner first(NewWindow());
    const HWND firstWindow = first.Get();
    CWindowOwner second(NewWindow());
    const HWND secondWindow = second.Get();
    {
        CWindowOwner moved(std::move(first));
        EXPECT_EQ(moved.Get(), firstWindow);
        EXPECT_EQ(first.Get(), nullptr);
        second = std::move(moved);
        EXPECT_FALSE(IsWindow(secondWindow));
    }
    EXPECT_TRUE(IsWindow(firstWindow)); // the emptied owner left it to `second`
    EXPECT_EQ(second.Get(), firstWindow);
}

} // namespace

#include "tests/support/TestWindow.h"
#include "tests/support/WindowOwner.h"

#include "platform/controls/Static.h"
#include "platform/core/PaintDC.h"
#include "platform/draw/Gdi.h"

#include <gtest/gtest.h>

namespace {

TEST(StaticTest, PictureControlShowsTheBitmapItWasGiven) {
    CWindowOwner top(CreateTestWindow({}, WS_POPUP | WS_VISIBLE, {0, 0, 8, 8}));
    HWND picture = CreateWindowEx(0, L"Static", L"", WS_CHILD | WS_VISIBLE | SS_BITMAP, 2, 2, 4, 4,
                                  top, 10032, nullptr);
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(SendMessage(picture, STM_GETIMAGE, IMAGE_BITMAP, 0), 0);

    HBITMAP red = CreateCompatibleBitmap(nullptr, 4, 4);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x) {
            *red->Span32(x, y) = 0x00FF0000;
        }
    }
    EXPECT_EQ(SendMessage(picture, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(red)), 0);
    EXPECT_EQ(SendMessage(picture, STM_GETIMAGE, IMAGE_BITMAP, 0), reinterpret_cast<LRESULT>(red));
    Pump();
    const CBitmap* surface = GetWindowSurface(top);
    ASSERT_NE(surface, nullptr);
    EXPECT_EQ(reinterpret_cast<const std::uint32_t*>(surface->Row(3))[3] & 0xFFFFFF, 0xFF0000u);

    HBITMAP previous =
        reinterpret_cast<HBITMAP>(SendMessage(picture, STM_SETIMAGE, IMAGE_BITMAP, 0));
    EXPECT_EQ(previous, red); // the caller gets it back to delete
    DeleteObject(red);
}

} // namespace

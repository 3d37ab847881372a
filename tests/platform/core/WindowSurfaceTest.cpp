#include "tests/support/Canvas.h"

#include "platform/core/MessageLoop.h"
#include "platform/core/Paint.h"
#include "platform/core/PaintDC.h"
#include "platform/core/Screenshot.h"
#include "platform/core/Window.h"
#include "platform/core/headless/HeadlessScreen.h"

#include <png.h>

#include <filesystem>

namespace {

// Each window paints itself in the colour kept in its user data, and crosses its client
// area with a line that would leave it if it were not clipped.
LRESULT PaintProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg != WM_PAINT) {
        return DefWindowProc(hwnd, msg, wParam, lParam);
    }
    PAINTSTRUCT ps;
    HDC hdc = BeginPaint(hwnd, &ps);
    EXPECT_FALSE(DeleteDC(hdc)); // EndPaint owns it
    if (hdc) {
        RECT client;
        GetClientRect(hwnd, &client);
        CGdiHandle<HBRUSH> brush(CreateSolidBrush(COLORREF(GetWindowLongPtr(hwnd, GWLP_USERDATA))));
        RECT everywhere{-100, -100, 1000, 1000};
        FillRect(hdc, &everywhere, brush);
        MoveToEx(hdc, -50, 2, nullptr);
        LineTo(hdc, 500, 2);
    }
    EndPaint(hwnd, &ps);
    return 0;
}

class WindowSurfaceTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        WNDCLASS wc;
        wc.lpfnWndProc = PaintProc;
        wc.lpszClassName = L"SurfaceTestWindow";
        RegisterClass(wc);
    }
    HWND Make(DWORD style, int x, int y, int w, int h, HWND parent, COLORREF colour) {
        HWND hwnd =
            CreateWindowEx(0, L"SurfaceTestWindow", L"", style, x, y, w, h, parent, 1, nullptr);
        SetWindowLongPtr(hwnd, GWLP_USERDATA, LPARAM(colour));
        InvalidateRect(hwnd, nullptr, false);
        return hwnd;
    }
    void TearDown() override {
        for (HWND h : m_windows) {
            DestroyWindow(h);
        }
    }
    static COLORREF SurfaceAt(HWND top, int x, int y) {
        const CBitmap* surface = GetWindowSurface(top);
        std::uint32_t p = 0;
        surface->ReadSpan(x, y, 1, &p);
        return RGB(BYTE(p >> 16), BYTE(p >> 8), BYTE(p));
    }
    std::vector<HWND> m_windows;
};

std::vector<std::uint8_t> ReadRgb(const std::string& path, int& width, int& height) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) {
        return {};
    }
    image.format = PNG_FORMAT_RGB;
    std::vector<std::uint8_t> pixels(PNG_IMAGE_SIZE(image));
    png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr);
    width = int(image.width);
    height = int(image.height);
    return pixels;
}

TEST_F(WindowSurfaceTest, ChildrenPaintAtTheirOffsetClippedToThemselves) {
    HWND top = Make(WS_POPUP | WS_VISIBLE, 100, 50, 40, 30, nullptr, kBlue);
    HWND child = Make(WS_CHILD | WS_VISIBLE, 10, 5, 12, 8, top, kRed);
    m_windows.push_back(top);
    headless::PumpMessages();
    const CBitmap* surface = GetWindowSurface(top);
    ASSERT_NE(surface, nullptr);
    EXPECT_EQ(surface->Width(), 40);
    EXPECT_EQ(surface->Height(), 30);
    EXPECT_EQ(SurfaceAt(top, 0, 0), kBlue);
    EXPECT_EQ(SurfaceAt(top, 10, 5), kRed);
    EXPECT_EQ(SurfaceAt(top, 21, 12), kRed);
    EXPECT_EQ(SurfaceAt(top, 22, 12), kBlue);
    EXPECT_EQ(SurfaceAt(top, 21, 13), kBlue);
    EXPECT_EQ(SurfaceAt(top, 10, 7), kBlack); // the child's line, at its own y = 2
    EXPECT_EQ(SurfaceAt(top, 9, 7), kBlue);
    EXPECT_EQ(SurfaceAt(top, 39, 2), kBlack);

    // Repainting only the child leaves the parent's pixels as they are.
    SetWindowLongPtr(top, GWLP_USERDATA, LPARAM(kGreen));
    SetWindowLongPtr(child, GWLP_USERDATA, LPARAM(kWhite));
    InvalidateRect(child, nullptr, false);
    headless::PumpMessages();
    EXPECT_EQ(SurfaceAt(top, 12, 6), kWhite);
    EXPECT_EQ(SurfaceAt(top, 0, 0), kBlue);
    (void)child;
}

TEST_F(WindowSurfaceTest, SurfacesFollowTheWindowSize) {
    HWND top = Make(WS_POPUP | WS_VISIBLE, 0, 0, 20, 10, nullptr, kRed);
    m_windows.push_back(top);
    headless::PumpMessages();
    SetWindowPos(top, nullptr, 0, 0, 30, 16, 0x0002 /* SWP_NOMOVE */ | 0x0004 /* SWP_NOZORDER */);
    InvalidateRect(top, nullptr, false);
    headless::PumpMessages();
    const CBitmap* surface = GetWindowSurface(top);
    ASSERT_NE(surface, nullptr);
    EXPECT_EQ(surface->Width(), 30);
    EXPECT_EQ(surface->Height(), 16);
    EXPECT_EQ(SurfaceAt(top, 29, 15), kRed);
}

TEST_F(WindowSurfaceTest, ScreenshotsOfAWindowAndOfTheScreen) {
    HWND below = Make(WS_POPUP | WS_VISIBLE, 10, 10, 20, 20, nullptr, kRed);
    HWND above = Make(WS_POPUP | WS_VISIBLE, 20, 20, 20, 20, nullptr, kBlue);
    HWND child = Make(WS_CHILD | WS_VISIBLE, 4, 4, 6, 5, above, kGreen);
    m_windows = {below, above};
    BringWindowToTop(above);
    headless::PumpMessages();
    const std::string dir = std::filesystem::temp_directory_path().string();
    int w = 0, h = 0;

    ASSERT_TRUE(WriteWindowPng(child, dir + "/vistrel_child.png"));
    std::vector<std::uint8_t> pixels = ReadRgb(dir + "/vistrel_child.png", w, h);
    EXPECT_EQ(w, 6);
    EXPECT_EQ(h, 5);
    EXPECT_EQ(pixels[std::size_t((4 * w + 5) * 3 + 1)], 255); // green, bottom right

    ASSERT_TRUE(WriteScreenPng(dir + "/vistrel_screen.png"));
    pixels = ReadRgb(dir + "/vistrel_screen.png", w, h);
    const RECT screen = Backend().ScreenRect();
    ASSERT_EQ(w, screen.Width());
    ASSERT_EQ(h, screen.Height());
    auto at = [&](int x, int y) {
        const std::uint8_t* p = &pixels[std::size_t((y * w + x) * 3)];
        return RGB(p[0], p[1], p[2]);
    };
    EXPECT_EQ(at(12, 15), kRed);
    EXPECT_EQ(at(22, 26), kBlue);  // the upper window covers the lower one
    EXPECT_EQ(at(25, 22), kBlack); // its line
    EXPECT_EQ(at(24, 27), kGreen);
    EXPECT_NE(at(5, 5), kRed);
    EXPECT_FALSE(WriteScreenPng("/nonexistent-dir/screen.png"));
    std::filesystem::remove(dir + "/vistrel_child.png");
    std::filesystem::remove(dir + "/vistrel_screen.png");
}

} // namespace

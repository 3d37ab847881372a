// Draws a page of everything the drawing layer does into a headless window and writes it to
// a PNG file: draw-demo [OUTPUT.png]
#include "DemoPage.h"
#include "platform/controls/StandardClasses.h"

#include "platform/core/MessageLoop.h"
#include "platform/core/Paint.h"
#include "platform/core/Screenshot.h"
#include "platform/core/Window.h"
#include "platform/core/headless/HeadlessScreen.h"

#include <cstdio>
#include <string>

namespace {

LRESULT PageProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC hdc = BeginPaint(hwnd, &ps);
        if (hdc) {
            DrawMainPage(hdc);
        }
        EndPaint(hwnd, &ps);
        return 0;
    }
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

LRESULT TextPanelProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC hdc = BeginPaint(hwnd, &ps);
        RECT client{};
        GetClientRect(hwnd, &client);
        if (hdc) {
            DrawTextPanel(hdc, client);
        }
        EndPaint(hwnd, &ps);
        return 0;
    }
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

} // namespace

int main(int argc, char** argv) {
    InitStandardClasses();
    const std::string output = argc > 1 ? argv[1] : "draw-demo.png";
    WNDCLASS page;
    page.lpfnWndProc = PageProc;
    page.lpszClassName = L"DrawDemoPage";
    WNDCLASS panel;
    panel.lpfnWndProc = TextPanelProc;
    panel.lpszClassName = L"DrawDemoTextPanel";
    if (!RegisterClass(page) || !RegisterClass(panel)) {
        std::fprintf(stderr, "draw-demo: cannot register the window classes\n");
        return 1;
    }
    HWND window = CreateWindowEx(0, L"DrawDemoPage", L"Vistrel drawing demo", WS_POPUP | WS_VISIBLE,
                                 40, 30, kPageWidth, kPageHeight, nullptr, 0, nullptr);
    // The text is a child window, so it is drawn at its offset in the page's surface.
    HWND text = window ? CreateWindowEx(0, L"DrawDemoTextPanel", L"", WS_CHILD | WS_VISIBLE,
                                        kTextPanel.left, kTextPanel.top, kTextPanel.Width(),
                                        kTextPanel.Height(), window, 1, nullptr)
                       : nullptr;
    if (!text) {
        std::fprintf(stderr, "draw-demo: cannot create the demo window\n");
        return 1;
    }
    headless::PumpMessages();
    if (!WriteWindowPng(window, output)) {
        std::fprintf(stderr, "draw-demo: cannot write %s\n", output.c_str());
        return 1;
    }
    std::printf("draw-demo: wrote %s\n", output.c_str());
    DestroyWindow(window);
    return 0;
}

#include "tests/support/TestWindow.h"

#include "platform/core/headless/HeadlessScreen.h"

namespace {

LRESULT TestWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* setup = reinterpret_cast<CTestWindowSetup*>(GetWindowLongPtr(hwnd, GWLP_USERDATA));
    if (msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCT*>(lParam);
        setup = new CTestWindowSetup(*static_cast<CTestWindowSetup*>(cs->lpCreateParams));
        SetWindowLongPtr(hwnd, GWLP_USERDATA, reinterpret_cast<LPARAM>(setup));
    }
    if (!setup) {
        return DefWindowProc(hwnd, msg, wParam, lParam);
    }
    if (setup->log) {
        setup->log->Add(hwnd, msg, wParam, lParam);
    }
    const LRESULT result = setup->handler ? setup->handler(hwnd, msg, wParam, lParam)
                                          : DefWindowProc(hwnd, msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtr(hwnd, GWLP_USERDATA, 0);
        delete setup;
    }
    return result;
}

} // namespace

const WString& TestWindowClass() {
    static const WString name = [] {
        RegisterWindowClass(L"TestWindow", TestWindowProc, CS_DBLCLKS, IDC_ARROW);
        return WString(L"TestWindow");
    }();
    return name;
}

HWND CreateTestWindow(CTestWindowSetup setup, DWORD style, RECT rect, HWND parent, UINT_PTR id,
                      DWORD exStyle) {
    return CreateWindowEx(exStyle, TestWindowClass(), L"", style, rect.left, rect.top, rect.Width(),
                          rect.Height(), parent, id, &setup);
}

void Pump() {
    headless::PumpMessages();
}

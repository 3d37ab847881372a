#include "platform/core/headless/HeadlessScreen.h"

#include "platform/core/InputInjection.h"
#include "platform/core/MessageLoop.h"

CHeadlessBackend::CHeadlessBackend(RECT screen, RECT workArea)
    : m_screen(screen), m_workArea(workArea) {}

namespace headless {

void MoveMouse(int x, int y) {
    InjectMouseMove({x, y});
}
void PressButton(WPARAM button) {
    InjectMouseButton(button, true);
}
void ReleaseButton(WPARAM button) {
    InjectMouseButton(button, false);
}

void Click(int x, int y, WPARAM button) {
    MoveMouse(x, y);
    PressButton(button);
    ReleaseButton(button);
}

void DoubleClick(int x, int y, WPARAM button) {
    Click(x, y, button);
    Click(x, y, button);
}

void PressKey(WPARAM virtualKey) {
    InjectKey(virtualKey, true, {});
}
void ReleaseKey(WPARAM virtualKey) {
    InjectKey(virtualKey, false, {});
}

void TapKey(WPARAM virtualKey, const WString& text) {
    InjectKey(virtualKey, true, text);
    InjectKey(virtualKey, false, {});
}

void TypeText(const WString& text) {
    for (wchar_t c : text) {
        // Letters and digits have the virtual key of their upper-case form; others none.
        const wchar_t upper = (c >= L'a' && c <= L'z') ? wchar_t(c - L'a' + L'A') : c;
        const bool keyed =
            (upper >= L'A' && upper <= L'Z') || (upper >= L'0' && upper <= L'9') || upper == L' ';
        TapKey(keyed ? WPARAM(upper) : 0, WString(1, c));
    }
}

void PumpMessages() {
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(int(msg.wParam));
            return;
        }
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
}

} // namespace headless

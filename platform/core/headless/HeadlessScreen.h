// A virtual screen without a display, for tests and servers: a fixed screen size and work
// area, and input driven by the caller.
#pragma once

#include "platform/core/Backend.h"

#include <vector>

class CHeadlessBackend : public IBackend {
public:
    explicit CHeadlessBackend(RECT screen = {0, 0, 1280, 800}, RECT workArea = {0, 0, 1280, 760});

    RECT ScreenRect() const override { return m_screen; }
    RECT WorkArea() const override { return m_workArea; }
    void TopLevelCreated(HWND) override {}
    void TopLevelDestroyed(HWND) override {}
    void TopLevelShown(HWND, bool) override {}
    void TopLevelMoved(HWND, const RECT&) override {}
    void TopLevelTitleChanged(HWND, const WString&) override {}
    void TopLevelIconChanged(HWND, const CIcon*) override {}
    void TopLevelRegionChanged(HWND, const CRegion&) override {}
    void TopLevelRaised(HWND) override {}
    void TopLevelActivated(HWND) override {}
    void BeginUserMove(HWND) override {}
    void GrabInput(HWND, bool) override {}
    bool DockInTray(HWND) override { return false; } // a virtual screen has no tray
    void CursorChanged(HCURSOR cursor) override { m_cursor = cursor; }
    void SurfacePainted(HWND, const RECT&) override {}
    void SetClipboardText(const WString& text) override { m_clipboard = text; }
    WString ClipboardText() override { return m_clipboard; }
    int EventFd() const override { return -1; }
    void ReadEvents() override {}

    HCURSOR ShownCursor() const { return m_cursor; }

private:
    RECT m_screen;
    RECT m_workArea;
    HCURSOR m_cursor = IDC_ARROW;
    WString m_clipboard;
};

// Test input on the virtual screen, in screen coordinates.
namespace headless {
void MoveMouse(int x, int y);
void PressButton(WPARAM button = 0x0001);
void ReleaseButton(WPARAM button = 0x0001);
void Click(int x, int y, WPARAM button = 0x0001);
void DoubleClick(int x, int y, WPARAM button = 0x0001);
void PressKey(WPARAM virtualKey);
void ReleaseKey(WPARAM virtualKey);
// A press and release of the key, with the text it types.
void TapKey(WPARAM virtualKey, const WString& text = {});
// Types each character as a key press with that text.
void TypeText(const WString& text);
// Dispatches every queued message of the calling thread, including paints and due timers.
void PumpMessages();
} // namespace headless

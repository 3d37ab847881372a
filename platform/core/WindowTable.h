// The window system's shared state: every window, the registered classes, the z-order of
// top-level windows, and the focus, capture, activation and pointer state. One lock guards all
// of it; window procedures are always called with the lock released.
#pragma once

#include "platform/base/Region.h"
#include "platform/core/Input.h"
#include "platform/core/Window.h"

#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <unordered_map>
#include <vector>

struct CWindow {
    HWND hwnd = nullptr;
    WString className;
    UINT classStyle = 0;
    HCURSOR classCursor = 0;
    WNDPROC proc = nullptr;
    DWORD threadId = 0;

    HWND parent = nullptr;      // for child windows
    HWND owner = nullptr;       // for top-level windows
    std::vector<HWND> children; // z-order, top first

    DWORD style = 0;
    DWORD exStyle = 0;
    UINT_PTR id = 0;
    LPARAM userData = 0;
    RECT rect;        // in the parent's client coordinates, or on the screen for top-levels
    RECT restoreRect; // the rectangle before minimising or maximising
    WString title;
    std::map<WString, void*> props;
    std::optional<CRegion> shape; // window region, in window coordinates

    CRegion invalid; // client coordinates
    bool eraseBackground = false;
    bool destroying = false; // DestroyWindow has begun
    bool zombie = false;     // WM_NCDESTROY done; the entry only waits to be removed
    bool tracksLeave = false;

    bool IsChild() const { return (style & WS_CHILD) != 0; }
    LONG Width() const { return rect.Width(); }
    LONG Height() const { return rect.Height(); }
};

struct CClickMemory {
    HWND hwnd = nullptr;
    WPARAM button = 0;
    DWORD time = 0;
    POINT pos;
};

class CWindowTable {
public:
    static CWindowTable& Instance();

    std::mutex lock;

    // Everything below is guarded by `lock`.
    std::unordered_map<HWND, std::unique_ptr<CWindow>> windows;
    std::map<WString, WNDCLASS> classes;
    std::vector<HWND> topLevels; // z-order, top first; topmost windows come first
    HWND desktop = nullptr;
    HWND focus = nullptr;
    HWND capture = nullptr;
    HWND active = nullptr;
    HWND tracked = nullptr; // asked for WM_MOUSELEAVE
    POINT cursorPos;
    HCURSOR cursor = IDC_ARROW;
    WPARAM buttons = 0;              // MK_ bits held
    std::map<WPARAM, bool> keysDown; // as the input arrives
    std::map<WPARAM, bool> keysSeen; // as of the key message retrieved last (GetKeyState)
    CClickMemory lastClick;

    // Lookups that need `lock` held. Find answers null for unknown and destroyed windows.
    CWindow* Find(HWND hwnd);
    HWND NewHandle();
    // The window's rectangle on the screen.
    RECT ScreenRect(const CWindow& w);
    // The offset of the window's client origin on the screen.
    POINT ScreenOrigin(const CWindow& w);
    HWND Root(HWND hwnd);
    bool Visible(const CWindow& w); // it and all its ancestors are shown
    // The deepest visible window under the point; with `enabledOnly`, disabled children pass
    // the point to their parent and a disabled top-level answers null.
    HWND HitTest(POINT screenPoint, bool enabledOnly);

private:
    CWindowTable();
    HWND HitTestChildren(const CWindow& parent, POINT screenPoint, bool enabledOnly);
    bool ShapeContains(const CWindow& w, POINT screenPoint);

    std::uintptr_t m_nextHandle = 0x1000;
};

// Routes native input to windows: mouse input to the capture holder or the window under the
// pointer, keyboard input to the focus window, all posted to the target's thread.
#include "platform/core/InputInjection.h"

#include "platform/core/Input.h"
#include "platform/core/MessageLoop.h"
#include "platform/core/Timer.h"
#include "platform/core/Window.h"
#include "platform/core/WindowProcedure.h"
#include "platform/core/WindowTable.h"

#include <cstdlib>

namespace {

CWindowTable& Table() {
    return CWindowTable::Instance();
}

constexpr DWORD kDoubleClickMs = 500;
constexpr LONG kDoubleClickDistance = 2;

// The MK_ bits of buttons and modifier keys held now. Lock held.
WPARAM KeyStateBits(CWindowTable& table) {
    WPARAM bits = table.buttons;
    if (table.keysDown[VK_SHIFT]) {
        bits |= MK_SHIFT;
    }
    if (table.keysDown[VK_CONTROL]) {
        bits |= MK_CONTROL;
    }
    return bits;
}

LPARAM ClientPoint(CWindowTable& table, HWND hwnd, POINT screen) {
    const POINT o = table.ScreenOrigin(*table.Find(hwnd));
    return MAKELPARAM(screen.x - o.x, screen.y - o.y);
}

UINT ButtonMessage(WPARAM button, bool down, bool doubleClick) {
    const UINT base = button == MK_RBUTTON   ? WM_RBUTTONDOWN
                      : button == MK_MBUTTON ? WM_MBUTTONDOWN
                                             : WM_LBUTTONDOWN;
    return down ? (doubleClick ? base + 2 : base) : base + 1;
}

WPARAM ButtonKey(WPARAM button) {
    return button == MK_RBUTTON ? VK_RBUTTON : button == MK_MBUTTON ? VK_MBUTTON : VK_LBUTTON;
}

// Keys whose press types a control character even when the backend reports no text.
wchar_t ControlCharacter(WPARAM key) {
    switch (key) {
    case VK_BACK:
        return L'\b';
    case VK_TAB:
        return L'\t';
    case VK_RETURN:
        return L'\r';
    case VK_ESCAPE:
        return L'\x1B';
    default:
        return 0;
    }
}

} // namespace

void InjectMouseMove(POINT screenPoint) {
    HWND target, left = nullptr;
    LPARAM where = 0;
    WPARAM keys;
    {
        std::lock_guard guard(Table().lock);
        auto& table = Table();
        table.cursorPos = screenPoint;
        const HWND under = table.HitTest(screenPoint, true);
        if (table.tracked && table.tracked != under) {
            left = table.tracked;
            table.tracked = nullptr;
        }
        target = table.capture ? table.capture : under;
        if (target) {
            where = ClientPoint(table, target, screenPoint);
        }
        keys = KeyStateBits(table);
    }
    if (left) {
        PostMessage(left, WM_MOUSELEAVE, 0, 0);
    }
    if (target) {
        PostMessage(target, WM_MOUSEMOVE, keys, where);
    }
}

void InjectMouseButton(WPARAM button, bool down) {
    HWND target;
    UINT msg;
    LPARAM where = 0;
    WPARAM keys;
    {
        std::lock_guard guard(Table().lock);
        auto& table = Table();
        table.buttons = down ? (table.buttons | button) : (table.buttons & ~button);
        table.keysDown[ButtonKey(button)] = down;
        target = table.capture ? table.capture : table.HitTest(table.cursorPos, true);
        if (!target) {
            return;
        }
        bool doubleClick = false;
        if (down) {
            const DWORD now = GetTickCount();
            CClickMemory& last = table.lastClick;
            doubleClick = (table.Find(target)->classStyle & CS_DBLCLKS) && last.hwnd == target &&
                          last.button == button && now - last.time <= kDoubleClickMs &&
                          std::abs(last.pos.x - table.cursorPos.x) <= kDoubleClickDistance &&
                          std::abs(last.pos.y - table.cursorPos.y) <= kDoubleClickDistance;
            // A double click ends the pair; a third press starts a new one.
            last =
                doubleClick ? CClickMemory{} : CClickMemory{target, button, now, table.cursorPos};
        }
        msg = ButtonMessage(button, down, doubleClick);
        where = ClientPoint(table, target, table.cursorPos);
        keys = KeyStateBits(table);
    }
    if (down) {
        const HWND root = GetAncestor(target, GA_ROOT);
        if (root != GetActiveWindow() &&
            !(GetWindowLongPtr(root, GWL_EXSTYLE) & WS_EX_NOACTIVATE)) {
            SetActiveWindow(root);
        }
    }
    PostMessage(target, msg, keys, where);
}

void InjectMouseWheel(int delta) {
    HWND target;
    WPARAM keys;
    POINT pos;
    {
        std::lock_guard guard(Table().lock);
        auto& table = Table();
        pos = table.cursorPos;
        target = table.capture ? table.capture : table.HitTest(pos, true);
        keys = KeyStateBits(table);
    }
    if (target) {
        PostMessage(target, WM_MOUSEWHEEL, keys | (WPARAM(WORD(std::int16_t(delta))) << 16),
                    MAKELPARAM(pos.x, pos.y));
    }
}

void InjectKey(WPARAM virtualKey, bool down, const WString& text) {
    HWND target;
    bool alt;
    {
        std::lock_guard guard(Table().lock);
        auto& table = Table();
        table.keysDown[virtualKey] = down;
        target = table.focus ? table.focus : table.active;
        alt = table.keysDown[VK_MENU];
    }
    if (!target) {
        return;
    }
    const UINT msg = alt || virtualKey == VK_MENU ? (down ? WM_SYSKEYDOWN : WM_SYSKEYUP)
                                                  : (down ? WM_KEYDOWN : WM_KEYUP);
    MSG m;
    m.hwnd = target;
    m.message = msg;
    m.wParam = virtualKey;
    m.lParam = down ? 1 : LPARAM(0xC0000001u);
    m.typed = down ? (text.empty() ? ControlCharacter(virtualKey) : text[0]) : 0;
    PostPreparedMessage(m);
    // Text of several characters (an input method's result) arrives as one press and the
    // characters after it.
    for (size_t i = 1; down && i < text.size(); ++i) {
        PostMessage(target, WM_CHAR, WPARAM(text[i]), 1);
    }
}

void InjectPointerGone() {
    HWND left;
    {
        std::lock_guard guard(Table().lock);
        left = Table().tracked;
        Table().tracked = nullptr;
    }
    if (left) {
        PostMessage(left, WM_MOUSELEAVE, 0, 0);
    }
}

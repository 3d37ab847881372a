#include "platform/controls/TooltipSubclass.h"

#include "platform/controls/Tooltip.h"
#include "platform/core/Input.h"
#include "platform/core/MessageLoop.h"
#include "platform/core/Timer.h"
#include "platform/core/Window.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace {

const WString kSubclassProp = L"TooltipSubclass";

// Lives in a property of the tool window from the first subclassing until the procedure is
// given back or the window is destroyed.
struct CToolSubclass {
    WNDPROC original = nullptr;
    std::vector<HWND> tooltips;
};

CToolSubclass* Subclass(HWND hwnd) {
    return static_cast<CToolSubclass*>(GetProp(hwnd, kSubclassProp));
}

// Removes the record from the window; it is freed when the answer goes out of scope.
std::unique_ptr<CToolSubclass> TakeSubclass(HWND hwnd) {
    return std::unique_ptr<CToolSubclass>(
        static_cast<CToolSubclass*>(RemoveProp(hwnd, kSubclassProp)));
}

bool IsRelayed(UINT msg) {
    return (msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST) || msg == WM_MOUSELEAVE;
}

LRESULT SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    CToolSubclass* subclass = Subclass(hwnd);
    if (!subclass) {
        return DefWindowProc(hwnd, msg, wParam, lParam);
    }
    const WNDPROC original = subclass->original;
    if (IsRelayed(msg)) {
        MSG relayed;
        relayed.hwnd = hwnd;
        relayed.message = msg;
        relayed.wParam = wParam;
        relayed.lParam = lParam;
        relayed.time = GetTickCount();
        GetCursorPos(&relayed.pt);
        // A copy: a tooltip may go away while it handles the message.
        const std::vector<HWND> tooltips = subclass->tooltips;
        for (HWND tooltip : tooltips) {
            SendMessage(tooltip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
        }
    } else if (msg == WM_NCDESTROY) {
        SetWindowLongPtr(hwnd, GWLP_WNDPROC, reinterpret_cast<LPARAM>(original));
        TakeSubclass(hwnd);
    }
    return CallWindowProc(original, hwnd, msg, wParam, lParam);
}

} // namespace

void SubclassToolWindow(HWND toolWindow, HWND tooltip) {
    if (!IsWindow(toolWindow)) {
        return;
    }
    CToolSubclass* subclass = Subclass(toolWindow);
    if (!subclass) {
        subclass = std::make_unique<CToolSubclass>().release(); // owned by the property
        SetProp(toolWindow, kSubclassProp, subclass);
        subclass->original = reinterpret_cast<WNDPROC>(
            SetWindowLongPtr(toolWindow, GWLP_WNDPROC, reinterpret_cast<LPARAM>(&SubclassProc)));
    }
    if (std::find(subclass->tooltips.begin(), subclass->tooltips.end(), tooltip) ==
        subclass->tooltips.end()) {
        subclass->tooltips.push_back(tooltip);
    }
}

void UnsubclassToolWindow(HWND toolWindow, HWND tooltip) {
    CToolSubclass* subclass = IsWindow(toolWindow) ? Subclass(toolWindow) : nullptr;
    if (!subclass) {
        return;
    }
    std::erase(subclass->tooltips, tooltip);
    // When someone wrapped the procedure after us, ours stays in their chain and keeps
    // forwarding; the record then goes with the window.
    const auto current = reinterpret_cast<WNDPROC>(GetWindowLongPtr(toolWindow, GWLP_WNDPROC));
    if (subclass->tooltips.empty() && current == &SubclassProc) {
        SetWindowLongPtr(toolWindow, GWLP_WNDPROC, reinterpret_cast<LPARAM>(subclass->original));
        TakeSubclass(toolWindow);
    }
}

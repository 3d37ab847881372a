#include "platform/core/DialogMessage.h"

#include "platform/core/Input.h"
#include "platform/core/MessageLoop.h"
#include "platform/core/Window.h"

#include <algorithm>
#include <vector>

namespace {

// The dialog's visible, enabled tab stops in tree order.
void CollectTabStops(HWND hwnd, std::vector<HWND>& out) {
    for (HWND child = GetWindow(hwnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsWindowVisible(child) || !IsWindowEnabled(child)) {
            continue;
        }
        if (GetWindowLongPtr(child, GWL_STYLE) & WS_TABSTOP) {
            out.push_back(child);
        }
        CollectTabStops(child, out);
    }
}

void MoveFocus(HWND dialog, bool backwards) {
    std::vector<HWND> stops;
    CollectTabStops(dialog, stops);
    if (stops.empty()) {
        return;
    }
    auto at = std::find(stops.begin(), stops.end(), GetFocus());
    size_t index = at == stops.end() ? (backwards ? stops.size() - 1 : 0)
                   : backwards ? (size_t(at - stops.begin()) + stops.size() - 1) % stops.size()
                               : (size_t(at - stops.begin()) + 1) % stops.size();
    SetFocus(stops[index]);
}

} // namespace

bool IsDialogMessage(HWND dialog, MSG* msg) {
    if (!dialog || !msg->hwnd || (msg->hwnd != dialog && !IsChild(dialog, msg->hwnd))) {
        return false;
    }
    if (msg->message == WM_KEYDOWN) {
        const LRESULT wants =
            SendMessage(msg->hwnd, WM_GETDLGCODE, msg->wParam, reinterpret_cast<LPARAM>(msg));
        const bool takesAll = (wants & DLGC_WANTALLKEYS) != 0;
        switch (msg->wParam) {
        case VK_TAB:
            if (!(wants & DLGC_WANTTAB) && !takesAll) {
                MoveFocus(dialog, GetKeyState(int(VK_SHIFT)) < 0);
                return true;
            }
            break;
        case VK_RETURN:
        case VK_ESCAPE:
            if (!takesAll) {
                SendMessage(dialog, WM_COMMAND, msg->wParam == VK_RETURN ? IDOK : IDCANCEL, 0);
                return true;
            }
            break;
        default:
            break;
        }
    }
    TranslateMessage(msg);
    DispatchMessage(msg);
    return true;
}

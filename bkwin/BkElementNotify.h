// The notifications the dialog view sends its dialog window (WM_NOTIFY, wparam = the view's
// control id) and the record of an element click.
#pragma once

#include "platform/base/Messages.h"

#include <cstdint>

// The control id of every dialog view; dialogs recognise the view's notifications by it.
constexpr UINT_PTR VIEW_CTRL_ID = 1000;

constexpr UINT NOTIFY_ELEMENT_CLICK = 1;
constexpr UINT NOTIFY_VIEW_MOUSEENTER = 3;
constexpr UINT NOTIFY_VIEW_MOUSELEAVE = 4;

struct ElementNotify {
    NMHDR hdr;                     // the view (or the dialog window), VIEW_CTRL_ID, the code
    std::uint32_t itemId = 0;      // the element's id (1 Enter, 2 Esc and closing)
    const char* itemTag = nullptr; // the element's tag; "" for the keyboard and closing
};

// The clicked element's id when the message is the view's click notification, else 0.
inline std::uint32_t ClickedElement(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg != WM_NOTIFY || wParam != VIEW_CTRL_ID || !lParam) {
        return 0;
    }
    const auto* record = reinterpret_cast<const ElementNotify*>(lParam);
    return record->hdr.code == NOTIFY_ELEMENT_CLICK ? record->itemId : 0;
}

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

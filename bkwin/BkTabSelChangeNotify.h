// The record a tab control sends its host view (WM_NOTIFY, wparam = the view's control id)
// before its selection changes; the view forwards it to its dialog, whose handler may refuse
// the change.
#pragma once

#include "platform/base/Messages.h"

#include <cstdint>

constexpr UINT NOTIFY_TAB_SELCHANGE = 5;

struct TabSelChangeNotify {
    NMHDR hdr;                 // the host view, VIEW_CTRL_ID, NOTIFY_TAB_SELCHANGE
    std::uint32_t itemId = 0;  // the tab control's element id
    std::int32_t newIndex = 0; // the index being selected
    std::int32_t oldIndex = 0; // the current index
    std::int32_t cancel = 0;   // set non-zero by a handler to refuse the change
};

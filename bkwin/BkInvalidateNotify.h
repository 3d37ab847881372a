// The record an element sends its host window (WM_NOTIFY, wparam = the element's id) to have a
// rectangle repainted.
#pragma once

#include <cstdint>

#include "platform/base/Messages.h"

constexpr UINT NOTIFY_INVALIDATE = 1000;

struct BkInvalidateNotify {
    NMHDR hdr;                // hwndFrom null, idFrom the element's id, code NOTIFY_INVALIDATE
    std::uint32_t handle = 0; // the element's registry handle
    RECT rect;                // client coordinates of the host window
};

// Rounded corners for skinned dialogs: a window region that cuts two pixels off the outer row
// and one off the next row at each corner.
#pragma once

#include "platform/base/Messages.h"
#include "platform/base/Region.h"
#include "platform/core/Window.h"

// The rounded shape of a client rectangle (window coordinates).
inline CRegion RoundRectRegion(const RECT& r) {
    const LONG l = r.left, t = r.top, rr = r.right, b = r.bottom;
    return CRegion(RECT{l, t + 2, rr, b - 2})
        .Union(CRegion(RECT{l + 2, t, rr - 2, t + 1}))
        .Union(CRegion(RECT{l + 2, b - 1, rr - 2, b}))
        .Union(CRegion(RECT{l + 1, t + 1, rr - 1, t + 2}))
        .Union(CRegion(RECT{l + 1, b - 2, rr - 1, b - 1}));
}

// Mixed into a dialog class T, whose message chain ends with ProcessRoundRectMessage.
template <class T> class CWHRoundRectFrameHelper {
public:
    // Sets the rounded region on every size change (not when minimised, nor for the size
    // already shaped); never handles the message, so the chain goes on.
    bool ProcessRoundRectMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT&) {
        if (msg != WM_SIZE || wParam == SIZE_MINIMIZED) {
            return false;
        }
        const SIZE size{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        if (size.cx == m_lastSize.cx && size.cy == m_lastSize.cy) {
            return false;
        }
        RECT client;
        GetClientRect(hwnd, &client);
        const CRegion region = RoundRectRegion(client);
        SetWindowRgn(hwnd, &region, false);
        m_lastSize = size;
        return false;
    }

private:
    SIZE m_lastSize{-1, -1};
};

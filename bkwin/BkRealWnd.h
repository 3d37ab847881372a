// The "realwnd" element: reserves a rectangle of the layout for a real child window of the
// host view, the one whose control id is the element's id. The element never creates or
// destroys that window; it moves, shows and hides it and draws nothing itself.
#pragma once

#include "bkwin/BkWindow.h"

#include <cstdint>

// Sent to the host view (and forwarded by it to the dialog) when the element's rectangle
// changed.
constexpr UINT NOTIFY_REALWND_RESIZED = 2;

struct RealWndNotify {
    NMHDR hdr;                // the view, its control id, NOTIFY_REALWND_RESIZED
    std::uint32_t itemId = 0; // the realwnd element's id
    RECT rect;                // its new rectangle, in view client coordinates
};

// Moves the real window `child` (may be null) of the element's host to `windowRect` with
// SetWindowPos(insertAfter, flags), tells the host with NOTIFY_REALWND_RESIZED and that
// rectangle, and has a visible window redrawn whole and its frame recalculated.
void PlaceRealWindow(const CBkWindow& element, HWND child, const RECT& windowRect, HWND insertAfter,
                     UINT flags);

class CBkRealWnd : public CBkWindow {
public:
    static constexpr const char* kTag = "realwnd";
    const char* TagName() const override { return kTag; }

    bool RepaintsOnStateChange() override { return false; }
    bool HandleMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void ShowRealWindows(bool show) override;

    // The hosted window, or null when the host has no child of that id.
    HWND RealWindow() const;

private:
    void OnPositionChanged(const WINDOWPOS* pos);
};

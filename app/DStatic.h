// The video wall's window: a "Static" picture control whose painting shows its bitmap at the
// top-left corner, or grey 110,110,110 while it has none. Only the invalid part is copied, so a
// frame that changes one tile costs one tile's copy.
#pragma once

#include "platform/base/Types.h"

class CDStatic {
public:
    CDStatic() = default;
    CDStatic(const CDStatic&) = delete;
    CDStatic& operator=(const CDStatic&) = delete;
    ~CDStatic();

    // Creates the control as a child of `parent` (styles WS_CHILD | WS_VISIBLE | SS_BITMAP) at an
    // empty rectangle; its layout element places it.
    bool Create(HWND parent, UINT controlId);
    HWND Handle() const { return m_hwnd; }

private:
    static LRESULT Procedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

    HWND m_hwnd = nullptr;
};

constexpr COLORREF kWallBackground = RGB(110, 110, 110);

// A tooltip window that follows a point: light yellow with a black frame, its text wrapped to
// at most 174 pixels. Hiding waits half a second, so moving between the element and its own
// window does not make it flicker.
#pragma once

#include "platform/base/Messages.h"
#include "platform/draw/GdiObject.h"

class KTrackTooltip {
public:
    static constexpr const wchar_t* kWindowClass = L"BkTrackTooltip";
    static constexpr UINT_PTR kHideTimer = 1024;
    static constexpr UINT kHideDelayMs = 500;
    static constexpr COLORREF kBackground = 0xE1FFFF;

    KTrackTooltip() = default;
    ~KTrackTooltip();
    KTrackTooltip(const KTrackTooltip&) = delete;
    KTrackTooltip& operator=(const KTrackTooltip&) = delete;

    // Makes the hidden window, owned by `owner`, once; true when it exists.
    bool Create(HWND owner);
    void Destroy();
    HWND Window() const { return m_hwnd; }

    // Shows the text 16 pixels right of and below the screen point. The window moves only when
    // the point moved by more than 2 pixels.
    void ShowAt(POINT screenPoint, const WString& text);
    // Hides after the delay unless shown again meanwhile.
    void Hide();

private:
    static LRESULT WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    HFONT Font();
    void Paint();

    HWND m_hwnd = nullptr;
    WString m_text = L"  ";
    CGdiHandle<HFONT> m_font;
    POINT m_lastPos{-100, -100};
    bool m_visible = false;
};

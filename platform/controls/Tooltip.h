// The tooltip control ("tooltips_class32"): a small pop-up that shows a tool's text when the
// pointer rests over the tool. Tools are areas of windows; their mouse messages reach the
// tooltip through TTM_RELAYEVENT (or by subclassing, TTF_SUBCLASS).
//
// The tooltip is a top-level pop-up of its own (topmost, a tool window that never takes the
// activation), whatever styles its creator gives it. It appears after the hover delay below
// and to the right of the pointer, kept inside the work area, and hides when the pointer
// leaves the tool, on any button press, on TTM_POP, and by itself after a while. A tool whose
// text is empty shows nothing.
#pragma once

#include "platform/base/Messages.h"
#include "platform/base/Types.h"

inline const WString TOOLTIPS_CLASS = L"tooltips_class32";

// TTM_SETDELAYTIME kinds. Only the initial (hover) delay is set here, by either kind; a tip
// goes by itself after ten of them. A negative time restores the default of 500 ms.
constexpr WPARAM TTDT_AUTOMATIC = 0;
constexpr WPARAM TTDT_INITIAL = 3;

// Tool flags.
constexpr UINT TTF_IDISHWND = 0x0001; // uId is a window; the tool is its whole client area
constexpr UINT TTF_SUBCLASS = 0x0010; // the tooltip takes the tool window's mouse messages

// The text of a tool whose text is asked of its owner when it is about to show.
inline wchar_t* const LPSTR_TEXTCALLBACKW = reinterpret_cast<wchar_t*>(-1);

struct TOOLINFO {
    UINT cbSize = 0; // sizeof(TOOLINFO)
    UINT uFlags = 0;
    HWND hwnd = nullptr; // the owner: the window whose area the tool is, and which is asked
    UINT_PTR uId = 0;    // the tool's id, or with TTF_IDISHWND the window that is the tool
    RECT rect;           // without TTF_IDISHWND: the tool's area in hwnd's client coordinates
    // The text (copied), or LPSTR_TEXTCALLBACKW; null is empty.
    const wchar_t* lpszText = nullptr;
};

struct NMTTDISPINFO {
    NMHDR hdr; // hwndFrom = the tooltip, idFrom = the tool id, code = TTN_GETDISPINFOW
    // The owner answers with lpszText pointing at text that lives until the call returns, or
    // by filling szText; both empty shows nothing.
    const wchar_t* lpszText = nullptr;
    wchar_t szText[80] = {};
    UINT uFlags = 0; // the tool's flags
};

void RegisterTooltipClass();

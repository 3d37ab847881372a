#include "platform/controls/Tooltip.h"

#include "platform/controls/TooltipSubclass.h"
#include "platform/core/Input.h"
#include "platform/core/MessageLoop.h"
#include "platform/core/Paint.h"
#include "platform/core/Timer.h"
#include "platform/core/Window.h"
#include "platform/draw/Gdi.h"

#include <algorithm>
#include <iterator>
#include <memory>
#include <vector>

namespace {

constexpr UINT_PTR kHoverTimer = 1;
// While a tip shows, the pointer is looked at now and then: callers relay only the messages
// their own window gets, so leaving the tool is not always relayed.
constexpr UINT_PTR kLeaveCheckTimer = 2;
// A tip goes by itself after ten hover delays (5 s by default), time enough to read it; this
// also ends a tip whose tool the pointer left without anyone noticing (off every window).
constexpr UINT_PTR kAutoPopTimer = 3;
constexpr UINT kAutoPopDelays = 10;
constexpr UINT kLeaveCheckMs = 100;
constexpr UINT kDefaultHoverMs = 500;
// Longer texts wrap at this width.
constexpr int kMaxTextWidth = 300;
// Text inset inside the one-pixel frame.
constexpr int kPaddingX = 4;
constexpr int kPaddingY = 2;
// The tip's top-left corner from the pointer: clear of an arrow cursor.
constexpr int kOffsetX = 2;
constexpr int kOffsetY = 20;
constexpr UINT kTextFormat = DT_LEFT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS;

struct CTool {
    UINT flags = 0;
    HWND owner = nullptr;
    UINT_PTR id = 0;
    RECT rect;
    bool callback = false;
    WString text;

    HWND Window() const { return (flags & TTF_IDISHWND) ? reinterpret_cast<HWND>(id) : owner; }
};

class CTooltip {
public:
    explicit CTooltip(HWND hwnd) : m_hwnd(hwnd) {}

    LRESULT AddTool(const TOOLINFO* info);
    LRESULT UpdateText(const TOOLINFO* info);
    void Relay(const MSG* msg);
    void Activate(bool active);
    void SetHoverDelay(LPARAM milliseconds);
    void OnTimer(UINT_PTR id);
    void Pop();
    void Leave();
    void Paint();
    void Detach();

private:
    CTool* FindTool(HWND owner, UINT_PTR id);
    int ToolAt(HWND hwnd, POINT client) const;
    bool PointerOverTool(const CTool& tool) const;
    WString ToolText(const CTool& tool);
    void StartHover();
    void Show(const WString& text);
    void Hide();

    HWND m_hwnd;
    std::vector<CTool> m_tools;
    bool m_active = true;
    UINT m_hoverMs = kDefaultHoverMs;
    int m_current = -1; // the tool under the pointer, -1 for none
    WString m_shownText;
};

void AssignText(CTool& tool, const wchar_t* text) {
    tool.callback = text == LPSTR_TEXTCALLBACKW;
    tool.text = (text && !tool.callback) ? WString(text) : WString();
}

LRESULT CTooltip::AddTool(const TOOLINFO* info) {
    if (!info || info->cbSize < sizeof(TOOLINFO) || FindTool(info->hwnd, info->uId)) {
        return 0;
    }
    CTool tool;
    tool.flags = info->uFlags;
    tool.owner = info->hwnd;
    tool.id = info->uId;
    tool.rect = info->rect;
    AssignText(tool, info->lpszText);
    if (!IsWindow(tool.Window())) {
        return 0;
    }
    if (tool.flags & TTF_SUBCLASS) {
        SubclassToolWindow(tool.Window(), m_hwnd);
    }
    m_tools.push_back(std::move(tool));
    return 1;
}

LRESULT CTooltip::UpdateText(const TOOLINFO* info) {
    CTool* tool = info ? FindTool(info->hwnd, info->uId) : nullptr;
    if (!tool) {
        return 0;
    }
    const bool wasCallback = tool->callback;
    const WString oldText = tool->text;
    AssignText(*tool, info->lpszText);
    const bool changed = tool->callback != wasCallback || tool->text != oldText;
    // New text for the tool under the pointer (the dialog view's tool covers many elements):
    // the old tip goes, and the new one shows after the delay where the pointer then is.
    if (changed && m_current == int(tool - m_tools.data())) {
        Hide();
        StartHover();
    }
    return 0;
}

void CTooltip::Relay(const MSG* msg) {
    if (!msg || !m_active) {
        return;
    }
    if (msg->message == WM_MOUSEMOVE) {
        const POINT client{GET_X_LPARAM(msg->lParam), GET_Y_LPARAM(msg->lParam)};
        const int tool = ToolAt(msg->hwnd, client);
        if (tool != m_current) {
            Hide();
            m_current = tool;
            if (tool >= 0) {
                StartHover();
            }
        }
    } else if (msg->message == WM_MOUSELEAVE) {
        Leave();
    } else if (msg->message > WM_MOUSEMOVE && msg->message <= WM_MOUSELAST) {
        Pop(); // buttons and the wheel
    }
}

void CTooltip::Activate(bool active) {
    m_active = active;
    if (!active) {
        Leave();
    }
}

void CTooltip::SetHoverDelay(LPARAM milliseconds) {
    const int ms = int(std::int16_t(LOWORD(std::uintptr_t(milliseconds))));
    m_hoverMs = ms < 0 ? kDefaultHoverMs : UINT(ms);
}

void CTooltip::OnTimer(UINT_PTR id) {
    if (m_current < 0 || m_current >= int(m_tools.size())) {
        Hide();
        return;
    }
    const CTool& tool = m_tools[size_t(m_current)];
    if (!PointerOverTool(tool)) {
        Leave();
        return;
    }
    if (id == kAutoPopTimer) {
        Pop();
    } else if (id == kHoverTimer) {
        KillTimer(m_hwnd, kHoverTimer);
        // The text is taken now, so an update or a callback answer made meanwhile counts.
        const HWND self = m_hwnd;
        const WString text = ToolText(tool);
        if (!IsWindow(self)) {
            return; // the owner destroyed the tooltip while it answered
        }
        if (!text.empty()) {
            Show(text);
        }
    }
}

// The tip goes and stays away until the pointer moves to another tool or the text changes.
void CTooltip::Pop() {
    Hide();
}

void CTooltip::Leave() {
    Hide();
    m_current = -1;
}

CTool* CTooltip::FindTool(HWND owner, UINT_PTR id) {
    for (CTool& tool : m_tools) {
        if (tool.owner == owner && tool.id == id) {
            return &tool;
        }
    }
    return nullptr;
}

int CTooltip::ToolAt(HWND hwnd, POINT client) const {
    for (size_t i = 0; i < m_tools.size(); ++i) {
        const CTool& tool = m_tools[i];
        const bool hit = (tool.flags & TTF_IDISHWND)
                             ? tool.Window() == hwnd
                             : tool.owner == hwnd && tool.rect.Contains(client);
        if (hit) {
            return int(i);
        }
    }
    return -1;
}

bool CTooltip::PointerOverTool(const CTool& tool) const {
    POINT pointer;
    GetCursorPos(&pointer);
    const HWND window = tool.Window();
    if (!IsWindowVisible(window) || WindowFromPoint(pointer) != window) {
        return false;
    }
    if (tool.flags & TTF_IDISHWND) {
        return true;
    }
    ScreenToClient(window, &pointer);
    return tool.rect.Contains(pointer);
}

WString CTooltip::ToolText(const CTool& tool) {
    if (!tool.callback) {
        return tool.text;
    }
    NMTTDISPINFO info;
    info.hdr.hwndFrom = m_hwnd;
    info.hdr.idFrom = tool.id;
    info.hdr.code = TTN_GETDISPINFOW;
    info.uFlags = tool.flags;
    SendMessage(tool.owner, WM_NOTIFY, tool.id, reinterpret_cast<LPARAM>(&info));
    if (info.lpszText && info.lpszText != LPSTR_TEXTCALLBACKW && info.lpszText != info.szText) {
        return info.lpszText;
    }
    info.szText[std::size(info.szText) - 1] = 0; // an owner that filled it all stays in bounds
    return info.szText;
}

void CTooltip::StartHover() {
    SetTimer(m_hwnd, kHoverTimer, m_hoverMs, nullptr);
}

void CTooltip::Show(const WString& text) {
    m_shownText = text;
    RECT textRect{0, 0, kMaxTextWidth, 0};
    {
        CMemoryDC measure;
        SelectObject(measure, static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
        DrawText(measure, text, &textRect, kTextFormat | DT_CALCRECT);
    }
    const int width = textRect.Width() + 2 * (kPaddingX + 1);
    const int height = textRect.Height() + 2 * (kPaddingY + 1);

    POINT pointer;
    GetCursorPos(&pointer);
    MONITORINFO monitor;
    GetMonitorInfo(m_hwnd, &monitor);
    const RECT& work = monitor.rcWork;
    int x = pointer.x + kOffsetX;
    int y = pointer.y + kOffsetY;
    if (x + width > work.right) {
        x = work.right - width;
    }
    if (y + height > work.bottom) {
        y = pointer.y - height; // no room below the pointer: above it
    }
    x = std::max<int>(x, work.left);
    y = std::max<int>(y, work.top);

    SetWindowPos(m_hwnd, HWND_TOPMOST, x, y, width, height, SWP_SHOWWINDOW | SWP_NOACTIVATE);
    InvalidateRect(m_hwnd, nullptr, false);
    SetTimer(m_hwnd, kLeaveCheckTimer, kLeaveCheckMs, nullptr);
    SetTimer(m_hwnd, kAutoPopTimer, m_hoverMs * kAutoPopDelays, nullptr);
}

void CTooltip::Hide() {
    KillTimer(m_hwnd, kHoverTimer);
    KillTimer(m_hwnd, kLeaveCheckTimer);
    KillTimer(m_hwnd, kAutoPopTimer);
    if (IsWindowVisible(m_hwnd)) {
        ShowWindow(m_hwnd, SW_HIDE);
    }
}

void CTooltip::Paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(m_hwnd, &ps);
    if (dc) {
        RECT client;
        GetClientRect(m_hwnd, &client);
        FillRect(dc, &client, GetSysColorBrush(COLOR_INFOBK));
        FrameRect(dc, &client, GetSysColorBrush(COLOR_INFOTEXT));
        CDcStateSaver saved(dc);
        SelectObject(dc, static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
        RECT textRect{client.left + 1 + kPaddingX, client.top + 1 + kPaddingY,
                      client.right - 1 - kPaddingX, client.bottom - 1 - kPaddingY};
        DrawText(dc, m_shownText, &textRect, kTextFormat);
    }
    EndPaint(m_hwnd, &ps);
}

void CTooltip::Detach() {
    for (const CTool& tool : m_tools) {
        if (tool.flags & TTF_SUBCLASS) {
            UnsubclassToolWindow(tool.Window(), m_hwnd);
        }
    }
}

CTooltip* State(HWND hwnd) {
    return reinterpret_cast<CTooltip*>(GetWindowLongPtr(hwnd, GWLP_USERDATA));
}

LRESULT TooltipProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        // Whatever its creator asked for, a top-level tooltip is a topmost pop-up that is
        // never activated and stays out of the task bar.
        const auto style = DWORD(GetWindowLongPtr(hwnd, GWL_STYLE));
        if (!(style & WS_CHILD)) {
            SetWindowLongPtr(hwnd, GWL_STYLE, LPARAM(style | WS_POPUP));
            const auto exStyle = DWORD(GetWindowLongPtr(hwnd, GWL_EXSTYLE));
            SetWindowLongPtr(hwnd, GWL_EXSTYLE,
                             LPARAM(exStyle | WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE));
        }
        // Owned by the window until WM_NCDESTROY.
        SetWindowLongPtr(hwnd, GWLP_USERDATA,
                         reinterpret_cast<LPARAM>(std::make_unique<CTooltip>(hwnd).release()));
        return 1;
    }
    CTooltip* tip = State(hwnd);
    if (!tip) {
        return DefWindowProc(hwnd, msg, wParam, lParam);
    }
    switch (msg) {
    case TTM_ADDTOOLW:
        return tip->AddTool(reinterpret_cast<const TOOLINFO*>(lParam));
    case TTM_UPDATETIPTEXTW:
        return tip->UpdateText(reinterpret_cast<const TOOLINFO*>(lParam));
    case TTM_RELAYEVENT:
        tip->Relay(reinterpret_cast<const MSG*>(lParam));
        return 0;
    case TTM_ACTIVATE:
        tip->Activate(wParam != 0);
        return 0;
    case TTM_SETDELAYTIME:
        if (wParam == TTDT_INITIAL || wParam == TTDT_AUTOMATIC) {
            tip->SetHoverDelay(lParam);
        }
        return 0;
    case TTM_POP:
        tip->Pop();
        return 0;
    case WM_TIMER:
        tip->OnTimer(wParam);
        return 0;
    case WM_MOUSEMOVE:
        // The pointer reached the tip itself: it has left the tool.
        tip->Leave();
        return 0;
    case WM_PAINT:
        tip->Paint();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_NCDESTROY: {
        const std::unique_ptr<CTooltip> owned(tip);
        owned->Detach();
        SetWindowLongPtr(hwnd, GWLP_USERDATA, 0);
        return 0;
    }
    default:
        return DefWindowProc(hwnd, msg, wParam, lParam);
    }
}

} // namespace

void RegisterTooltipClass() {
    RegisterWindowClass(TOOLTIPS_CLASS, TooltipProc, 0, IDC_ARROW);
}

#include "bkwin/BkTrackTooltip.h"

#include "platform/core/MessageLoop.h"
#include "platform/core/Paint.h"
#include "platform/core/Timer.h"
#include "platform/core/Window.h"
#include "platform/draw/Brush.h"
#include "platform/draw/DeviceContext.h"
#include "platform/draw/Font.h"
#include "platform/draw/Shapes.h"
#include "platform/draw/Text.h"

#include <cstdlib>

namespace {

constexpr int kPadding = 7;
constexpr LONG kMaxTextWidth = 174;

} // namespace

KTrackTooltip::~KTrackTooltip() {
    Destroy();
}

bool KTrackTooltip::Create(HWND owner) {
    if (m_hwnd) {
        return true;
    }
    RegisterWindowClass(kWindowClass, &KTrackTooltip::WindowProc, 0, IDC_ARROW);
    m_hwnd = CreateWindowEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kWindowClass, L"",
                            WS_POPUP, 0, 0, 0, 0, owner, 0, this);
    m_text = L"  ";
    m_visible = false;
    return m_hwnd != nullptr;
}

void KTrackTooltip::Destroy() {
    if (IsWindow(m_hwnd)) {
        SetWindowLongPtr(m_hwnd, GWLP_USERDATA, 0);
        DestroyWindow(m_hwnd);
    }
    m_hwnd = nullptr;
    m_visible = false;
}

HFONT KTrackTooltip::Font() {
    if (!m_font) {
        LOGFONT description;
        description.lfHeight = 12;
        description.lfWeight = FW_NORMAL;
        description.lfFaceName = L"宋体";
        m_font.Reset(CreateFontIndirect(&description));
    }
    return m_font.Get();
}

void KTrackTooltip::ShowAt(POINT screenPoint, const WString& text) {
    if (!m_hwnd) {
        return;
    }
    if (std::abs(screenPoint.x - m_lastPos.x) > 2 || std::abs(screenPoint.y - m_lastPos.y) > 2) {
        m_lastPos = screenPoint;
        SetWindowPos(m_hwnd, nullptr, screenPoint.x + 16, screenPoint.y + 16, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    m_text = text;
    CMemoryDC dc;
    SelectObject(dc, Font());
    SIZE size{};
    GetTextExtentPoint32(dc, m_text, &size);
    if (size.cx > kMaxTextWidth) {
        size.cx = kMaxTextWidth;
        size.cy += 15;
    }
    SetWindowPos(m_hwnd, nullptr, 0, 0, size.cx + 2 * kPadding, size.cy + 2 * kPadding,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(m_hwnd, nullptr, false);
    m_visible = true;
    ShowWindow(m_hwnd, SW_SHOWNOACTIVATE);
}

void KTrackTooltip::Hide() {
    if (!m_hwnd) {
        return;
    }
    m_visible = false;
    SetTimer(m_hwnd, kHideTimer, kHideDelayMs, nullptr);
}

void KTrackTooltip::Paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(m_hwnd, &ps);
    if (dc) {
        RECT client;
        GetClientRect(m_hwnd, &client);
        CGdiHandle<HBRUSH> background(CreateSolidBrush(kBackground));
        FillRect(dc, &client, background);
        FrameRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        SelectObject(dc, Font());
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, 0x000000);
        TEXTMETRIC metrics;
        GetTextMetrics(dc, &metrics);
        // Wide characters count a full text height of width, the others half of it.
        const LONG right = client.right - kPadding;
        const LONG lineStep = metrics.tmHeight + metrics.tmExternalLeading + 2;
        LONG x = kPadding;
        LONG y = kPadding;
        for (wchar_t c : m_text) {
            const LONG width = c > 255 ? metrics.tmHeight : metrics.tmHeight / 2;
            if (x + width > right && x > kPadding) {
                x = kPadding;
                y += lineStep;
            }
            TextOut(dc, x, y, std::wstring_view(&c, 1));
            x += width;
        }
    }
    EndPaint(m_hwnd, &ps);
}

LRESULT KTrackTooltip::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        SetWindowLongPtr(hwnd, GWLP_USERDATA,
                         LPARAM(reinterpret_cast<const CREATESTRUCT*>(lParam)->lpCreateParams));
    }
    auto* self = reinterpret_cast<KTrackTooltip*>(GetWindowLongPtr(hwnd, GWLP_USERDATA));
    if (!self) {
        return DefWindowProc(hwnd, msg, wParam, lParam);
    }
    switch (msg) {
    case WM_PAINT:
        self->Paint();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_TIMER:
        if (wParam == kHideTimer) {
            KillTimer(hwnd, kHideTimer);
            if (!self->m_visible) {
                ShowWindow(hwnd, SW_HIDE);
            }
        }
        return 0;
    case WM_NCDESTROY:
        self->m_hwnd = nullptr;
        return DefWindowProc(hwnd, msg, wParam, lParam);
    default:
        return DefWindowProc(hwnd, msg, wParam, lParam);
    }
}

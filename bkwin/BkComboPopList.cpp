#include "bkwin/BkComboPopList.h"

#include "bkwin/BkComboMessages.h"
#include "bkwin/BkElementRegistry.h"
#include "bkwin/BkRoundRectFrame.h"
#include "bkwin/BkWindow.h"
#include "platform/core/Input.h"
#include "platform/core/MessageLoop.h"
#include "platform/core/Paint.h"
#include "platform/core/Window.h"
#include "platform/draw/Bitmap.h"
#include "platform/draw/Blit.h"
#include "platform/draw/Brush.h"
#include "platform/draw/DeviceContext.h"
#include "platform/draw/DrawText.h"
#include "platform/draw/Font.h"
#include "platform/draw/Pen.h"
#include "platform/draw/Shapes.h"

#include <utility>

namespace {

// The size the window is made with before it first opens.
constexpr RECT kInitialRect{0, 0, 180, 98};
constexpr int kTextIndent = 4;

} // namespace

KComboBoxPopList::~KComboBoxPopList() {
    Destroy();
}

bool KComboBoxPopList::Create(HWND ownerWindow, std::vector<WString> texts) {
    Destroy();
    m_texts = std::move(texts);
    RegisterWindowClass(kWindowClass, &KComboBoxPopList::WindowProc, 0, IDC_ARROW);
    RECT r = kInitialRect;
    if (!m_texts.empty()) {
        r.right += (LONG(m_texts.front().size()) - 2) * kFontHeight;
        r.bottom = r.top + LONG(m_texts.size()) * m_itemHeight + r.top;
    }
    m_hwnd = CreateWindowEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kWindowClass, L"", WS_POPUP, r.left,
                            r.top, r.Width(), r.Height(), ownerWindow, 0, this);
    return m_hwnd != nullptr;
}

void KComboBoxPopList::Destroy() {
    if (IsWindow(m_hwnd)) {
        Hide();
        SetWindowLongPtr(m_hwnd, GWLP_USERDATA, 0);
        DestroyWindow(m_hwnd);
    }
    m_hwnd = nullptr;
}

bool KComboBoxPopList::IsOpen() const {
    return m_hwnd && IsWindowVisible(m_hwnd);
}

void KComboBoxPopList::Open(const RECT& screenRect, int current) {
    if (!m_hwnd) {
        return;
    }
    m_current = current;
    SetWindowPos(m_hwnd, HWND_TOP, screenRect.left, screenRect.top, screenRect.Width(),
                 screenRect.Height(), 0);
    const CRegion region = RoundRectRegion({0, 0, screenRect.Width(), screenRect.Height()});
    SetWindowRgn(m_hwnd, &region, false);
    InvalidateRect(m_hwnd, nullptr, false);
    // Showing activates the list, which takes the focus from the window that had it.
    m_previousFocus = GetFocus();
    ShowWindow(m_hwnd, SW_SHOW);
    SetFocus(m_hwnd);
    SetCapture(m_hwnd);
}

void KComboBoxPopList::Hide() {
    if (!IsOpen()) {
        return;
    }
    const bool hadFocus = GetFocus() == m_hwnd;
    ShowWindow(m_hwnd, SW_HIDE);
    if (GetCapture() == m_hwnd) {
        ReleaseCapture();
    }
    const HWND previous = std::exchange(m_previousFocus, nullptr);
    if (hadFocus && IsWindow(previous)) {
        SetFocus(previous);
    }
}

void KComboBoxPopList::SetCurrent(int index) {
    m_current = index;
    if (m_hwnd) {
        InvalidateRect(m_hwnd, nullptr, false);
    }
}

int KComboBoxPopList::ItemAt(int y) const {
    if (m_itemHeight <= 0 || y < kHitOffset) {
        return -1;
    }
    const int index = (y - kHitOffset) / m_itemHeight;
    return index < int(m_texts.size()) ? index : -1;
}

void KComboBoxPopList::Choose(int index) {
    Hide();
    if (index < 0 || index >= int(m_texts.size())) {
        return;
    }
    if (CBkWindow* combo = m_owner ? ElementRegistry::Instance().Lookup(m_owner) : nullptr) {
        const WString text = m_texts[std::size_t(index)];
        SendElementMessage(combo, WM_BK_COMBO_SELECT, WPARAM(index), LPARAM(text.c_str()));
    }
}

void KComboBoxPopList::OnButtonDown(POINT point) {
    RECT client;
    GetClientRect(m_hwnd, &client);
    Choose(client.Contains(point) ? ItemAt(point.y) : -1);
}

void KComboBoxPopList::OnKey(WPARAM key) {
    const int last = int(m_texts.size()) - 1;
    switch (key) {
    case VK_UP:
        if (m_current > 0) {
            SetCurrent(m_current - 1);
        }
        break;
    case VK_DOWN:
        if (m_current < last) {
            SetCurrent(m_current + 1);
        }
        break;
    case VK_RETURN:
        Choose(m_current);
        break;
    case VK_ESCAPE:
        Hide();
        break;
    default:
        break;
    }
}

void KComboBoxPopList::Paint() {
    PAINTSTRUCT ps;
    HDC target = BeginPaint(m_hwnd, &ps);
    if (target) {
        RECT client;
        GetClientRect(m_hwnd, &client);
        // Drawn off screen and copied in one piece, so the list never flickers.
        CGdiHandle<HBITMAP> buffer(CreateCompatibleBitmap(target, client.right, client.bottom));
        CMemoryDC dc(target);
        SelectObject(dc, buffer.Get());
        FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        if (m_current >= 0) {
            const RECT band{0, m_current * m_itemHeight, client.right,
                            (m_current + 1) * m_itemHeight};
            CGdiHandle<HBRUSH> highlight(CreateSolidBrush(m_highlight));
            FillRect(dc, &band, highlight);
        }
        LOGFONT description;
        description.lfHeight = kFontHeight;
        description.lfWeight = FW_NORMAL;
        description.lfFaceName = L"微软雅黑";
        CGdiHandle<HFONT> font(CreateFontIndirect(&description));
        SelectObject(dc, font.Get());
        SetBkMode(dc, TRANSPARENT);
        for (std::size_t i = 0; i < m_texts.size(); ++i) {
            RECT line{kTextIndent, LONG(i) * m_itemHeight, client.right,
                      LONG(i + 1) * m_itemHeight};
            DrawText(dc, m_texts[i], &line, DT_END_ELLIPSIS | DT_VCENTER | DT_SINGLELINE);
        }
        // The left, bottom and right edges; the top meets the combo.
        CGdiHandle<HPEN> pen(CreatePen(PS_INSIDEFRAME, 1, kFrameColour));
        SelectObject(dc, pen.Get());
        MoveToEx(dc, 0, 0, nullptr);
        LineTo(dc, 0, client.bottom - 1);
        LineTo(dc, client.right - 1, client.bottom - 1);
        LineTo(dc, client.right - 1, -1);
        BitBlt(target, 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
    }
    EndPaint(m_hwnd, &ps);
}

LRESULT KComboBoxPopList::Handle(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_PAINT:
        Paint();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_MOUSEMOVE:
        if (const int index = ItemAt(GET_Y_LPARAM(lParam)); index >= 0 && index != m_current) {
            SetCurrent(index);
        }
        return 0;
    case WM_LBUTTONDOWN:
        OnButtonDown({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return 0;
    case WM_RBUTTONDOWN:
    case WM_KILLFOCUS:
        Hide();
        return 0;
    case WM_MOUSEWHEEL:
        OnKey(std::int16_t(HIWORD(wParam)) < 0 ? VK_DOWN : VK_UP);
        return 0;
    case WM_KEYDOWN:
        OnKey(wParam);
        return 0;
    default:
        return DefWindowProc(m_hwnd, msg, wParam, lParam);
    }
}

LRESULT KComboBoxPopList::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        SetWindowLongPtr(hwnd, GWLP_USERDATA,
                         LPARAM(reinterpret_cast<const CREATESTRUCT*>(lParam)->lpCreateParams));
    }
    auto* self = reinterpret_cast<KComboBoxPopList*>(GetWindowLongPtr(hwnd, GWLP_USERDATA));
    if (!self || msg == WM_NCCREATE) {
        return DefWindowProc(hwnd, msg, wParam, lParam);
    }
    if (msg == WM_NCDESTROY) {
        self->m_hwnd = nullptr;
        return DefWindowProc(hwnd, msg, wParam, lParam);
    }
    return self->Handle(msg, wParam, lParam);
}

#include "bkwin/BkEdit.h"

#include "bkwin/BkFontPool.h"
#include "bkwin/BkRealWnd.h"
#include "bkwin/BkValueParsers.h"
#include "platform/controls/Edit.h"
#include "platform/core/Input.h"
#include "platform/core/MessageLoop.h"
#include "platform/core/Paint.h"
#include "platform/core/Window.h"
#include "platform/draw/DeviceContext.h"
#include "platform/draw/DrawText.h"
#include "platform/draw/Text.h"

namespace {

constexpr DWORD kBaseStyle =
    WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL | ES_AUTOVSCROLL; // 0x500100C0
constexpr int kFrameWidth = 2;

// One password character for each character of the text (a surrogate pair is one character).
WString Masked(const WString& text, wchar_t mask) {
    WString out;
    for (wchar_t c : text) {
        if (c < 0xDC00 || c > 0xDFFF) {
            out.push_back(mask);
        }
    }
    return out;
}

} // namespace

CBkEdit::~CBkEdit() {
    if (IsWindow(m_window)) {
        DestroyWindow(m_window);
    }
}

HRESULT CBkEdit::ApplyAttribute(std::string_view name, std::string_view value, bool loading) {
    if (SUCCEEDED(CBkWindow::ApplyAttribute(name, value, loading))) {
        return S_OK;
    }
    if (name == "defaultfont") {
        m_fontCode = WORD(ParseHex(value));
    } else if (name == "password") {
        m_password = ParseInt(value);
    } else if (name == "readonly") {
        m_readOnly = ParseInt(value);
    } else if (name == "number") {
        m_number = ParseInt(value) != 0;
    } else if (name == "multiline") {
        m_multiLine = ParseInt(value) != 0;
    } else if (name == "maxchar") {
        m_maxChar = ParseInt(value);
    } else {
        return E_FAIL;
    }
    return S_OK;
}

int CBkEdit::SetText(const WString& newText) {
    CBkWindow::SetText(newText);
    if (m_window) {
        SetWindowText(m_window, newText);
    }
    return 0;
}

void CBkEdit::ApplyCursor() {
    SetCursor(LoadCursor(m_hover ? IDC_IBEAM : IDC_ARROW));
}

RECT CBkEdit::WindowRect() const {
    return {rect.left + kFrameWidth, rect.top + kFrameWidth, rect.right - kFrameWidth,
            rect.bottom - kFrameWidth};
}

void CBkEdit::CreateRealWindow() {
    if (m_window || !hostWindow) {
        return;
    }
    BkEditWindowSetup setup;
    setup.style = kBaseStyle;
    if (m_multiLine) {
        setup.style |= ES_MULTILINE | ES_WANTRETURN;
    }
    if (m_number) {
        setup.style |= ES_NUMBER;
    }
    if (m_password) {
        setup.style |= ES_PASSWORD;
    }
    setup.rect = WindowRect();
    setup.font = BkFontPool::Instance().GetFont(m_fontCode);
    setup.limit = m_maxChar;
    setup.password = m_password != 0;
    setup.readOnly = m_readOnly != 0;
    setup.text = text;
    setup.visible = IsVisibleDeep();
    CreateEditWindow(kWindowClass, *this, setup);
}

void CBkEdit::OnPositionChanged(const WINDOWPOS* pos) {
    const RECT old = rect;
    LRESULT ignored = 0;
    CBkWindow::HandleMessage(hostWindow, WM_WINDOWPOSCHANGED, 0, LPARAM(pos), ignored);
    if (rect == old) {
        return;
    }
    CreateRealWindow();
    PlaceRealWindow(*this, m_window, WindowRect(), nullptr, SWP_NOREDRAW | SWP_NOZORDER);
}

void CBkEdit::OnShow(bool show) {
    // A window inside a hidden container stays hidden until the container is shown.
    if (show && Parent() && !Parent()->IsVisibleDeep()) {
        return;
    }
    ShowRealWindows(show);
}

void CBkEdit::ShowRealWindows(bool show) {
    if (show) {
        CreateRealWindow();
    }
    if (!m_window) {
        return;
    }
    const RECT wanted = WindowRect();
    SetWindowPos(m_window, nullptr, wanted.left, wanted.top, wanted.Width(), wanted.Height(),
                 SWP_NOREDRAW | SWP_NOZORDER);
    ShowWindow(m_window, show ? SW_SHOW : SW_HIDE);
}

void CBkEdit::OnButtonDown(POINT point) {
    CreateRealWindow();
    if (m_window && rect.Contains(point)) {
        SelectAllEditText(m_window);
        // The selection shows only in a focused edit.
        SetFocus(m_window);
    }
}

void CBkEdit::SetHover(bool hover) {
    if (m_hover != hover) {
        m_hover = hover;
        NotifyInvalidateRect(rect);
    }
}

void CBkEdit::Paint(HDC dc) {
    CDcStateSaver saver(dc);
    SetBkColor(dc, 0xFFFFFF);
    ExtTextOut(dc, 0, 0, ETO_OPAQUE, &rect, L"");
    SelectObject(dc, BkFontPool::Instance().GetFont(m_fontCode));
    SetBkMode(dc, TRANSPARENT);
    RECT box = WindowRect();
    DrawText(dc, m_password ? Masked(text, m_passwordChar) : text, &box,
             DT_VCENTER | DT_SINGLELINE);
    m_frame.Draw(dc, rect, m_hover);
}

bool CBkEdit::HandleMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    result = 0;
    switch (msg) {
    case WM_PAINT:
        Paint(HDC(wParam));
        return true;
    case WM_WINDOWPOSCHANGED:
        if (lParam) {
            OnPositionChanged(reinterpret_cast<const WINDOWPOS*>(lParam));
        }
        return true;
    case WM_SHOWWINDOW:
        CBkWindow::HandleMessage(hwnd, msg, wParam, lParam, result);
        OnShow(wParam != 0);
        return true;
    case WM_LBUTTONDOWN:
        OnButtonDown({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return true;
    case WM_MOUSEMOVE:
        SetHover(true);
        return true;
    case WM_MOUSELEAVE:
        SetHover(false);
        return true;
    default:
        return CBkWindow::HandleMessage(hwnd, msg, wParam, lParam, result);
    }
}

void CBkEdit::BeforeEditMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM) {
    switch (msg) {
    case WM_MOUSEMOVE:
        SetHover(true);
        TrackMouseLeave(hwnd);
        break;
    case WM_MOUSELEAVE:
        SetHover(false);
        break;
    case OCM_BASE + WM_COMMAND:
        FollowEditCommand(*this, hwnd, wParam);
        break;
    default:
        break;
    }
}

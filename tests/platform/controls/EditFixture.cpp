#include "EditFixture.h"

#include "platform/core/Input.h"
#include "platform/core/headless/HeadlessScreen.h"
#include "platform/draw/DeviceContext.h"
#include "platform/draw/Font.h"
#include "platform/draw/Text.h"

#include <algorithm>

CKeyStroke Key(WPARAM key) {
    return {key, {}, false, false, false};
}
CKeyStroke ShiftKey(WPARAM key) {
    return {key, {}, true, false, false};
}
CKeyStroke ControlKey(WPARAM key) {
    return {key, {}, false, true, false};
}
CKeyStroke Typed(const WString& text) {
    return {0, text, false, false, false};
}

void Press(const std::vector<CKeyStroke>& strokes) {
    for (const CKeyStroke& stroke : strokes) {
        if (stroke.shift) {
            headless::PressKey(VK_SHIFT);
        }
        if (stroke.control) {
            headless::PressKey(VK_CONTROL);
        }
        if (stroke.alt) {
            headless::PressKey(VK_MENU);
        }
        if (stroke.key == 0) {
            headless::TypeText(stroke.text);
        } else {
            headless::TapKey(stroke.key, stroke.text);
        }
        if (stroke.alt) {
            headless::ReleaseKey(VK_MENU);
        }
        if (stroke.control) {
            headless::ReleaseKey(VK_CONTROL);
        }
        if (stroke.shift) {
            headless::ReleaseKey(VK_SHIFT);
        }
        headless::PumpMessages();
    }
}

int DefaultFontWidth(const WString& text) {
    CMemoryDC dc;
    SelectObject(dc, static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
    SIZE size;
    GetTextExtentPoint32(dc, text, &size);
    return size.cx;
}

int DefaultFontHeight() {
    CMemoryDC dc;
    SelectObject(dc, static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
    TEXTMETRIC metrics;
    GetTextMetrics(dc, &metrics);
    return metrics.tmHeight;
}

CEditFixture::CEditFixture(DWORD style, const WString& text, Handler parentHandler, RECT editRect) {
    CTestWindowSetup setup;
    setup.handler = std::move(parentHandler);
    setup.log = &m_log;
    m_top = CreateTestWindow(setup, WS_POPUP | WS_VISIBLE, {100, 100, 400, 200});
    m_edit =
        CreateWindowEx(0, L"Edit", text, WS_CHILD | WS_VISIBLE | style, editRect.left, editRect.top,
                       editRect.Width(), editRect.Height(), m_top, kEditId, nullptr);
    headless::PumpMessages();
    m_log.Clear();
}

CEditFixture::~CEditFixture() {
    DestroyWindow(m_top);
    headless::PumpMessages();
}

std::pair<DWORD, DWORD> CEditFixture::Selection() const {
    DWORD start = 0;
    DWORD end = 0;
    SendMessage(m_edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                reinterpret_cast<LPARAM>(&end));
    return {start, end};
}

void CEditFixture::Focus() {
    SetFocus(m_edit);
    headless::PumpMessages();
}

std::vector<WORD> CEditFixture::Notifications() {
    std::vector<WORD> codes;
    for (const CMessageLog::Entry& e : m_log.Entries()) {
        if (e.msg == WM_COMMAND && e.hwnd == m_top && reinterpret_cast<HWND>(e.lParam) == m_edit &&
            LOWORD(e.wParam) == kEditId) {
            codes.push_back(HIWORD(e.wParam));
        }
    }
    return codes;
}

POINT CEditFixture::ScreenPoint(int x, int y) const {
    POINT p{x, y};
    ClientToScreen(m_edit, &p);
    return p;
}

int CEditFixture::CaretX(size_t pos) const {
    return 1 + DefaultFontWidth(Text().substr(0, pos));
}

int CEditFixture::TextTop() const {
    RECT client;
    GetClientRect(m_edit, &client);
    return std::max<int>((client.Height() - DefaultFontHeight()) / 2, 0);
}

#include "bkwin/BkComboBox.h"

#include "bkwin/BkComboMessages.h"
#include "bkwin/BkFontPool.h"
#include "bkwin/BkRealWnd.h"
#include "bkwin/BkValueParsers.h"
#include "platform/controls/Edit.h"
#include "platform/core/Input.h"
#include "platform/core/MessageLoop.h"
#include "platform/core/Window.h"
#include "platform/draw/Brush.h"
#include "platform/draw/DeviceContext.h"
#include "platform/draw/DrawText.h"
#include "platform/draw/Pen.h"
#include "platform/draw/Shapes.h"
#include "platform/draw/Text.h"

#include <tinyxml.h>

#include <algorithm>
#include <cwctype>

namespace {

constexpr DWORD kBaseStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL | ES_AUTOVSCROLL;
constexpr int kTextLimit = 100;
// Where the tooltip points, from the element's top-left corner.
constexpr POINT kTooltipOffset{-12, -45};

bool SameText(const WString& a, const WString& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](wchar_t x, wchar_t y) { return std::towlower(x) == std::towlower(y); });
}

// Fills the triangle pointing down from the top edge (left, right) to the apex, row by row.
void FillDownTriangle(HDC dc, LONG left, LONG right, LONG apex, LONG top, LONG height,
                      COLORREF colour) {
    CGdiHandle<HBRUSH> brush(CreateSolidBrush(colour));
    for (LONG row = 0; row < height; ++row) {
        const RECT span{left + (apex - left) * row / height, top + row,
                        right - (right - apex) * row / height, top + row + 1};
        FillRect(dc, &span, brush);
    }
}

} // namespace

CbkCombo::CbkCombo() {
    m_popup.SetOwner(handle);
}

CbkCombo::~CbkCombo() {
    if (IsWindow(m_window)) {
        DestroyWindow(m_window);
    }
}

bool CbkCombo::LoadXml(const TiXmlElement& element) {
    if (!CBkWindow::LoadXml(element) || element.ValueStr() != kTag) {
        return false;
    }
    if (posCount == 4) {
        m_popup.SetItemHeight(posItems[3].value - posItems[1].value);
    }
    m_popup.SetHighlightColour(kHighlightColour);
    return true;
}

HRESULT CbkCombo::ApplyAttribute(std::string_view name, std::string_view value, bool loading) {
    if (SUCCEEDED(CBkWindow::ApplyAttribute(name, value, loading))) {
        return S_OK;
    }
    if (name == "defaultfont") {
        m_fontCode = WORD(ParseHex(value));
    } else if (name == "password") {
        m_password = ParseInt(value);
    } else {
        return E_FAIL;
    }
    return S_OK;
}

RECT CbkCombo::TextPart() const {
    RECT part = rect;
    part.right -= rect.Height() / 3 * 4 - 2;
    return part;
}

void CbkCombo::ApplyCursor() {
    POINT point;
    GetCursorPos(&point);
    ScreenToClient(hostWindow, &point);
    SetCursor(LoadCursor(m_hover && TextPart().Contains(point) ? IDC_IBEAM : IDC_ARROW));
}

void CbkCombo::CreateRealWindow() {
    if (!Editable() || m_window || !hostWindow) {
        return;
    }
    BkEditWindowSetup setup;
    setup.style = kBaseStyle | (m_password ? ES_PASSWORD : 0);
    const RECT part = TextPart();
    setup.rect = {rect.left + 2, rect.top + 2, part.right, rect.bottom - 2};
    setup.font = BkFontPool::Instance().GetFont(m_fontCode);
    setup.limit = kTextLimit;
    setup.password = m_password != 0;
    setup.readOnly = (m_mode & COMBO_READONLY) != 0;
    setup.text = text;
    setup.visible = IsVisibleDeep();
    if (CreateEditWindow(kWindowClass, *this, setup)) {
        SetFocus(m_window);
        if (m_mode & COMBO_TRACK_TOOLTIP) {
            m_tooltip.Create(hostWindow);
        }
    }
}

void CbkCombo::OnPositionChanged(const WINDOWPOS* pos) {
    const RECT old = rect;
    LRESULT ignored = 0;
    CBkWindow::HandleMessage(hostWindow, WM_WINDOWPOSCHANGED, 0, LPARAM(pos), ignored);
    if (rect == old) {
        return;
    }
    CreateRealWindow();
    const RECT part = TextPart();
    PlaceRealWindow(*this, m_window, {rect.left + 2, rect.top + 2, part.right, rect.bottom - 2},
                    nullptr, SWP_NOREDRAW | SWP_NOZORDER);
}

void CbkCombo::ShowTooltip() {
    if (!(m_mode & COMBO_TRACK_TOOLTIP) || !m_tooltip.Create(hostWindow)) {
        return;
    }
    POINT at{rect.left + kTooltipOffset.x, rect.top + kTooltipOffset.y};
    ClientToScreen(hostWindow, &at);
    m_tooltip.ShowAt(at, tooltipText);
}

void CbkCombo::OnMouseMove(POINT point) {
    m_hover = true;
    ShowTooltip();
    const bool overButton = !TextPart().Contains(point);
    if (overButton != m_overButton) {
        m_overButton = overButton;
        NotifyInvalidateRect(rect);
    }
}

void CbkCombo::OnMouseLeave() {
    m_hover = false;
    m_tooltip.Hide();
    NotifyInvalidateRect(rect);
}

void CbkCombo::OpenList(LONG left, LONG width) {
    if (!m_popup.Window()) {
        return;
    }
    POINT at{left, rect.bottom};
    ClientToScreen(hostWindow, &at);
    const LONG height = LONG(m_items.size()) * m_popup.ItemHeight();
    m_popup.Open({at.x, at.y, at.x + width, at.y + height}, m_current);
}

void CbkCombo::OnButtonDown(POINT point) {
    CreateRealWindow();
    if (rect.Contains(point)) {
        if (m_window) {
            SelectAllEditText(m_window);
        } else if (TextPart().Contains(point)) {
            return;
        }
    }
    OpenList(rect.left, rect.Width());
}

void CbkCombo::OnWheel(WPARAM wParam) {
    const auto step = std::int16_t(std::int16_t(HIWORD(wParam)) / 120);
    std::int32_t next = m_current;
    if (step < 0 && m_current < std::int32_t(m_items.size()) - 1) {
        ++next;
    } else if (step > 0 && m_current > 0) {
        --next;
    }
    if (next == m_current) {
        return;
    }
    m_current = next;
    const WString& key = m_items[std::size_t(next)].key;
    if (m_window) {
        SetWindowText(m_window, key);
        SelectAllEditText(m_window);
    }
    text = key;
    NotifyInvalidateRect(rect);
    m_popup.SetCurrent(next);
}

void CbkCombo::OnChosen(std::int32_t index, const wchar_t* chosen) {
    m_current = index;
    text = chosen ? chosen : L"";
    SendMessage(hostWindow, WM_BK_COMBO_CHOSEN, WPARAM(index), LPARAM(text.c_str()));
    if (m_window && index >= 0 && index < std::int32_t(m_items.size())) {
        SetWindowText(m_window, m_items[std::size_t(index)].key);
    }
    NotifyInvalidateRect(rect);
}

void CbkCombo::AddString(const WString& itemText) {
    const bool known = std::any_of(m_items.begin(), m_items.end(), [&itemText](const Item& item) {
        return SameText(item.key, itemText) || SameText(item.text, itemText);
    });
    if (!known) {
        m_items.push_back({itemText, itemText});
    }
    std::vector<WString> texts;
    for (const Item& item : m_items) {
        texts.push_back(item.text);
    }
    m_popup.Create(hostWindow, std::move(texts));
}

void CbkCombo::SetCurSel(std::int32_t index) {
    CreateRealWindow();
    m_current = index;
    if (index < 0 || index >= std::int32_t(m_items.size())) {
        return;
    }
    text = m_items[std::size_t(index)].text;
    if (m_window) {
        SetWindowText(m_window, m_items[std::size_t(index)].key);
    }
    NotifyInvalidateRect(rect);
}

void CbkCombo::Paint(HDC dc) {
    CDcStateSaver saver(dc);
    SetBkColor(dc, 0xFFFFFF);
    ExtTextOut(dc, 0, 0, ETO_OPAQUE, &rect, L"");
    const LONG h = rect.Height();
    if (!Editable()) {
        SelectObject(dc, BkFontPool::Instance().GetFont(m_fontCode));
        SetBkMode(dc, TRANSPARENT);
        RECT box{rect.left + 4, rect.top + 2, rect.right - 2, rect.bottom - 2};
        box.right -= box.Height();
        DrawText(dc, text, &box, DT_VCENTER | DT_SINGLELINE);
    }
    const LONG a = h / 3;
    FillDownTriangle(dc, rect.right - 3 * a + 2, rect.right - a + 1, rect.right - 2 * a + 1,
                     rect.top + 1 + a, a,
                     m_hover && m_overButton ? CBkEditFrame::kHoverColour : kArrowColour);
    if (m_mode & COMBO_SEPARATOR) {
        CGdiHandle<HPEN> pen(CreatePen(PS_SOLID, 1, kArrowColour));
        SelectObject(dc, pen.Get());
        MoveToEx(dc, rect.right - 4 * a + 2, rect.top, nullptr);
        LineTo(dc, rect.right - 4 * a + 2, rect.bottom);
    }
    m_frame.Draw(dc, rect, m_hover);
}

bool CbkCombo::HandleMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
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
        // A window inside a hidden container stays hidden until the container is shown.
        if (!wParam || !Parent() || Parent()->IsVisibleDeep()) {
            ShowRealWindows(wParam != 0);
        }
        return true;
    case WM_LBUTTONDOWN:
        OnButtonDown({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return true;
    case WM_MOUSEMOVE:
        OnMouseMove({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return true;
    case WM_MOUSELEAVE:
        OnMouseLeave();
        return true;
    case WM_MOUSEWHEEL:
        OnWheel(wParam);
        return true;
    case WM_BK_COMBO_SELECT:
        OnChosen(std::int32_t(wParam), reinterpret_cast<const wchar_t*>(lParam));
        return true;
    default:
        return CBkWindow::HandleMessage(hwnd, msg, wParam, lParam, result);
    }
}

void CbkCombo::ShowRealWindows(bool show) {
    if (m_window) {
        ShowWindow(m_window, show ? SW_SHOW : SW_HIDE);
    }
}

void CbkCombo::BeforeEditMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM) {
    switch (msg) {
    case WM_MOUSEMOVE:
        m_hover = true;
        ShowTooltip();
        if (m_overButton) {
            m_overButton = false;
            NotifyInvalidateRect(rect);
        }
        TrackMouseLeave(hwnd);
        break;
    case WM_MOUSELEAVE:
        OnMouseLeave();
        break;
    case WM_LBUTTONUP: {
        // Opened at the release: the edit control takes the focus and the mouse at the press
        // itself, and lets go of a mouse the list has taken.
        RECT box;
        GetWindowRect(hwnd, &box);
        POINT topLeft{box.left, box.top};
        ScreenToClient(hostWindow, &topLeft);
        OpenList(topLeft.x, box.Width());
        break;
    }
    case WM_MOUSEWHEEL:
        OnWheel(wParam);
        break;
    case OCM_BASE + WM_COMMAND:
        FollowEditCommand(*this, hwnd, wParam);
        break;
    case WM_NCDESTROY:
        m_popup.Destroy();
        m_tooltip.Destroy();
        break;
    default:
        break;
    }
}

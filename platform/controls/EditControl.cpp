// An edit control's messages, focus and caret, mouse selection, painting and notifications.
#include "platform/controls/EditControl.h"

#include "platform/controls/Edit.h"
#include "platform/core/DialogMessage.h"
#include "platform/core/Input.h"
#include "platform/core/MessageLoop.h"
#include "platform/core/Paint.h"
#include "platform/core/Timer.h"
#include "platform/core/Window.h"
#include "platform/draw/Brush.h"
#include "platform/draw/DeviceContext.h"
#include "platform/draw/Font.h"

#include <algorithm>
#include <limits>

namespace {

// How much the user may enter until EM_LIMITTEXT sets a limit; EM_LIMITTEXT 0 lifts it.
constexpr size_t kDefaultLimit = 32767;
constexpr size_t kNoLimit = size_t(std::numeric_limits<int>::max()) - 1;

constexpr UINT kCaretBlinkMs = 530;
constexpr UINT kDragScrollMs = 50;

HFONT DefaultFont() {
    return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

} // namespace

CEditControl::CEditControl(HWND hwnd, const CREATESTRUCT& create)
    : m_hwnd(hwnd), m_multiLine((create.style & ES_MULTILINE) != 0), m_view(m_multiLine),
      m_font(DefaultFont()), m_limit(kDefaultLimit),
      m_passwordChar((create.style & ES_PASSWORD) ? L'*' : 0) {
    m_text.SetText(create.lpszName ? create.lpszName : L"");
    m_view.SetClientSize(create.cx, create.cy);
    m_view.SetPasswordChar(HidesPassword() ? m_passwordChar : 0);
}

DWORD CEditControl::Style() const {
    return DWORD(GetWindowLongPtr(m_hwnd, GWL_STYLE));
}

bool CEditControl::ReadOnly() const {
    return (Style() & ES_READONLY) != 0;
}

bool CEditControl::Focused() const {
    return GetFocus() == m_hwnd;
}

LRESULT CEditControl::Handle(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_GETTEXTLENGTH:
        return LRESULT(m_text.Length());
    case WM_GETTEXT: {
        auto* buffer = reinterpret_cast<wchar_t*>(lParam);
        if (wParam == 0 || !buffer) {
            return 0;
        }
        const size_t n = std::min<size_t>(m_text.Length(), wParam - 1);
        std::copy_n(m_text.Text().data(), n, buffer);
        buffer[n] = L'\0';
        return LRESULT(n);
    }
    case WM_SETTEXT:
        SetText(lParam ? reinterpret_cast<const wchar_t*>(lParam) : L"");
        return 1;
    case WM_SETFONT: {
        const auto font = reinterpret_cast<HFONT>(wParam);
        m_font = GdiCast<CFont>(font) ? font : DefaultFont();
        m_view.SetFont(m_font);
        m_view.ScrollToCaret(m_text);
        if (LOWORD(std::uintptr_t(lParam))) {
            Invalidate();
        }
        return 0;
    }
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(m_font);
    case WM_PAINT:
        Paint();
        return 0;
    case WM_ERASEBKGND:
        return 1; // the paint fills the background
    case WM_SIZE:
        m_view.SetClientSize(LOWORD(std::uintptr_t(lParam)), HIWORD(std::uintptr_t(lParam)));
        m_view.ScrollToCaret(m_text);
        Invalidate();
        return 0;
    case WM_ENABLE:
        Invalidate();
        return 0;
    case WM_SETFOCUS:
        m_caretOn = true;
        SetTimer(m_hwnd, kEditCaretTimer, kCaretBlinkMs, nullptr);
        Invalidate();
        Notify(EN_SETFOCUS);
        return 0;
    case WM_KILLFOCUS:
        KillTimer(m_hwnd, kEditCaretTimer);
        m_caretOn = false;
        Invalidate();
        Notify(EN_KILLFOCUS);
        return 0;
    case WM_TIMER:
        if (wParam == kEditCaretTimer) {
            m_caretOn = !m_caretOn;
            const RECT caret = m_view.CaretRect(m_text, m_text.Caret());
            InvalidateRect(m_hwnd, &caret, false);
        } else if (wParam == kEditDragScrollTimer) {
            DragScrollStep();
        }
        return 0;
    case WM_LBUTTONDOWN:
        OnButtonDown({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, (wParam & MK_SHIFT) != 0);
        return 0;
    case WM_LBUTTONDBLCLK: {
        const auto [start, end] =
            m_text.WordAt(m_view.PositionAt(m_text, {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}));
        m_text.Select(start, end);
        CaretMoved();
        return 0;
    }
    case WM_MOUSEMOVE:
        if (m_dragging && (wParam & MK_LBUTTON)) {
            OnDrag({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        }
        return 0;
    case WM_LBUTTONUP:
        if (m_dragging) {
            ReleaseCapture();
        }
        return 0;
    case WM_CAPTURECHANGED:
        m_dragging = false;
        KillTimer(m_hwnd, kEditDragScrollTimer);
        return 0;
    case WM_MOUSEWHEEL:
        // Three lines for each notch of the wheel, as desktop text views scroll.
        if (m_multiLine) {
            m_view.ScrollLines(m_text, -3 * std::int16_t(HIWORD(wParam)) / 120);
            Invalidate();
        }
        return 0;
    case WM_KEYDOWN:
        OnKeyDown(wParam);
        return 0;
    case WM_CHAR:
        OnChar(wchar_t(wParam));
        return 0;
    case WM_COPY:
        Copy();
        return 0;
    case WM_CUT:
        Cut();
        return 0;
    case WM_PASTE:
        Paste();
        return 0;
    case WM_CLEAR:
        DeleteRange(m_text.SelectionStart(), m_text.SelectionEnd(), CChange::Other);
        return 0;
    case WM_GETDLGCODE: {
        LRESULT code = DLGC_WANTCHARS | DLGC_WANTARROWS | DLGC_HASSETSEL;
        // Enter in a multi-line edit with ES_WANTRETURN makes a new line instead of pressing
        // the dialog's default button; Tab and Esc always stay with the dialog.
        if (m_multiLine && (Style() & ES_WANTRETURN) && lParam && wParam == VK_RETURN) {
            code |= DLGC_WANTALLKEYS;
        }
        return code;
    }
    case EM_GETSEL: {
        const auto start = DWORD(m_text.SelectionStart());
        const auto end = DWORD(m_text.SelectionEnd());
        if (wParam) {
            *reinterpret_cast<DWORD*>(wParam) = start;
        }
        if (lParam) {
            *reinterpret_cast<DWORD*>(lParam) = end;
        }
        return MAKELPARAM(int(start), int(end));
    }
    case EM_SETSEL: {
        // Taken as 32-bit numbers, so -1 reads the same however the caller widened it.
        const int anchor = int(wParam);
        const int caret = int(lParam);
        if (anchor < 0) {
            m_text.MoveCaret(m_text.Caret(), false);
        } else {
            m_text.Select(size_t(anchor), caret < 0 ? m_text.Length() : size_t(caret));
        }
        CaretMoved();
        return 1;
    }
    case EM_CANUNDO:
        return m_undo.has_value();
    case EM_UNDO:
        return Undo();
    case EM_EMPTYUNDOBUFFER:
        m_undo.reset();
        return 0;
    case EM_GETMODIFY:
        return m_modified;
    case EM_SETMODIFY:
        m_modified = wParam != 0;
        return 0;
    case EM_LIMITTEXT:
        m_limit = wParam ? size_t(wParam) : kNoLimit;
        return 0;
    case EM_GETLIMITTEXT:
        return LRESULT(m_limit);
    case EM_SETREADONLY:
        SetWindowLongPtr(m_hwnd, GWL_STYLE,
                         LPARAM(wParam ? (Style() | ES_READONLY) : (Style() & ~ES_READONLY)));
        Invalidate();
        return 1;
    case EM_SETPASSWORDCHAR:
        m_passwordChar = wchar_t(wParam);
        if (!m_multiLine) {
            SetWindowLongPtr(
                m_hwnd, GWL_STYLE,
                LPARAM(m_passwordChar ? (Style() | ES_PASSWORD) : (Style() & ~ES_PASSWORD)));
        }
        m_view.SetPasswordChar(HidesPassword() ? m_passwordChar : 0);
        m_view.ScrollToCaret(m_text);
        Invalidate();
        return 0;
    case EM_GETPASSWORDCHAR:
        return LRESULT(m_passwordChar);
    case EM_SETMARGINS:
        m_view.SetMargins(
            (wParam & EC_LEFTMARGIN) ? LOWORD(std::uintptr_t(lParam)) : m_view.LeftMargin(),
            (wParam & EC_RIGHTMARGIN) ? HIWORD(std::uintptr_t(lParam)) : m_view.RightMargin());
        m_view.ScrollToCaret(m_text);
        Invalidate();
        return 0;
    case EM_GETMARGINS:
        return MAKELPARAM(m_view.LeftMargin(), m_view.RightMargin());
    default:
        return DefWindowProc(m_hwnd, msg, wParam, lParam);
    }
}

void CEditControl::MoveCaret(size_t pos, bool extend) {
    m_text.MoveCaret(pos, extend);
    CaretMoved();
}

void CEditControl::CaretMoved() {
    // A move ends the run of typing or deleting that one undo step takes back, and the column
    // that Up and Down keep.
    m_lastChange.reset();
    m_column.reset();
    m_view.ScrollToCaret(m_text);
    // The caret shows at once after every move and blinks again from there.
    if (Focused()) {
        m_caretOn = true;
        SetTimer(m_hwnd, kEditCaretTimer, kCaretBlinkMs, nullptr);
    }
    Invalidate();
}

void CEditControl::OnButtonDown(POINT point, bool extend) {
    const HWND hwnd = m_hwnd;
    if (GetFocus() != hwnd) {
        SetFocus(hwnd);
        if (!IsWindow(hwnd)) {
            return;
        }
    }
    m_text.MoveCaret(m_view.PositionAt(m_text, point), extend);
    m_dragging = true;
    m_dragPoint = point;
    SetCapture(hwnd);
    CaretMoved();
}

void CEditControl::OnDrag(POINT point) {
    m_dragPoint = point;
    const size_t pos = m_view.PositionAt(m_text, point);
    if (pos != m_text.Caret()) {
        MoveCaret(pos, true);
    }
    // Held outside the text, the selection goes on growing by the timer.
    const SIZE outside = m_view.OutsideBy(point);
    if (outside.cx || outside.cy) {
        SetTimer(m_hwnd, kEditDragScrollTimer, kDragScrollMs, nullptr);
    } else {
        KillTimer(m_hwnd, kEditDragScrollTimer);
    }
}

void CEditControl::DragScrollStep() {
    const SIZE outside = m_view.OutsideBy(m_dragPoint);
    if (!m_dragging || (!outside.cx && !outside.cy)) {
        KillTimer(m_hwnd, kEditDragScrollTimer);
    } else if (outside.cy) {
        MoveByLines(outside.cy, true);
    } else {
        const size_t caret = m_text.Caret();
        MoveCaret(outside.cx < 0 ? m_text.Previous(caret) : m_text.Next(caret), true);
    }
}

void CEditControl::SetText(std::wstring_view text) {
    m_text.SetText(text);
    m_modified = false;
    m_undo.reset();
    CaretMoved();
    if (Notify(EN_UPDATE) && !m_multiLine) {
        Notify(EN_CHANGE);
    }
}

void CEditControl::Paint() {
    const HWND hwnd = m_hwnd;
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    if (!dc) {
        EndPaint(hwnd, &ps);
        return;
    }
    const bool enabled = IsWindowEnabled(hwnd);
    const bool inactive = ReadOnly() || !enabled;
    SetTextColor(dc, GetSysColor(enabled ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
    SetBkColor(dc, GetSysColor(inactive ? COLOR_BTNFACE : COLOR_WINDOW));
    const HWND parent = GetParent(hwnd);
    const LRESULT answer =
        parent ? SendMessage(parent, inactive ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT,
                             reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(hwnd))
               : 0;
    if (IsWindow(hwnd)) {
        HBRUSH background = reinterpret_cast<HBRUSH>(answer);
        if (!answer || !BrushFromHandle(background)) {
            background = GetSysColorBrush(inactive ? COLOR_BTNFACE : COLOR_WINDOW);
        }
        const bool focused = Focused();
        m_view.Paint(dc, m_text, background, focused || (Style() & ES_NOHIDESEL),
                     focused && m_caretOn);
    }
    EndPaint(hwnd, &ps);
}

void CEditControl::Invalidate() {
    InvalidateRect(m_hwnd, nullptr, false);
}

bool CEditControl::Notify(WORD code) {
    const HWND hwnd = m_hwnd;
    const HWND parent = GetParent(hwnd);
    if (parent) {
        SendMessage(parent, WM_COMMAND, WPARAM(MAKELPARAM(GetDlgCtrlID(hwnd), code)),
                    reinterpret_cast<LPARAM>(hwnd));
    }
    return IsWindow(hwnd);
}

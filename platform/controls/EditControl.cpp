#include "platform/controls/EditControl.h"

#include "platform/Backend.h"
#include "platform/DialogMessage.h"
#include "platform/Input.h"
#include "platform/MessageLoop.h"
#include "platform/Paint.h"
#include "platform/Timer.h"
#include "platform/Window.h"
#include "platform/controls/Edit.h"
#include "platform/draw/Brush.h"
#include "platform/draw/DeviceContext.h"
#include "platform/draw/Font.h"

#include <algorithm>
#include <limits>

namespace {

// Text the user may enter when no limit was set, and after EM_LIMITTEXT 0.
constexpr size_t kDefaultLimit = 32767;
constexpr size_t kNoLimit = size_t(std::numeric_limits<int>::max()) - 1;

constexpr UINT_PTR kCaretTimer = 0x45444954;
constexpr UINT kCaretBlinkMs = 530;

bool KeyDown(WPARAM key) {
    return GetKeyState(int(key)) < 0;
}

bool AllDigits(std::wstring_view text) {
    return std::all_of(text.begin(), text.end(), [](wchar_t c) { return c >= L'0' && c <= L'9'; });
}

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
        SetTimer(m_hwnd, kCaretTimer, kCaretBlinkMs, nullptr);
        Invalidate();
        Notify(EN_SETFOCUS);
        return 0;
    case WM_KILLFOCUS:
        KillTimer(m_hwnd, kCaretTimer);
        m_caretOn = false;
        Invalidate();
        Notify(EN_KILLFOCUS);
        return 0;
    case WM_TIMER:
        if (wParam == kCaretTimer) {
            m_caretOn = !m_caretOn;
            const RECT caret = m_view.CaretRect(m_text, m_text.Caret());
            InvalidateRect(m_hwnd, &caret, false);
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
            const size_t pos =
                m_view.PositionAt(m_text, {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            if (pos != m_text.Caret()) {
                MoveCaret(pos, true);
            }
        }
        return 0;
    case WM_LBUTTONUP:
        if (m_dragging) {
            ReleaseCapture();
        }
        return 0;
    case WM_CAPTURECHANGED:
        m_dragging = false;
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
        if (!ReadOnly() && m_text.HasSelection()) {
            ReplaceByUser(L"");
        }
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

void CEditControl::MoveByLines(int delta, bool extend) {
    const std::vector<CEditLine> lines = m_view.Lines(m_text);
    const size_t current = EditLineOf(lines, m_text.Caret());
    const auto target = size_t(std::clamp<long long>(static_cast<long long>(current) + delta, 0,
                                                     static_cast<long long>(lines.size()) - 1));
    const int x = m_view.CaretRect(m_text, m_text.Caret()).left;
    MoveCaret(m_view.PositionOnLine(m_text, lines[target], x), extend);
}

void CEditControl::CaretMoved() {
    m_view.ScrollToCaret(m_text);
    // The caret shows at once after every move and blinks again from there.
    if (Focused()) {
        m_caretOn = true;
        SetTimer(m_hwnd, kCaretTimer, kCaretBlinkMs, nullptr);
    }
    Invalidate();
}

void CEditControl::OnKeyDown(WPARAM key) {
    const bool shift = KeyDown(VK_SHIFT);
    const bool control = KeyDown(VK_CONTROL);
    const size_t caret = m_text.Caret();
    switch (key) {
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN: {
        const bool forward = key == VK_RIGHT || key == VK_DOWN;
        if (m_multiLine && (key == VK_UP || key == VK_DOWN)) {
            MoveByLines(forward ? 1 : -1, shift);
        } else if (!shift && !control && m_text.HasSelection()) {
            // An arrow without Shift ends a selection at its side.
            MoveCaret(forward ? m_text.SelectionEnd() : m_text.SelectionStart(), false);
        } else if (control) {
            MoveCaret(forward ? m_text.NextWordStart(caret) : m_text.PreviousWordStart(caret),
                      shift);
        } else {
            MoveCaret(forward ? m_text.Next(caret) : m_text.Previous(caret), shift);
        }
        break;
    }
    case VK_PRIOR:
    case VK_NEXT:
        if (m_multiLine) {
            MoveByLines(key == VK_NEXT ? m_view.VisibleLines() : -m_view.VisibleLines(), shift);
        }
        break;
    case VK_HOME:
    case VK_END: {
        const std::vector<CEditLine> lines = m_view.Lines(m_text);
        const CEditLine& line = lines[EditLineOf(lines, caret)];
        const bool home = key == VK_HOME;
        MoveCaret(control ? (home ? 0 : m_text.Length()) : (home ? line.start : line.end), shift);
        break;
    }
    case VK_DELETE:
        if (shift) {
            Cut();
        } else if (m_text.HasSelection()) {
            ReplaceByUser(L"");
        } else {
            DeleteRange(caret, control ? m_text.NextWordStart(caret) : m_text.Next(caret));
        }
        break;
    case VK_INSERT:
        if (control) {
            Copy();
        } else if (shift) {
            Paste();
        }
        break;
    case 'A':
        if (control) {
            m_text.Select(0, m_text.Length());
            CaretMoved();
        }
        break;
    case 'C':
        if (control) {
            Copy();
        }
        break;
    case 'X':
        if (control) {
            Cut();
        }
        break;
    case 'V':
        if (control) {
            Paste();
        }
        break;
    default:
        break;
    }
}

void CEditControl::OnChar(wchar_t c) {
    const bool control = KeyDown(VK_CONTROL) && !KeyDown(VK_MENU);
    if (c == L'\b') {
        const size_t caret = m_text.Caret();
        if (m_text.HasSelection()) {
            if (!ReadOnly()) {
                ReplaceByUser(L"");
            }
        } else {
            DeleteRange(control ? m_text.PreviousWordStart(caret) : m_text.Previous(caret), caret);
        }
        return;
    }
    // Shortcuts with Ctrl are handled as keys; their characters type nothing.
    if (control) {
        return;
    }
    if (c == L'\r') {
        if (m_multiLine) {
            Insert(L"\r\n", true);
        }
        return;
    }
    if (c < L' ' || c == 0x7F) {
        return;
    }
    const wchar_t typed[] = {c};
    Insert(std::wstring_view(typed, 1), true);
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
    SetCapture(hwnd);
    CaretMoved();
}

void CEditControl::Insert(std::wstring_view text, bool typed) {
    if (ReadOnly() || ((Style() & ES_NUMBER) && !AllDigits(text))) {
        return;
    }
    size_t take = RoomFor(text);
    // A typed key goes in whole or not at all (Enter types two characters).
    if (typed && take < text.size()) {
        take = 0;
    }
    // Never keep half of a CR LF.
    if (take > 0 && take < text.size() && text[take - 1] == L'\r' && text[take] == L'\n') {
        --take;
    }
    if (take < text.size() && !Notify(EN_MAXTEXT)) {
        return;
    }
    if (take > 0) {
        ReplaceByUser(text.substr(0, take));
    }
}

size_t CEditControl::RoomFor(std::wstring_view text) const {
    const size_t kept = m_text.Length() - (m_text.SelectionEnd() - m_text.SelectionStart());
    size_t room = std::min(text.size(), m_limit > kept ? m_limit - kept : 0);
    if (m_multiLine || (Style() & ES_AUTOHSCROLL)) {
        return room;
    }
    // Without horizontal scrolling the whole line, with the caret after it, must fit.
    const auto fits = [&](size_t count) {
        WString line = m_text.Text();
        line.replace(m_text.SelectionStart(), m_text.SelectionEnd() - m_text.SelectionStart(),
                     text.substr(0, count));
        return m_view.TextWidth(line) < m_view.ViewWidth();
    };
    size_t low = 0;
    while (low < room) {
        const size_t middle = (low + room + 1) / 2;
        if (fits(middle)) {
            low = middle;
        } else {
            room = middle - 1;
        }
    }
    return low;
}

void CEditControl::DeleteRange(size_t from, size_t to) {
    if (ReadOnly() || from >= to) {
        return;
    }
    m_text.Select(from, to);
    ReplaceByUser(L"");
}

void CEditControl::ReplaceByUser(std::wstring_view text) {
    m_text.ReplaceSelection(text);
    m_modified = true;
    CaretMoved();
    if (Notify(EN_UPDATE)) {
        Notify(EN_CHANGE);
    }
}

bool CEditControl::Copy() {
    // A password box never gives its text away.
    if (HidesPassword() || !m_text.HasSelection()) {
        return false;
    }
    Backend().SetClipboardText(WString(m_text.SelectedText()));
    return true;
}

void CEditControl::Cut() {
    if (!ReadOnly() && Copy()) {
        ReplaceByUser(L"");
    }
}

void CEditControl::Paste() {
    const WString clipboard = Backend().ClipboardText();
    // A single-line edit takes the first line of what was copied.
    Insert(m_multiLine ? std::wstring_view(clipboard) : FirstEditLine(clipboard), false);
}

void CEditControl::SetText(std::wstring_view text) {
    m_text.SetText(text);
    m_modified = false;
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

// The editing commands of an edit control: keys, typed characters, deleting, the clipboard,
// and the flags and limits that refuse input.
#include "platform/controls/EditControl.h"

#include "platform/controls/Edit.h"
#include "platform/core/Backend.h"
#include "platform/core/Input.h"
#include "platform/core/Window.h"

#include <algorithm>

namespace {

bool KeyDown(WPARAM key) {
    return GetKeyState(int(key)) < 0;
}

bool AllDigits(std::wstring_view text) {
    return std::all_of(text.begin(), text.end(), [](wchar_t c) { return c >= L'0' && c <= L'9'; });
}

} // namespace

void CEditControl::MoveByLines(int delta, bool extend) {
    const std::vector<CEditLine> lines = m_view.Lines(m_text);
    const size_t current = EditLineOf(lines, m_text.Caret());
    const auto target = size_t(std::clamp<long long>(static_cast<long long>(current) + delta, 0,
                                                     static_cast<long long>(lines.size()) - 1));
    // The column the moves started from is kept, so passing a short line does not lose it.
    const int column = m_column ? *m_column : m_view.LineOffset(m_text, m_text.Caret());
    MoveCaret(m_view.PositionOnLine(m_text, lines[target], column), extend);
    m_column = column;
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
        } else {
            DeleteByKey(caret, control ? m_text.NextWordStart(caret) : m_text.Next(caret));
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
    case 'Z':
        if (control) {
            Undo();
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
    const bool control = KeyDown(VK_CONTROL);
    const bool alt = KeyDown(VK_MENU);
    if (c == L'\b') {
        const size_t caret = m_text.Caret();
        DeleteByKey(control ? m_text.PreviousWordStart(caret) : m_text.Previous(caret), caret);
        return;
    }
    // Shortcuts with Ctrl or Alt are keys, and their characters type nothing; Ctrl and Alt
    // together are AltGr, which types.
    if (control != alt) {
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
        ReplaceByUser(m_text.SelectionStart(), m_text.SelectionEnd(), text.substr(0, take),
                      typed ? CChange::Typing : CChange::Other);
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

void CEditControl::DeleteByKey(size_t from, size_t to) {
    if (m_text.HasSelection()) {
        DeleteRange(m_text.SelectionStart(), m_text.SelectionEnd(), CChange::Other);
    } else {
        DeleteRange(from, to, CChange::Deleting);
    }
}

void CEditControl::DeleteRange(size_t from, size_t to, CChange kind) {
    if (!ReadOnly() && from < to) {
        ReplaceByUser(from, to, L"", kind);
    }
}

void CEditControl::ReplaceByUser(size_t from, size_t to, std::wstring_view text, CChange kind) {
    if (kind == CChange::Other || m_lastChange != kind) {
        m_undo = CUndoStep{m_text.Text(), m_text.Anchor(), m_text.Caret()};
    }
    m_text.Select(from, to);
    m_text.ReplaceSelection(text);
    m_modified = true;
    CaretMoved();
    m_lastChange = kind;
    if (Notify(EN_UPDATE)) {
        Notify(EN_CHANGE);
    }
}

bool CEditControl::Undo() {
    if (ReadOnly() || !m_undo) {
        return false;
    }
    CUndoStep redo{m_text.Text(), m_text.Anchor(), m_text.Caret()};
    m_text.SetText(m_undo->text);
    m_text.Select(m_undo->anchor, m_undo->caret);
    m_undo = std::move(redo);
    m_modified = true;
    CaretMoved();
    if (Notify(EN_UPDATE)) {
        Notify(EN_CHANGE);
    }
    return true;
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
        DeleteRange(m_text.SelectionStart(), m_text.SelectionEnd(), CChange::Other);
    }
}

void CEditControl::Paste() {
    const WString clipboard = Backend().ClipboardText();
    // A single-line edit takes the first line of what was copied.
    Insert(m_multiLine ? std::wstring_view(clipboard) : FirstEditLine(clipboard), false);
}

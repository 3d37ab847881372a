// The text of an edit control with its caret and selection.
//
// Positions lie between characters (0 to the length). The selection runs from the anchor to the
// caret, in either direction. Lines end at CR LF, LF or CR; the caret treats a CR LF as one
// step and never stops between the two.
#pragma once

#include "platform/base/Types.h"

#include <algorithm>
#include <string_view>
#include <utility>
#include <vector>

// A line of text: [start, end) without its line break.
struct CEditLine {
    size_t start = 0;
    size_t end = 0;
};

// The lines of `text`; there is always at least one.
std::vector<CEditLine> SplitEditLines(std::wstring_view text);
// The index of the line holding `pos`.
size_t EditLineOf(const std::vector<CEditLine>& lines, size_t pos);
// The characters of `text` up to its first line break.
std::wstring_view FirstEditLine(std::wstring_view text);

class CEditText {
public:
    const WString& Text() const { return m_text; }
    size_t Length() const { return m_text.size(); }
    size_t Caret() const { return m_caret; }
    size_t Anchor() const { return m_anchor; }
    size_t SelectionStart() const { return std::min(m_caret, m_anchor); }
    size_t SelectionEnd() const { return std::max(m_caret, m_anchor); }
    bool HasSelection() const { return m_caret != m_anchor; }
    std::wstring_view SelectedText() const;

    // Replaces the whole text; the caret goes to the start with nothing selected.
    void SetText(std::wstring_view text);
    // Selects from `anchor` to `caret`, both clamped to the text.
    void Select(size_t anchor, size_t caret);
    // Moves the caret; with `extend` the anchor stays, so the selection follows the caret.
    void MoveCaret(size_t to, bool extend);
    // Replaces the selection with `text`; the caret ends after it with nothing selected.
    void ReplaceSelection(std::wstring_view text);

    // The caret positions one step after and before `pos`.
    size_t Next(size_t pos) const;
    size_t Previous(size_t pos) const;
    // Where Ctrl+Right and Ctrl+Left go: the start of the next word, of this or the previous one.
    size_t NextWordStart(size_t pos) const;
    size_t PreviousWordStart(size_t pos) const;
    // The run of one kind of characters (a word, blanks or punctuation) at `pos`: the run of the
    // character after it, or of the one before at the end of a line. Empty on an empty line.
    std::pair<size_t, size_t> WordAt(size_t pos) const;

private:
    // A position inside a CR LF moves to before it.
    size_t Snap(size_t pos) const;

    WString m_text;
    size_t m_caret = 0;
    size_t m_anchor = 0;
};

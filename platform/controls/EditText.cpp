#include "platform/controls/EditText.h"

#include <algorithm>

namespace {

bool IsBreak(wchar_t c) {
    return c == L'\r' || c == L'\n';
}

// The length of the line break starting at `pos`: 2 for CR LF, 1 for a lone CR or LF, else 0.
size_t BreakLength(std::wstring_view text, size_t pos) {
    if (pos >= text.size() || !IsBreak(text[pos])) {
        return 0;
    }
    return text[pos] == L'\r' && pos + 1 < text.size() && text[pos + 1] == L'\n' ? 2 : 1;
}

enum class CharKind { Blank, Word, Punctuation, Break };

// Letters, digits and the underscore make words, and so do the characters of other scripts
// (a run of Chinese characters is one word), except their punctuation and spaces.
CharKind KindOf(wchar_t c) {
    if (IsBreak(c)) {
        return CharKind::Break;
    }
    if (c == L' ' || c == L'\t' || c == 0x3000 || c == 0x00A0) {
        return CharKind::Blank;
    }
    if ((c >= L'0' && c <= L'9') || (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') ||
        c == L'_') {
        return CharKind::Word;
    }
    const bool otherPunctuation = (c >= 0x2000 && c <= 0x206F) || (c >= 0x3001 && c <= 0x303F) ||
                                  (c >= 0xFF01 && c <= 0xFF0F) || (c >= 0xFF1A && c <= 0xFF20) ||
                                  (c >= 0xFF3B && c <= 0xFF40) || (c >= 0xFF5B && c <= 0xFF65);
    return c < 0x80 || otherPunctuation ? CharKind::Punctuation : CharKind::Word;
}

} // namespace

std::vector<CEditLine> SplitEditLines(std::wstring_view text) {
    std::vector<CEditLine> lines;
    size_t start = 0;
    for (size_t i = 0; i < text.size();) {
        const size_t breakLength = BreakLength(text, i);
        if (breakLength == 0) {
            ++i;
            continue;
        }
        lines.push_back({start, i});
        i += breakLength;
        start = i;
    }
    lines.push_back({start, text.size()});
    return lines;
}

size_t EditLineOf(const std::vector<CEditLine>& lines, size_t pos) {
    // The first line that ends at or after the position; a position on a break belongs to the
    // line the break ends.
    auto it = std::lower_bound(lines.begin(), lines.end(), pos,
                               [](const CEditLine& line, size_t p) { return line.end < p; });
    return it == lines.end() ? lines.size() - 1 : size_t(it - lines.begin());
}

std::wstring_view FirstEditLine(std::wstring_view text) {
    const size_t end = text.find_first_of(L"\r\n");
    return end == std::wstring_view::npos ? text : text.substr(0, end);
}

std::wstring_view CEditText::SelectedText() const {
    return std::wstring_view(m_text).substr(SelectionStart(), SelectionEnd() - SelectionStart());
}

void CEditText::SetText(std::wstring_view text) {
    m_text.assign(text);
    m_caret = m_anchor = 0;
}

void CEditText::Select(size_t anchor, size_t caret) {
    m_anchor = Snap(std::min(anchor, m_text.size()));
    m_caret = Snap(std::min(caret, m_text.size()));
}

void CEditText::MoveCaret(size_t to, bool extend) {
    m_caret = Snap(std::min(to, m_text.size()));
    if (!extend) {
        m_anchor = m_caret;
    }
}

void CEditText::ReplaceSelection(std::wstring_view text) {
    const size_t start = SelectionStart();
    m_text.replace(start, SelectionEnd() - start, text);
    m_caret = m_anchor = Snap(start + text.size());
}

size_t CEditText::Next(size_t pos) const {
    if (pos >= m_text.size()) {
        return m_text.size();
    }
    return pos + std::max<size_t>(BreakLength(m_text, pos), 1);
}

size_t CEditText::Previous(size_t pos) const {
    if (pos == 0) {
        return 0;
    }
    return pos >= 2 && BreakLength(m_text, pos - 2) == 2 ? pos - 2 : pos - 1;
}

size_t CEditText::NextWordStart(size_t pos) const {
    const size_t length = m_text.size();
    if (pos >= length) {
        return length;
    }
    if (KindOf(m_text[pos]) == CharKind::Break) {
        return Next(pos);
    }
    const CharKind kind = KindOf(m_text[pos]);
    while (pos < length && kind != CharKind::Blank && KindOf(m_text[pos]) == kind) {
        ++pos;
    }
    while (pos < length && KindOf(m_text[pos]) == CharKind::Blank) {
        ++pos;
    }
    return pos;
}

size_t CEditText::PreviousWordStart(size_t pos) const {
    pos = std::min(pos, m_text.size());
    while (pos > 0 && KindOf(m_text[pos - 1]) == CharKind::Blank) {
        --pos;
    }
    if (pos == 0) {
        return 0;
    }
    if (KindOf(m_text[pos - 1]) == CharKind::Break) {
        return Previous(pos);
    }
    const CharKind kind = KindOf(m_text[pos - 1]);
    while (pos > 0 && KindOf(m_text[pos - 1]) == kind) {
        --pos;
    }
    return pos;
}

std::pair<size_t, size_t> CEditText::WordAt(size_t pos) const {
    pos = std::min(pos, m_text.size());
    size_t at;
    if (pos < m_text.size() && KindOf(m_text[pos]) != CharKind::Break) {
        at = pos;
    } else if (pos > 0 && KindOf(m_text[pos - 1]) != CharKind::Break) {
        at = pos - 1;
    } else {
        return {pos, pos};
    }
    const CharKind kind = KindOf(m_text[at]);
    size_t start = at;
    size_t end = at + 1;
    while (start > 0 && KindOf(m_text[start - 1]) == kind) {
        --start;
    }
    while (end < m_text.size() && KindOf(m_text[end]) == kind) {
        ++end;
    }
    return {start, end};
}

size_t CEditText::Snap(size_t pos) const {
    return pos > 0 && BreakLength(m_text, pos - 1) == 2 ? pos - 1 : pos;
}

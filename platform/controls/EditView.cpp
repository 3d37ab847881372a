#include "platform/controls/EditView.h"

#include "platform/draw/Brush.h"
#include "platform/draw/Font.h"
#include "platform/draw/Shapes.h"
#include "platform/draw/Text.h"

#include <algorithm>

CEditView::CEditView(bool multiLine) : m_multiLine(multiLine) {
    SetFont(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
}

void CEditView::SetFont(HFONT font) {
    m_font = font;
    SelectObject(m_measure, font);
    TEXTMETRIC metrics;
    m_lineHeight = GetTextMetrics(m_measure, &metrics) ? std::max<int>(metrics.tmHeight, 1) : 1;
}

void CEditView::SetMargins(int left, int right) {
    m_leftMargin = std::max(left, 0);
    m_rightMargin = std::max(right, 0);
}

void CEditView::SetClientSize(int width, int height) {
    m_width = std::max(width, 0);
    m_height = std::max(height, 0);
}

int CEditView::VisibleLines() const {
    return std::max(m_height / m_lineHeight, 1);
}

int CEditView::ViewWidth() const {
    return std::max(m_width - m_leftMargin - m_rightMargin, 1);
}

int CEditView::TextWidth(std::wstring_view text) const {
    SIZE size;
    return GetTextExtentPoint32(m_measure, Displayed(text), &size) ? size.cx : 0;
}

std::vector<CEditLine> CEditView::Lines(const CEditText& text) const {
    if (m_multiLine) {
        return SplitEditLines(text.Text());
    }
    return {CEditLine{0, text.Length()}};
}

RECT CEditView::CaretRect(const CEditText& text, size_t pos) const {
    const std::vector<CEditLine> lines = Lines(text);
    const size_t index = EditLineOf(lines, pos);
    const CEditLine& line = lines[index];
    const int x = m_leftMargin - m_scrollX + Advance(text, line, pos - line.start);
    const int y = LineTop(index);
    return {x, y, x + 1, y + m_lineHeight};
}

size_t CEditView::PositionAt(const CEditText& text, POINT point) const {
    const std::vector<CEditLine> lines = Lines(text);
    size_t index = 0;
    if (m_multiLine) {
        const int row = point.y >= TextTop() ? (point.y - TextTop()) / m_lineHeight
                                             : -((TextTop() - point.y - 1) / m_lineHeight + 1);
        const long long wanted = static_cast<long long>(m_firstLine) + row;
        index = size_t(std::clamp<long long>(wanted, 0, static_cast<long long>(lines.size()) - 1));
    }
    return PositionOnLine(text, lines[index], point.x - (m_leftMargin - m_scrollX));
}

SIZE CEditView::OutsideBy(POINT point) const {
    SIZE outside;
    outside.cx = point.x < m_leftMargin ? -1 : point.x >= m_width - m_rightMargin ? 1 : 0;
    if (m_multiLine) {
        outside.cy = point.y < 0 ? -1 : point.y >= m_height ? 1 : 0;
    }
    return outside;
}

int CEditView::LineOffset(const CEditText& text, size_t pos) const {
    const std::vector<CEditLine> lines = Lines(text);
    const CEditLine& line = lines[EditLineOf(lines, pos)];
    return Advance(text, line, pos - line.start);
}

size_t CEditView::PositionOnLine(const CEditText& text, const CEditLine& line, int offset) const {
    const WString shown =
        Displayed(std::wstring_view(text.Text()).substr(line.start, line.end - line.start));
    std::vector<int> extents(shown.size());
    SIZE size;
    if (shown.empty() ||
        !GetTextExtentExPoint(m_measure, shown, -1, nullptr, extents.data(), &size)) {
        return line.start;
    }
    // The boundary nearest to the offset: past the middle of a character is after it.
    int before = 0;
    for (size_t i = 0; i < extents.size(); ++i) {
        if (offset * 2 < before + extents[i]) {
            return line.start + i;
        }
        before = extents[i];
    }
    return line.end;
}

void CEditView::ScrollToCaret(const CEditText& text) {
    const std::vector<CEditLine> lines = Lines(text);
    const size_t index = EditLineOf(lines, text.Caret());
    const int caretX = Advance(text, lines[index], text.Caret() - lines[index].start);
    const int width = ViewWidth();
    if (caretX < m_scrollX) {
        // Going left, a third of the view is shown before the caret, so the text being
        // deleted or walked through stays in sight.
        m_scrollX = std::max(caretX - width / 3, 0);
    } else if (caretX > m_scrollX + width - 1) {
        m_scrollX = caretX - width + 1;
    }
    int widest = 0;
    for (const CEditLine& line : lines) {
        widest = std::max(widest, Advance(text, line, line.end - line.start));
    }
    m_scrollX = std::clamp(m_scrollX, 0, std::max(widest + 1 - width, 0));

    if (m_multiLine) {
        const size_t visible = size_t(VisibleLines());
        if (index < m_firstLine) {
            m_firstLine = index;
        } else if (index >= m_firstLine + visible) {
            m_firstLine = index - visible + 1;
        }
        m_firstLine = std::min(m_firstLine, lines.size() > visible ? lines.size() - visible : 0);
    }
}

void CEditView::ScrollLines(const CEditText& text, int delta) {
    if (!m_multiLine) {
        return;
    }
    const auto lines = static_cast<long long>(Lines(text).size());
    const long long last = std::max<long long>(lines - VisibleLines(), 0);
    m_firstLine =
        size_t(std::clamp<long long>(static_cast<long long>(m_firstLine) + delta, 0, last));
}

void CEditView::Paint(HDC hdc, const CEditText& text, HBRUSH background, bool showSelection,
                      bool showCaret) const {
    CDcStateSaver saved(hdc);
    const RECT client{0, 0, m_width, m_height};
    FillRect(hdc, &client, background);
    SelectObject(hdc, m_font);
    const COLORREF textColour = GetTextColor(hdc);
    IntersectClipRect(hdc, m_leftMargin, 0, m_width - m_rightMargin, m_height);

    const std::vector<CEditLine> lines = Lines(text);
    const int x = m_leftMargin - m_scrollX;
    for (size_t index = m_firstLine; index < lines.size(); ++index) {
        const int y = LineTop(index);
        if (y >= m_height) {
            break;
        }
        const CEditLine& line = lines[index];
        const WString shown =
            Displayed(std::wstring_view(text.Text()).substr(line.start, line.end - line.start));
        TextOut(hdc, x, y, shown);

        const size_t from = std::max(text.SelectionStart(), line.start);
        const size_t to = std::min(text.SelectionEnd(), line.end);
        if (!showSelection || from >= to) {
            continue;
        }
        // The selected part is drawn again over a highlight, clipped to it, so its characters
        // sit exactly where the unselected drawing put them.
        CDcStateSaver selection(hdc);
        const RECT band{x + Advance(text, line, from - line.start), y,
                        x + Advance(text, line, to - line.start), y + m_lineHeight};
        IntersectClipRect(hdc, band.left, band.top, band.right, band.bottom);
        FillRect(hdc, &band, GetSysColorBrush(COLOR_HIGHLIGHT));
        SetTextColor(hdc, GetSysColor(COLOR_HIGHLIGHTTEXT));
        SetBkColor(hdc, GetSysColor(COLOR_HIGHLIGHT));
        TextOut(hdc, x, y, shown);
    }

    if (showCaret) {
        const RECT caret = CaretRect(text, text.Caret());
        CGdiHandle<HBRUSH> brush(CreateSolidBrush(textColour));
        FillRect(hdc, &caret, brush);
    }
}

WString CEditView::Displayed(std::wstring_view text) const {
    return m_passwordChar ? WString(text.size(), m_passwordChar) : WString(text);
}

int CEditView::Advance(const CEditText& text, const CEditLine& line, size_t count) const {
    if (count == 0) {
        return 0;
    }
    return TextWidth(std::wstring_view(text.Text()).substr(line.start, count));
}

int CEditView::TextTop() const {
    return m_multiLine ? 0 : std::max((m_height - m_lineHeight) / 2, 0);
}

int CEditView::LineTop(size_t line) const {
    return TextTop() + (int(line) - int(m_firstLine)) * m_lineHeight;
}

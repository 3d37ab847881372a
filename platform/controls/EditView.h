// How an edit control shows its text: font, margins and scroll position, the mapping between
// caret positions and points, and the painting of text, selection and caret.
//
// The text starts at the left margin, shifted left by the horizontal scroll offset. A
// single-line edit centres its line vertically; a multi-line edit shows its lines from the top,
// starting at the first visible line. Text is clipped to the area between the margins.
#pragma once

#include "platform/base/Types.h"
#include "platform/controls/EditText.h"
#include "platform/draw/DeviceContext.h"

#include <string_view>
#include <vector>

class CEditView {
public:
    explicit CEditView(bool multiLine);

    // The font must be live; the caller keeps it alive while it is set.
    void SetFont(HFONT font);
    void SetMargins(int left, int right);
    int LeftMargin() const { return m_leftMargin; }
    int RightMargin() const { return m_rightMargin; }
    void SetClientSize(int width, int height);
    // Each character shows as this one; 0 shows the text itself.
    void SetPasswordChar(wchar_t c) { m_passwordChar = c; }

    int LineHeight() const { return m_lineHeight; }
    // Whole lines that fit in the client area, at least one.
    int VisibleLines() const;
    // The width between the margins, at least one pixel.
    int ViewWidth() const;
    // The width of `text` as it shows on one line.
    int TextWidth(std::wstring_view text) const;
    std::vector<CEditLine> Lines(const CEditText& text) const;

    // The caret rectangle for the caret at `pos`, in client coordinates.
    RECT CaretRect(const CEditText& text, size_t pos) const;
    // The position nearest to a client point; points outside the lines go to the nearest line.
    size_t PositionAt(const CEditText& text, POINT point) const;
    // Which way a client point lies outside the text area: cx is -1 left of the margins and 1
    // right of them; in a multi-line view cy is -1 above the client area and 1 below it.
    SIZE OutsideBy(POINT point) const;
    // How far `pos` lies from the start of its line, in pixels; scrolling does not change it.
    int LineOffset(const CEditText& text, size_t pos) const;
    // The position on a line nearest to `offset` pixels from the line's start.
    size_t PositionOnLine(const CEditText& text, const CEditLine& line, int offset) const;
    // Scrolls so the caret is in view, and no further than the text needs.
    void ScrollToCaret(const CEditText& text);
    // Moves the first visible line of a multi-line view by `delta` lines, within the text.
    void ScrollLines(const CEditText& text, int delta);

    // Fills the client area with `background`, then draws the text with the context's text
    // colour, background colour and mode, the selection in the highlight colours, and the
    // caret in the text colour.
    void Paint(HDC hdc, const CEditText& text, HBRUSH background, bool showSelection,
               bool showCaret) const;

private:
    WString Displayed(std::wstring_view text) const;
    // The width of the first `count` characters of a line's text.
    int Advance(const CEditText& text, const CEditLine& line, size_t count) const;
    int TextTop() const;
    int LineTop(size_t line) const;

    const bool m_multiLine;
    CMemoryDC m_measure; // holds the font for measuring outside painting
    HFONT m_font = nullptr;
    int m_lineHeight = 1;
    int m_leftMargin = 1;
    int m_rightMargin = 1;
    int m_width = 0;
    int m_height = 0;
    wchar_t m_passwordChar = 0;
    int m_scrollX = 0;
    size_t m_firstLine = 0;
};

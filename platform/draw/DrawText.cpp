#include "platform/draw/DrawText.h"

#include "platform/draw/PixelColour.h"
#include "platform/draw/Raster.h"
#include "platform/draw/TextRun.h"

#include <string_view>

namespace {

constexpr std::wstring_view kEllipsis = L"...";

bool IsSpace(wchar_t c) {
    return c == L' ' || c == L'\t';
}
bool IsLineBreak(wchar_t c) {
    return c == L'\r' || c == L'\n';
}

bool IsWide(wchar_t c) {
    return (c >= 0x2E80 && c <= 0x9FFF) || (c >= 0xAC00 && c <= 0xD7AF) ||
           (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFE30 && c <= 0xFE4F) ||
           (c >= 0xFF00 && c <= 0xFFEF) || (c >= 0x20000 && c <= 0x3FFFF);
}

// Punctuation that never starts a line, and brackets that never end one.
bool NoBreakBefore(wchar_t c) {
    return std::wstring_view(L"，。！？；：、）」』】》〉”’%,.!?;:)]}").find(c) !=
           std::wstring_view::npos;
}
bool NoBreakAfter(wchar_t c) {
    return std::wstring_view(L"（「『【《〈“‘([{").find(c) != std::wstring_view::npos;
}

// Between two characters a line may break when one of them is a wide (Chinese) character.
bool CanBreakBetween(wchar_t a, wchar_t b) {
    if (!IsWide(a) && !IsWide(b)) {
        return false;
    }
    return !NoBreakBefore(b) && !NoBreakAfter(a) && !IsSpace(b);
}

struct CLine {
    std::wstring text;
    std::vector<std::size_t> underlined; // indices into text
    int width = 0;
};

class CTextLayout {
public:
    CTextLayout(CFontInstance& font, UINT format) : m_font(font), m_format(format) {
        const int perStop = (format & DT_TABSTOP) ? int((format >> 8) & 0xFF) : 0;
        m_tabWidth = std::max(1, font.Metrics().averageCharWidth * (perStop > 0 ? perStop : 8));
    }

    // Width of one character drawn at x from the line start.
    int Advance(wchar_t c, int advance, int x) const {
        if (c == L'\t' && (m_format & DT_EXPANDTABS)) {
            return (x / m_tabWidth + 1) * m_tabWidth - x;
        }
        return advance;
    }

    int Width(std::wstring_view text) const {
        thread_local std::vector<const CGlyph*> glyphs;
        m_font.Glyphs(text, glyphs);
        int x = 0;
        for (std::size_t i = 0; i < text.size(); ++i) {
            x += Advance(text[i], glyphs[i]->advance, x);
        }
        return x;
    }

    std::vector<CLine> Lines(const WString& source, int limit) {
        // Prefix characters first, so that measuring sees what is drawn.
        std::wstring text;
        std::vector<std::size_t> underlined;
        for (std::size_t i = 0; i < source.size(); ++i) {
            if (source[i] == L'&' && !(m_format & DT_NOPREFIX)) {
                if (++i >= source.size()) {
                    break;
                }
                if (source[i] != L'&') {
                    underlined.push_back(text.size());
                }
            }
            text += source[i];
        }
        std::vector<const CGlyph*> glyphs;
        m_font.Glyphs(text, glyphs);

        std::vector<CLine> lines;
        // Spaces where a long line was broken are dropped; other spaces count.
        auto emit = [&](std::size_t begin, std::size_t end, bool broken) {
            while (broken && end > begin && text[end - 1] == L' ') {
                --end;
            }
            CLine line;
            line.text = text.substr(begin, end - begin);
            for (std::size_t u : underlined) {
                if (u >= begin && u < end) {
                    line.underlined.push_back(u - begin);
                }
            }
            line.width = Width(line.text);
            lines.push_back(std::move(line));
        };
        const bool single = m_format & DT_SINGLELINE;
        const bool wrap = (m_format & DT_WORDBREAK) && !single;
        std::size_t start = 0;
        while (start <= text.size()) {
            std::size_t end = start;
            while (end < text.size() && (single || !IsLineBreak(text[end]))) {
                ++end;
            }
            if (wrap) {
                Wrap(text, glyphs, start, end, limit, emit);
            } else {
                emit(start, end, false);
            }
            if (end >= text.size()) {
                break;
            }
            // CR LF is one break.
            start =
                end +
                ((text[end] == L'\r' && end + 1 < text.size() && text[end + 1] == L'\n') ? 2 : 1);
        }
        return lines;
    }

    // Shortens a line so that it ends in "..." and fits the limit.
    void Ellipsize(CLine& line, int limit) const {
        const int dots = Width(kEllipsis);
        std::size_t keep = line.text.size();
        while (keep > 0 && Width(std::wstring_view(line.text).substr(0, keep)) + dots > limit) {
            --keep;
        }
        line.text = line.text.substr(0, keep) + std::wstring(kEllipsis);
        std::erase_if(line.underlined, [keep](std::size_t u) { return u >= keep; });
        line.width = Width(line.text);
    }

    // x of character i of a line, and its width.
    std::pair<int, int> CharacterSpan(const CLine& line, std::size_t i) const {
        const int x = Width(std::wstring_view(line.text).substr(0, i));
        return {x, Width(std::wstring_view(line.text).substr(0, i + 1)) - x};
    }

private:
    template <class Emit>
    void Wrap(const std::wstring& text, const std::vector<const CGlyph*>& glyphs, std::size_t begin,
              std::size_t end, int limit, Emit& emit) {
        std::size_t i = begin;
        do {
            int x = 0;
            std::size_t lastBreak = i;
            std::size_t j = i;
            for (; j < end; ++j) {
                const int w = Advance(text[j], glyphs[j]->advance, x);
                if (x + w > limit && j > i && !IsSpace(text[j])) {
                    break;
                }
                x += w;
                if (IsSpace(text[j]) || (j + 1 < end && CanBreakBetween(text[j], text[j + 1]))) {
                    lastBreak = j + 1;
                }
            }
            if (j >= end) {
                emit(i, end, false);
                return;
            }
            // Break after the last space or wide character; a word alone too wide is cut.
            const std::size_t lineEnd = lastBreak > i ? lastBreak : j;
            emit(i, lineEnd, true);
            i = lineEnd;
            while (i < end && text[i] == L' ') {
                ++i;
            }
        } while (i < end);
    }

    CFontInstance& m_font;
    UINT m_format;
    int m_tabWidth;
};

// Draws one laid-out line with its cell's top-left at (x, y).
void DrawLine(CDeviceContext& dc, CFontInstance& font, bool underline, const CTextLayout& layout,
              const CLine& line, int x, int y, int height, const RECT* bound) {
    if (dc.State().backgroundMode == OPAQUE) {
        RECT cell{x, y, x + line.width, y + height};
        if (bound) {
            cell = IntersectRects(cell, *bound);
        }
        FillClipped(dc, dc.ToDevice(cell), PixelFromColour(dc.State().backgroundColour));
    }
    // Tabs leave gaps: draw the runs between them at their own positions.
    std::size_t runStart = 0;
    for (std::size_t i = 0; i <= line.text.size(); ++i) {
        if (i == line.text.size() || line.text[i] == L'\t') {
            if (i > runStart) {
                const int runX = x + layout.CharacterSpan(line, runStart).first;
                DrawGlyphs(dc, font, underline,
                           std::wstring_view(line.text).substr(runStart, i - runStart), runX, y,
                           bound);
            }
            runStart = i + 1;
        }
    }
    const CFontMetrics& m = font.Metrics();
    for (std::size_t u : line.underlined) {
        const auto [charX, charWidth] = layout.CharacterSpan(line, u);
        const int top = y + m.ascent + m.underlinePosition;
        RECT mark{x + charX, top, x + charX + charWidth, top + m.underlineThickness};
        if (bound) {
            mark = IntersectRects(mark, *bound);
        }
        FillClipped(dc, dc.ToDevice(mark), PixelFromColour(dc.State().textColour));
    }
}

} // namespace

int DrawText(HDC hdc, const WString& text, RECT* rect, UINT format) {
    if (!IsDeviceContext(hdc) || !rect) {
        return 0;
    }
    CDeviceContext& dc = *hdc;
    const bool calc = format & DT_CALCRECT;
    if (text.empty()) {
        if (calc) {
            rect->right = rect->left;
            rect->bottom = rect->top;
        }
        return 0;
    }
    bool underline = false;
    CFontInstance* font = TextFont(dc, &underline);
    if (!font) {
        return 0;
    }
    const CFontMetrics& m = font->Metrics();
    const int lineHeight = m.height + ((format & DT_EXTERNALLEADING) ? m.externalLeading : 0);
    const RECT box = *rect;
    const int limit = box.Width();

    CTextLayout layout(*font, format);
    std::vector<CLine> lines = layout.Lines(text, limit);
    if (!calc && (format & DT_EDITCONTROL) && !(format & DT_SINGLELINE)) {
        const std::size_t fitting =
            std::max<std::size_t>(1, std::size_t(std::max(0, box.Height() / lineHeight)));
        if (lines.size() > fitting) {
            lines.resize(fitting);
            if (format & DT_END_ELLIPSIS) {
                layout.Ellipsize(lines.back(), limit);
            }
        }
    }
    if (format & DT_END_ELLIPSIS) {
        for (CLine& line : lines) {
            if (line.width > limit) {
                layout.Ellipsize(line, limit);
            }
        }
    }

    const int textHeight = int(lines.size()) * lineHeight;
    int top = box.top;
    if (format & DT_SINGLELINE) {
        if (format & DT_VCENTER) {
            top = box.top + (box.Height() - lineHeight) / 2;
        } else if (format & DT_BOTTOM) {
            top = box.bottom - lineHeight;
        }
    }
    auto lineLeft = [&](const CLine& line) {
        if (format & DT_CENTER) {
            return box.left + (limit - line.width) / 2;
        }
        if (format & DT_RIGHT) {
            return box.right - line.width;
        }
        return int(box.left);
    };

    if (calc) {
        RECT drawn{lineLeft(lines[0]), top, lineLeft(lines[0]), top + textHeight};
        for (const CLine& line : lines) {
            const int left = lineLeft(line);
            drawn.left = std::min(drawn.left, left);
            drawn.right = std::max(drawn.right, left + line.width);
        }
        *rect = drawn;
    } else {
        const RECT* bound = (format & DT_NOCLIP) ? nullptr : &box;
        int y = top;
        for (const CLine& line : lines) {
            DrawLine(dc, *font, underline, layout, line, lineLeft(line), y, m.height, bound);
            y += lineHeight;
        }
    }
    return (format & DT_SINGLELINE) && (format & (DT_VCENTER | DT_BOTTOM))
               ? top + textHeight - box.top
               : textHeight;
}

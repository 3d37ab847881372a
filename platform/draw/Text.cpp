#include "platform/draw/Text.h"

#include "platform/draw/Font.h"
#include "platform/draw/PixelColour.h"
#include "platform/draw/Raster.h"
#include "platform/draw/TextRun.h"

namespace {

CDeviceContext* Context(HDC hdc) {
    return IsDeviceContext(hdc) ? hdc : nullptr;
}

// (v + 127) / 255 for v up to 255 * 255, without a division.
inline unsigned Div255(unsigned v) {
    v += 128;
    return (v + (v >> 8)) >> 8;
}

// Blends one glyph's coverage into a clipped piece of the target.
void BlendGlyph(CBitmap& target, const CGlyph& glyph, int originX, int originY, const RECT& piece,
                std::uint32_t colour) {
    const unsigned cb = colour & 0xFF, cg = (colour >> 8) & 0xFF, cr = (colour >> 16) & 0xFF;
    const int n = piece.Width();
    for (int y = piece.top; y < piece.bottom; ++y) {
        const std::uint8_t* coverage = glyph.coverage.data() +
                                       std::size_t(y - originY) * std::size_t(glyph.width) +
                                       std::size_t(piece.left - originX);
        EditSpan(target, piece.left, y, n, true, [&](std::uint32_t* p) {
            for (int i = 0; i < n; ++i) {
                const unsigned a = coverage[i];
                if (a == 0) {
                    continue;
                }
                if (a == 255) {
                    p[i] = (p[i] & ~kPixelColourMask) | colour;
                    continue;
                }
                const std::uint32_t d = p[i];
                const unsigned rest = 255 - a;
                const unsigned b = Div255(cb * a + (d & 0xFF) * rest);
                const unsigned g = Div255(cg * a + ((d >> 8) & 0xFF) * rest);
                const unsigned r = Div255(cr * a + ((d >> 16) & 0xFF) * rest);
                p[i] = (d & ~kPixelColourMask) | b | (g << 8) | (r << 16);
            }
        });
    }
}

// Draws a line of text as ExtTextOut does.
bool DrawLine(CDeviceContext& dc, int x, int y, UINT options, const RECT* rect,
              std::wstring_view text) {
    if ((options & ETO_OPAQUE) && rect) {
        FillClipped(dc, dc.ToDevice(*rect), PixelFromColour(dc.State().backgroundColour));
    }
    if (text.empty()) {
        return true;
    }
    bool underline = false;
    CFontInstance* font = TextFont(dc, &underline);
    if (!font) {
        return false;
    }
    const RECT* bound = (options & ETO_CLIPPED) ? rect : nullptr;
    if (dc.State().backgroundMode == OPAQUE) {
        RECT cell{x, y, x + font->TextWidth(text), y + font->Metrics().height};
        if (bound) {
            cell = IntersectRects(cell, *bound);
        }
        FillClipped(dc, dc.ToDevice(cell), PixelFromColour(dc.State().backgroundColour));
    }
    DrawGlyphs(dc, *font, underline, text, x, y, bound);
    return true;
}

} // namespace

CFontInstance* TextFont(const CDeviceContext& dc, bool* underline) {
    const CFont* font = dc.Font();
    if (!font) {
        font = static_cast<const CFont*>(GetStockObject(DEFAULT_GUI_FONT));
    }
    if (underline) {
        *underline = font && font->Description().lfUnderline;
    }
    return font ? &font->Instance() : nullptr;
}

void DrawGlyphs(CDeviceContext& dc, CFontInstance& font, bool underline, std::wstring_view text,
                int x, int y, const RECT* bound) {
    const CFontMetrics& metrics = font.Metrics();
    const POINT o = dc.Origin();
    RECT limit{INT32_MIN / 2, INT32_MIN / 2, INT32_MAX / 2, INT32_MAX / 2};
    if (bound) {
        limit = dc.ToDevice(*bound);
    }
    // Glyphs may reach a little beyond their cell (accents, slanted or fallback faces).
    const int margin = metrics.height / 2 + 2;
    const RECT reach = IntersectRects(
        RECT{limit.left, y + o.y - margin, limit.right, y + o.y + metrics.height + margin}, limit);
    if (!dc.Touches(reach)) {
        return;
    }
    thread_local std::vector<const CGlyph*> glyphs;
    font.Glyphs(text, glyphs);
    CBitmap& target = *dc.Target();
    const std::uint32_t colour = PixelFromColour(dc.State().textColour);
    int penX = x + o.x;
    const int baseline = y + o.y + metrics.ascent;
    for (const CGlyph* glyph : glyphs) {
        if (glyph->width > 0) {
            const int left = penX + glyph->left, top = baseline - glyph->top;
            const RECT box =
                IntersectRects(RECT{left, top, left + glyph->width, top + glyph->height}, limit);
            ForEachClipped(dc, box, [&](const RECT& piece) {
                BlendGlyph(target, *glyph, left, top, piece, colour);
            });
        }
        penX += glyph->advance;
    }
    if (underline) {
        const int top = baseline + metrics.underlinePosition;
        const RECT line{x + o.x, top, penX, top + metrics.underlineThickness};
        FillClipped(dc, IntersectRects(line, limit), colour);
    }
}

bool TextOut(HDC hdc, int x, int y, std::wstring_view text) {
    CDeviceContext* dc = Context(hdc);
    return dc && DrawLine(*dc, x, y, 0, nullptr, text);
}

bool ExtTextOut(HDC hdc, int x, int y, UINT options, const RECT* rect, std::wstring_view text) {
    CDeviceContext* dc = Context(hdc);
    return dc && DrawLine(*dc, x, y, options, rect, text);
}

bool GetTextExtentPoint32(HDC hdc, std::wstring_view text, SIZE* size) {
    return GetTextExtentExPoint(hdc, text, -1, nullptr, nullptr, size);
}

bool GetTextExtentExPoint(HDC hdc, std::wstring_view text, int maxExtent, int* fit, int* extents,
                          SIZE* size) {
    CDeviceContext* dc = Context(hdc);
    CFontInstance* font = dc ? TextFont(*dc) : nullptr;
    if (!font || !size) {
        return false;
    }
    thread_local std::vector<const CGlyph*> glyphs;
    font->Glyphs(text, glyphs);
    int width = 0;
    int fitting = 0;
    for (std::size_t i = 0; i < glyphs.size(); ++i) {
        width += glyphs[i]->advance;
        if (extents) {
            extents[i] = width;
        }
        if (maxExtent < 0 || width <= maxExtent) {
            fitting = int(i) + 1;
        }
    }
    if (fit) {
        *fit = fitting;
    }
    size->cx = width;
    size->cy = font->Metrics().height;
    return true;
}

bool GetTextMetrics(HDC hdc, TEXTMETRIC* metrics) {
    CDeviceContext* dc = Context(hdc);
    bool underline = false;
    CFontInstance* font = dc ? TextFont(*dc, &underline) : nullptr;
    if (!font || !metrics) {
        return false;
    }
    const CFontMetrics& m = font->Metrics();
    metrics->tmHeight = m.height;
    metrics->tmAscent = m.ascent;
    metrics->tmDescent = m.descent;
    metrics->tmInternalLeading = m.internalLeading;
    metrics->tmExternalLeading = m.externalLeading;
    metrics->tmAveCharWidth = m.averageCharWidth;
    metrics->tmMaxCharWidth = m.maxCharWidth;
    metrics->tmWeight = m.bold ? 700 : 400;
    metrics->tmItalic = m.italic ? 1 : 0;
    metrics->tmUnderlined = underline ? 1 : 0;
    return true;
}

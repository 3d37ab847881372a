// A font at one pixel size and style, drawn with FreeType: metrics and a cache of grey-scale
// glyph images. Characters the main face lacks come from the next matched face that has them,
// so mixed Chinese and Latin text renders in one font. Instances with the same description are
// shared; glyphs, once made, stay cached (and their addresses stable) for the process.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

struct CFontRequest {
    std::string family; // UTF-8; empty asks for the default face
    int height = 0;     // negative: character (em) height in pixels; positive: cell height
    bool bold = false;
    bool italic = false;
    bool antialiased = true; // false: every pixel either covered or not

    friend bool operator==(const CFontRequest&, const CFontRequest&) = default;
};

struct CFontMetrics {
    int height = 0; // ascent + descent: the cell height of one line
    int ascent = 0;
    int descent = 0;
    int internalLeading = 0;
    int externalLeading = 0;
    int averageCharWidth = 0;
    int maxCharWidth = 0;
    int underlinePosition = 0; // rows below the baseline of the underline's top
    int underlineThickness = 1;
    bool bold = false;   // as requested
    bool italic = false; // as requested
};

struct CGlyph {
    int left = 0; // offset of the image from the pen position
    int top = 0;  // rows of the image above the baseline
    int width = 0;
    int height = 0;
    int advance = 0;                    // whole pixels
    std::vector<std::uint8_t> coverage; // width x height, 0 none to 255 full
};

class CFontInstance {
public:
    // Null when no face at all can be found.
    static std::shared_ptr<CFontInstance> Get(const CFontRequest& request);
    ~CFontInstance();

    const CFontMetrics& Metrics() const { return m_metrics; }
    // One glyph per character (control characters give an empty glyph without advance).
    void Glyphs(const std::wstring_view& text, std::vector<const CGlyph*>& out);
    // The sum of the advances.
    int TextWidth(const std::wstring_view& text);

    struct CImpl;

private:
    explicit CFontInstance(std::unique_ptr<CImpl> impl);

    std::unique_ptr<CImpl> m_impl;
    CFontMetrics m_metrics;
};

#include "platform/draw/fonts/FontInstance.h"

#include "platform/draw/fonts/FontConfig.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <algorithm>
#include <cmath>
#include <mutex>
#include <unordered_map>

namespace {

// FreeType and fontconfig calls, the instance list and every glyph cache are serialised by
// this one lock: a library handle is not safe to share between threads otherwise.
std::mutex& FontLock() {
    static std::mutex lock;
    return lock;
}

struct LibraryDeleter {
    void operator()(FT_Library library) const { FT_Done_FreeType(library); }
};
struct FaceDeleter {
    void operator()(FT_Face face) const { FT_Done_Face(face); }
};
using LibraryPtr = std::unique_ptr<FT_LibraryRec_, LibraryDeleter>;
using FacePtr = std::unique_ptr<FT_FaceRec_, FaceDeleter>;

FT_Library Library() {
    static const LibraryPtr library = [] {
        FT_Library made = nullptr;
        return LibraryPtr(FT_Init_FreeType(&made) == 0 ? made : nullptr);
    }();
    return library.get();
}

int Ceil26(FT_Pos v) {
    return int((v + 63) >> 6);
}
int Round26(FT_Pos v) {
    return int((v + 32) >> 6);
}

// Oblique shear for faces without an italic style: about 12 degrees.
constexpr FT_Fixed kObliqueShear = 0x0366A;

} // namespace

struct CFontInstance::CImpl {
    struct CFace {
        CFaceSource source;
        FacePtr face; // opened on first use
        bool failed = false;
    };

    CFontRequest request;
    int emPixels = 12;
    std::vector<CFace> faces; // faces[0] is the main face
    std::unordered_map<char32_t, CGlyph> glyphs;

    FT_Face OpenFace(std::size_t i) {
        CFace& f = faces[i];
        if (!f.face && !f.failed) {
            FT_Face face = nullptr;
            if (FT_New_Face(Library(), f.source.file.c_str(), f.source.index, &face) == 0 &&
                FT_Set_Pixel_Sizes(face, 0, FT_UInt(emPixels)) == 0) {
                f.face.reset(face);
            } else {
                if (face) {
                    FT_Done_Face(face);
                }
                f.failed = true;
            }
        }
        return f.face.get();
    }

    // The face that draws c: the first that has it, else the main face (its missing glyph).
    std::size_t FaceFor(char32_t c) {
        for (std::size_t i = 0; i < faces.size(); ++i) {
            if (faces[i].source.HasChar(c) && OpenFace(i)) {
                return i;
            }
        }
        return 0;
    }

    CGlyph Render(char32_t c) {
        CGlyph glyph;
        if (c < 0x20 || (c >= 0x7F && c < 0xA0)) {
            return glyph;
        }
        const std::size_t index = FaceFor(c);
        FT_Face face = OpenFace(index);
        if (!face) {
            return glyph;
        }
        // Light hinting fits stems to the pixel grid vertically only: crisp and true to shape.
        const FT_Int32 target = request.antialiased ? FT_LOAD_TARGET_LIGHT : FT_LOAD_TARGET_MONO;
        if (FT_Load_Glyph(face, FT_Get_Char_Index(face, FT_ULong(c)), FT_LOAD_NO_BITMAP | target) !=
            0) {
            return glyph;
        }
        FT_GlyphSlot slot = face->glyph;
        FT_Pos extraAdvance = 0;
        if (slot->format == FT_GLYPH_FORMAT_OUTLINE) {
            if (request.bold && !faces[index].source.bold) {
                // Synthetic bold: widen horizontally only, so the line height stays.
                const FT_Pos strength = std::max<FT_Pos>(64, FT_Pos(emPixels) * 64 / 16);
                FT_Outline_EmboldenXY(&slot->outline, strength, 0);
                extraAdvance = strength;
            }
            if (request.italic && !faces[index].source.italic) {
                FT_Matrix shear{0x10000, kObliqueShear, 0, 0x10000};
                FT_Outline_Transform(&slot->outline, &shear);
            }
        }
        glyph.advance = Round26(slot->advance.x + extraAdvance);
        if (FT_Render_Glyph(slot, request.antialiased ? FT_RENDER_MODE_NORMAL
                                                      : FT_RENDER_MODE_MONO) != 0) {
            return glyph;
        }
        const FT_Bitmap& bitmap = slot->bitmap;
        glyph.left = slot->bitmap_left;
        glyph.top = slot->bitmap_top;
        glyph.width = int(bitmap.width);
        glyph.height = int(bitmap.rows);
        glyph.coverage.resize(std::size_t(glyph.width) * std::size_t(glyph.height));
        for (int y = 0; y < glyph.height; ++y) {
            const unsigned char* row = bitmap.buffer + std::ptrdiff_t(y) * bitmap.pitch;
            std::uint8_t* out = glyph.coverage.data() + std::size_t(y) * glyph.width;
            for (int x = 0; x < glyph.width; ++x) {
                out[x] = bitmap.pixel_mode == FT_PIXEL_MODE_MONO
                             ? ((row[x >> 3] >> (7 - (x & 7))) & 1 ? 255 : 0)
                             : row[x];
            }
        }
        return glyph;
    }

    const CGlyph& Glyph(char32_t c) {
        auto found = glyphs.find(c);
        if (found == glyphs.end()) {
            found = glyphs.emplace(c, Render(c)).first;
        }
        return found->second;
    }
};

namespace {

struct CRequestHash {
    std::size_t operator()(const CFontRequest& s) const {
        std::size_t h = std::hash<std::string>()(s.family);
        h = h * 31 + std::hash<int>()(s.height);
        return h * 8 + (s.bold ? 4 : 0) + (s.italic ? 2 : 0) + (s.antialiased ? 1 : 0);
    }
};

// Instances stay alive while a font uses them; the list only refers to them.
std::unordered_map<CFontRequest, std::weak_ptr<CFontInstance>, CRequestHash>& Instances() {
    static std::unordered_map<CFontRequest, std::weak_ptr<CFontInstance>, CRequestHash> instances;
    return instances;
}

} // namespace

CFontInstance::CFontInstance(std::unique_ptr<CImpl> impl) : m_impl(std::move(impl)) {
    FT_Face face = m_impl->OpenFace(0);
    const FT_Size_Metrics& m = face->size->metrics;
    m_metrics.ascent = Ceil26(m.ascender);
    m_metrics.descent = Ceil26(-m.descender);
    m_metrics.height = m_metrics.ascent + m_metrics.descent;
    m_metrics.internalLeading = std::max(0, m_metrics.height - m_impl->emPixels);
    m_metrics.externalLeading = std::max(0, Round26(m.height) - m_metrics.height);
    m_metrics.maxCharWidth = Ceil26(m.max_advance);
    m_metrics.averageCharWidth = m_impl->Glyph(U'x').advance;
    const double scale = double(m_impl->emPixels) / double(face->units_per_EM);
    m_metrics.underlinePosition = std::max(1, int(std::lround(-face->underline_position * scale)));
    m_metrics.underlineThickness = std::max(1, int(std::lround(face->underline_thickness * scale)));
    if (m_metrics.underlinePosition + m_metrics.underlineThickness > m_metrics.descent) {
        m_metrics.underlinePosition = std::max(1, m_metrics.descent - m_metrics.underlineThickness);
    }
    m_metrics.bold = m_impl->request.bold;
    m_metrics.italic = m_impl->request.italic;
}

CFontInstance::~CFontInstance() {
    std::lock_guard guard(FontLock());
    m_impl.reset();
}

std::shared_ptr<CFontInstance> CFontInstance::Get(const CFontRequest& request) {
    std::lock_guard guard(FontLock());
    auto& instances = Instances();
    if (auto found = instances.find(request); found != instances.end()) {
        if (auto live = found->second.lock()) {
            return live;
        }
    }
    auto impl = std::make_unique<CImpl>();
    impl->request = request;
    for (CFaceSource& source : MatchFaces(request.family, request.bold, request.italic)) {
        impl->faces.push_back(CImpl::CFace{std::move(source), nullptr, false});
    }
    if (impl->faces.empty()) {
        return nullptr;
    }
    impl->emPixels = request.height < 0 ? -request.height : 12;
    if (request.height > 0) {
        // A positive height is the cell height: find the em size whose ascent and descent
        // add up to it.
        FT_Face face = impl->OpenFace(0);
        if (!face) {
            return nullptr;
        }
        const double cell = double(face->ascender - face->descender);
        impl->emPixels = std::max(1, int(request.height * face->units_per_EM / cell));
        impl->faces[0].face.reset();
    }
    if (!impl->OpenFace(0)) {
        return nullptr;
    }
    std::shared_ptr<CFontInstance> made(new CFontInstance(std::move(impl)));
    instances[request] = made;
    return made;
}

void CFontInstance::Glyphs(const std::wstring_view& text, std::vector<const CGlyph*>& out) {
    out.clear();
    out.reserve(text.size());
    std::lock_guard guard(FontLock());
    for (wchar_t c : text) {
        out.push_back(&m_impl->Glyph(char32_t(c)));
    }
}

int CFontInstance::TextWidth(const std::wstring_view& text) {
    std::lock_guard guard(FontLock());
    int width = 0;
    for (wchar_t c : text) {
        width += m_impl->Glyph(char32_t(c)).advance;
    }
    return width;
}

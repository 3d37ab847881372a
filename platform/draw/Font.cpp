#include "platform/draw/Font.h"

#include "platform/fonts/FontInstance.h"

namespace {

std::string Utf8(const WString& text) {
    std::string out;
    for (wchar_t w : text) {
        const auto c = std::uint32_t(w);
        if (c < 0x80) {
            out += char(c);
        } else if (c < 0x800) {
            out += char(0xC0 | (c >> 6));
            out += char(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += char(0xE0 | (c >> 12));
            out += char(0x80 | ((c >> 6) & 0x3F));
            out += char(0x80 | (c & 0x3F));
        } else if (c < 0x110000) {
            out += char(0xF0 | (c >> 18));
            out += char(0x80 | ((c >> 12) & 0x3F));
            out += char(0x80 | ((c >> 6) & 0x3F));
            out += char(0x80 | (c & 0x3F));
        }
    }
    return out;
}

} // namespace

CFont::CFont(const LOGFONT& description, std::shared_ptr<CFontInstance> instance, bool stock)
    : CGdiObject(kKind, stock), m_description(description), m_instance(std::move(instance)) {}

CFont::~CFont() = default;

HFONT CreateFontIndirect(const LOGFONT* description) {
    if (!description) {
        return nullptr;
    }
    LOGFONT kept = *description;
    if (kept.lfFaceName.size() >= LF_FACESIZE) {
        kept.lfFaceName.resize(LF_FACESIZE - 1);
    }
    CFontRequest request;
    request.family = Utf8(kept.lfFaceName);
    request.height = kept.lfHeight;
    request.bold = kept.lfWeight >= 600;
    request.italic = kept.lfItalic != 0;
    request.antialiased = kept.lfQuality != NONANTIALIASED_QUALITY;
    std::shared_ptr<CFontInstance> instance = CFontInstance::Get(request);
    if (!instance) {
        return nullptr;
    }
    return new CFont(kept, std::move(instance));
}

bool GetObject(HFONT font, LOGFONT* out) {
    CFont* f = GdiCast<CFont>(font);
    if (!f || !out) {
        return false;
    }
    *out = f->Description();
    return true;
}

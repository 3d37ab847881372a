#include "platform/draw/Font.h"

#include "platform/base/Utf8.h"
#include "platform/draw/fonts/FontInstance.h"

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
    request.family = WideToUtf8(kept.lfFaceName);
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

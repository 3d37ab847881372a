#include "bkwin/BkFontPool.h"

BkFontPool& BkFontPool::Instance() {
    // Never destroyed: the drawing layer's object table may be gone by the time static
    // destructors run, so the fonts are left to the operating system at exit.
    static BkFontPool& instance = *new BkFontPool;
    return instance;
}

BkFontPool::BkFontPool() {
    BuildBaseFont();
}

void BkFontPool::SetDefaultFont(const WString* face, int height) {
    baseFace_ = face != nullptr ? *face : WString();
    baseHeight_ = height;
    BuildBaseFont();
}

void BkFontPool::BuildBaseFont() {
    LOGFONT font;
    GetObject(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)), &font);
    font.lfHeight = baseHeight_;
    font.lfFaceName = baseFace_.substr(0, LF_FACESIZE - 1);
    font.lfQuality = ANTIALIASED_QUALITY;
    baseFont_ = font;
    HFONT created = CreateFontIndirect(&baseFont_);
    if (created != nullptr) {
        fonts_[0].Reset(created);
    } else {
        fonts_.erase(0);
    }
}

HFONT BkFontPool::GetFont(WORD code) {
    auto it = fonts_.find(code);
    if (it != fonts_.end()) {
        return it->second;
    }
    LOGFONT font = baseFont_;
    font.lfWeight = (code & 4) ? FW_BOLD : FW_NORMAL;
    font.lfUnderline = (code & 2) ? 1 : 0;
    font.lfItalic = (code & 1) ? 1 : 0;
    font.lfHeight = baseFont_.lfHeight - std::int8_t(code >> 8);
    HFONT created = CreateFontIndirect(&font);
    if (created != nullptr) {
        fonts_.emplace(code, CGdiHandle<HFONT>(created));
    }
    return created;
}

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
    m_baseFace = face != nullptr ? *face : WString();
    m_baseHeight = height;
    BuildBaseFont();
}

void BkFontPool::BuildBaseFont() {
    LOGFONT font;
    GetObject(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)), &font);
    font.lfHeight = m_baseHeight;
    font.lfFaceName = m_baseFace.substr(0, LF_FACESIZE - 1);
    font.lfQuality = ANTIALIASED_QUALITY;
    m_baseFont = font;
    HFONT created = CreateFontIndirect(&m_baseFont);
    if (created != nullptr) {
        m_fonts[0].Reset(created);
    } else {
        m_fonts.erase(0);
    }
}

HFONT BkFontPool::GetFont(WORD code) {
    auto it = m_fonts.find(code);
    if (it != m_fonts.end()) {
        return it->second;
    }
    LOGFONT font = m_baseFont;
    font.lfWeight = (code & 4) ? FW_BOLD : FW_NORMAL;
    font.lfUnderline = (code & 2) ? 1 : 0;
    font.lfItalic = (code & 1) ? 1 : 0;
    font.lfHeight = m_baseFont.lfHeight - std::int8_t(code >> 8);
    HFONT created = CreateFontIndirect(&font);
    if (created != nullptr) {
        m_fonts.emplace(code, CGdiHandle<HFONT>(created));
    }
    return created;
}

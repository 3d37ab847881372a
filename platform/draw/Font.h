// Font objects: a LOGFONT-like description resolved to FreeType faces through fontconfig.
#pragma once

#include "platform/base/Types.h"
#include "platform/draw/GdiObject.h"

#include <memory>

class CFontInstance;

constexpr LONG FW_NORMAL = 400;
constexpr LONG FW_BOLD = 700;
constexpr BYTE DEFAULT_QUALITY = 0;
constexpr BYTE NONANTIALIASED_QUALITY = 3;
constexpr BYTE ANTIALIASED_QUALITY = 4;
constexpr BYTE CLEARTYPE_QUALITY = 5;
constexpr std::size_t LF_FACESIZE = 32; // face names keep at most 31 characters

struct LOGFONT {
    LONG lfHeight = 0; // negative: character height in pixels; positive: cell height; 0: default
    LONG lfWidth = 0;
    LONG lfEscapement = 0;
    LONG lfOrientation = 0;
    LONG lfWeight = FW_NORMAL; // 600 and more draw bold
    BYTE lfItalic = 0;
    BYTE lfUnderline = 0;
    BYTE lfStrikeOut = 0;
    BYTE lfCharSet = 1;
    BYTE lfOutPrecision = 0;
    BYTE lfClipPrecision = 0;
    BYTE lfQuality = DEFAULT_QUALITY; // NONANTIALIASED_QUALITY draws without grey levels
    BYTE lfPitchAndFamily = 0;
    WString lfFaceName; // empty: the default sans-serif face
};

class CFont : public CGdiObject {
public:
    static constexpr GdiKind kKind = GdiKind::Font;
    CFont(const LOGFONT& description, std::shared_ptr<CFontInstance> instance, bool stock = false);
    ~CFont() override;

    const LOGFONT& Description() const { return m_description; }
    CFontInstance& Instance() const { return *m_instance; }

private:
    LOGFONT m_description;
    std::shared_ptr<CFontInstance> m_instance;
};

// Null when no face can be found at all. A face name longer than 31 characters is cut.
HFONT CreateFontIndirect(const LOGFONT* description);
bool GetObject(HFONT font, LOGFONT* out);

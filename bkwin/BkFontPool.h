// The process-wide font pool: every font of the user interface derives from one base font by
// a 16-bit font code. Bit 0 italic, bit 1 underline, bit 2 bold; the high byte is a signed
// size step (height = base height minus the step, so negative steps make smaller fonts).
#pragma once

#include <unordered_map>

#include "platform/draw/Font.h"

class BkFontPool {
public:
    static BkFontPool& Instance();

    // Builds the base font from "Tahoma" at height -11 and keeps it under code 0.
    BkFontPool();

    // Replaces the base font (face null = empty, letting the platform choose; longer than 31
    // characters is cut) and the font under code 0. Fonts already made for other codes keep
    // the old base.
    void SetDefaultFont(const WString* face, int height);

    // The font for the code, made from the base font on first use; null when it cannot be
    // created (nothing is cached then). Code 0 is the base font.
    HFONT GetFont(WORD code);

private:
    void BuildBaseFont();

    LOGFONT m_baseFont;
    std::unordered_map<WORD, CGdiHandle<HFONT>> m_fonts;
    WString m_baseFace = L"Tahoma";
    int m_baseHeight = -11;
};

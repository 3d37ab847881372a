// The interface language of the client, from the desktop's default language: it decides
// whether the (Simplified Chinese) string table is loaded.
#pragma once

#include "platform/base/Types.h"

enum InterfaceLanguage {
    kLanguageSimplifiedChinese = 0,
    kLanguageTraditionalChinese = 1,
    kLanguageOther = 2,
};

// Chinese (PRC) gives Simplified Chinese; Chinese of Taiwan, Hong Kong and Singapore give
// Traditional Chinese; any other language identifier gives Other.
InterfaceLanguage InterfaceLanguageOf(WORD langId);
// The language of this desktop (GetSystemDefaultLangID: LC_ALL, LC_MESSAGES, LANG).
InterfaceLanguage DetectInterfaceLanguage();

#include "app/InterfaceLanguage.h"

#include "platform/base/Locale.h"

InterfaceLanguage InterfaceLanguageOf(WORD langId) {
    switch (langId) {
    case LANGID_CHINESE_PRC:
        return kLanguageSimplifiedChinese;
    case LANGID_CHINESE_TAIWAN:
    case LANGID_CHINESE_HONGKONG:
    case LANGID_CHINESE_SINGAPORE:
        return kLanguageTraditionalChinese;
    default:
        return kLanguageOther;
    }
}

InterfaceLanguage DetectInterfaceLanguage() {
    return InterfaceLanguageOf(GetSystemDefaultLangID());
}

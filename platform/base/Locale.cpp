#include "platform/base/Locale.h"

#include <cstdlib>
#include <string_view>

WORD GetSystemDefaultLangID() {
    std::string_view locale;
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(name);
        if (value && *value) {
            locale = value;
            break;
        }
    }
    // "ll_CC.codeset@modifier": only language and country matter.
    locale = locale.substr(0, locale.find_first_of(".@"));
    if (locale == "zh" || locale == "zh_CN") {
        return LANGID_CHINESE_PRC;
    }
    if (locale == "zh_TW") {
        return LANGID_CHINESE_TAIWAN;
    }
    if (locale == "zh_HK") {
        return LANGID_CHINESE_HONGKONG;
    }
    if (locale == "zh_SG") {
        return LANGID_CHINESE_SINGAPORE;
    }
    return LANGID_ENGLISH_US;
}

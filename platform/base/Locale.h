// The desktop's interface language, from the locale environment: the first non-empty of
// LC_ALL, LC_MESSAGES and LANG.
#pragma once

#include "platform/base/Types.h"

constexpr WORD LANG_CHINESE = 0x04;
constexpr WORD LANGID_CHINESE_PRC = 0x0804;
constexpr WORD LANGID_CHINESE_TAIWAN = 0x0404;
constexpr WORD LANGID_CHINESE_HONGKONG = 0x0C04;
constexpr WORD LANGID_CHINESE_SINGAPORE = 0x1004;
constexpr WORD LANGID_ENGLISH_US = 0x0409;

constexpr WORD PRIMARYLANGID(WORD langId) {
    return WORD(langId & 0x3FF);
}

// zh_CN (and a bare zh) is Chinese, PRC; zh_TW, zh_HK and zh_SG their own Chinese locales;
// any other language, or none set, reads as US English.
WORD GetSystemDefaultLangID();

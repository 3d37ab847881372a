#include "app/InterfaceLanguage.h"

#include "tests/support/ScopedEnvironment.h"

#include <gtest/gtest.h>

TEST(InterfaceLanguage, ComesFromTheFirstLocaleVariableSet) {
    const struct {
        const char* lcAll;
        const char* lcMessages;
        const char* lang;
        InterfaceLanguage expected;
    } cases[] = {
        {nullptr, nullptr, "zh_CN.UTF-8", kLanguageSimplifiedChinese},
        {nullptr, nullptr, "zh_CN", kLanguageSimplifiedChinese},
        {nullptr, nullptr, "zh_TW.Big5", kLanguageTraditionalChinese},
        {nullptr, nullptr, "zh_HK.UTF-8", kLanguageTraditionalChinese},
        {nullptr, nullptr, "zh_SG", kLanguageTraditionalChinese},
        {nullptr, nullptr, "en_US.UTF-8", kLanguageOther},
        {nullptr, nullptr, "C", kLanguageOther},
        {nullptr, nullptr, "ja_JP.UTF-8", kLanguageOther},
        {nullptr, nullptr, nullptr, kLanguageOther},
        // The first non-empty one decides.
        {"en_GB.UTF-8", "zh_CN.UTF-8", "zh_CN.UTF-8", kLanguageOther},
        {"zh_CN.UTF-8", "en_US.UTF-8", "en_US.UTF-8", kLanguageSimplifiedChinese},
        {"", "zh_TW.UTF-8", "en_US.UTF-8", kLanguageTraditionalChinese},
        {"", "", "zh_CN.GB18030", kLanguageSimplifiedChinese},
        {nullptr, "de_DE", "zh_CN.UTF-8", kLanguageOther},
    };
    for (const auto& c : cases) {
        CScopedEnvironment lcAll("LC_ALL", c.lcAll);
        CScopedEnvironment lcMessages("LC_MESSAGES", c.lcMessages);
        CScopedEnvironment lang("LANG", c.lang);
        EXPECT_EQ(DetectInterfaceLanguage(), c.expected)
            << (c.lcAll ? c.lcAll : "-") << " " << (c.lcMessages ? c.lcMessages : "-") << " "
            << (c.lang ? c.lang : "-");
    }
}

TEST(InterfaceLanguage, MapsLanguageIdentifiers) {
    EXPECT_EQ(InterfaceLanguageOf(0x0804), kLanguageSimplifiedChinese);
    for (const WORD traditional : {0x0404, 0x0C04, 0x1004}) {
        EXPECT_EQ(InterfaceLanguageOf(traditional), kLanguageTraditionalChinese) << traditional;
    }
    for (const WORD other : {0x0409, 0x0004, 0x0000, 0x1404, 0x0411}) {
        EXPECT_EQ(InterfaceLanguageOf(other), kLanguageOther) << other;
    }
}

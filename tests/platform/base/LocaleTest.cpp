#include "platform/base/Locale.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

TEST(LocaleTest, LanguageComesFromTheFirstLocaleVariableSet) {
    const struct {
        const char* lcAll;
        const char* lcMessages;
        const char* lang;
        WORD expected;
    } cases[] = {
        {nullptr, nullptr, "zh_CN.UTF-8", LANGID_CHINESE_PRC},
        {nullptr, nullptr, "zh", LANGID_CHINESE_PRC},
        {nullptr, nullptr, "zh_TW.UTF-8", LANGID_CHINESE_TAIWAN},
        {nullptr, nullptr, "zh_HK", LANGID_CHINESE_HONGKONG},
        {nullptr, nullptr, "zh_SG.GB2312@x", LANGID_CHINESE_SINGAPORE},
        {nullptr, nullptr, "de_DE.UTF-8", LANGID_ENGLISH_US},
        {nullptr, nullptr, nullptr, LANGID_ENGLISH_US},
        {"", "zh_CN.UTF-8", "en_GB.UTF-8", LANGID_CHINESE_PRC}, // empty ones are passed over
        {"C", "zh_CN.UTF-8", "zh_CN.UTF-8", LANGID_ENGLISH_US},
        {nullptr, "en_US.UTF-8", "zh_CN.UTF-8", LANGID_ENGLISH_US},
    };
    for (const auto& c : cases) {
        for (auto [name, value] :
             {std::pair{"LC_ALL", c.lcAll}, {"LC_MESSAGES", c.lcMessages}, {"LANG", c.lang}}) {
            if (value) {
                setenv(name, value, 1);
            } else {
                unsetenv(name);
            }
        }
        EXPECT_EQ(GetSystemDefaultLangID(), c.expected)
            << (c.lcAll ? c.lcAll : "-") << " " << (c.lcMessages ? c.lcMessages : "-") << " "
            << (c.lang ? c.lang : "-");
    }
    unsetenv("LC_ALL");
    unsetenv("LC_MESSAGES");
    unsetenv("LANG");
}

} // namespace

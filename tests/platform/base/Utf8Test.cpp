#include "platform/base/Utf8.h"

#include <gtest/gtest.h>

namespace {

TEST(Utf8Test, RoundTripsEveryPlane) {
    const WString text = L"Vistrel 视频监控 \u00e9 \U0001F3A5";
    const std::string utf8 = WideToUtf8(text);
    EXPECT_EQ(utf8, "Vistrel \xe8\xa7\x86\xe9\xa2\x91\xe7\x9b\x91\xe6\x8e\xa7 \xc3\xa9 "
                    "\xf0\x9f\x8e\xa5");
    EXPECT_EQ(Utf8ToWide(utf8), text);
}

TEST(Utf8Test, MalformedBytesBecomeReplacementCharacters) {
    const struct {
        std::string bytes;
        WString expected;
    } cases[] = {
        {"a\xff"
         "b",
         L"a\uFFFDb"},
        {"\xe8\xa7", L"\uFFFD\uFFFD"},           // cut short at the end of the text
        {"\xc0\xaf", L"\uFFFD\uFFFD"},           // overlong encoding of '/'
        {"\xed\xa0\x80", L"\uFFFD\uFFFD\uFFFD"}, // a surrogate
        {"\xe8x", L"\uFFFDx"},                   // continuation byte missing
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Utf8ToWide(c.bytes), c.expected);
    }
    EXPECT_EQ(WideToUtf8(WString(1, wchar_t(0xD800))), "\xef\xbf\xbd");
}

} // namespace

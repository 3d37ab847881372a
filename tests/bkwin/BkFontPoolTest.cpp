#include "bkwin/BkFontPool.h"

#include <gtest/gtest.h>

namespace {

LOGFONT Describe(HFONT font) {
    LOGFONT description;
    EXPECT_TRUE(GetObject(font, &description));
    return description;
}

TEST(BkFontPoolTest, StartsWithTahomaAtHeightMinusEleven) {
    BkFontPool pool;
    const LOGFONT base = Describe(pool.GetFont(0));
    EXPECT_EQ(base.lfHeight, -11);
    EXPECT_EQ(base.lfFaceName, L"Tahoma");
    EXPECT_EQ(base.lfQuality, ANTIALIASED_QUALITY);
}

TEST(BkFontPoolTest, FontCodesGiveStyleAndSize) {
    BkFontPool pool;
    const WString face = L"微软雅黑";
    pool.SetDefaultFont(&face, -12);
    const struct {
        WORD code;
        LONG height;
        LONG weight;
        BYTE underline;
        BYTE italic;
    } cases[] = {
        {0x0000, -12, FW_NORMAL, 0, 0}, {0x0001, -12, FW_NORMAL, 0, 1},
        {0x0002, -12, FW_NORMAL, 1, 0}, {0x0004, -12, FW_BOLD, 0, 0},
        {0x0204, -14, FW_BOLD, 0, 0},   {0x0804, -20, FW_BOLD, 0, 0},
        {0x0A04, -22, FW_BOLD, 0, 0},   {0xFE04, -10, FW_BOLD, 0, 0}, // a negative step: smaller
        {0x80F8, 116, FW_NORMAL, 0, 0}, // bits 3-7 mean nothing; step -128
    };
    for (const auto& c : cases) {
        HFONT font = pool.GetFont(c.code);
        ASSERT_NE(font, nullptr) << c.code;
        const LOGFONT d = Describe(font);
        EXPECT_EQ(d.lfHeight, c.height) << std::hex << c.code;
        EXPECT_EQ(d.lfWeight, c.weight) << std::hex << c.code;
        EXPECT_EQ(d.lfUnderline, c.underline) << std::hex << c.code;
        EXPECT_EQ(d.lfItalic, c.italic) << std::hex << c.code;
        EXPECT_EQ(d.lfFaceName, face);
    }
}

TEST(BkFontPoolTest, FontsAreCachedByCode) {
    BkFontPool pool;
    HFONT bold = pool.GetFont(0x0804);
    EXPECT_EQ(pool.GetFont(0x0804), bold);
    EXPECT_NE(pool.GetFont(0x0004), bold);
}

TEST(BkFontPoolTest, SetDefaultFontReplacesOnlyTheBaseFont) {
    BkFontPool pool;
    HFONT oldBase = pool.GetFont(0);
    HFONT oldBold = pool.GetFont(0x0004);
    const WString face = L"宋体";
    pool.SetDefaultFont(&face, -12);

    HFONT base = pool.GetFont(0);
    EXPECT_FALSE(IsGdiObject(oldBase)); // the previous base font was deleted
    const LOGFONT d = Describe(base);
    EXPECT_EQ(d.lfHeight, -12);
    EXPECT_EQ(d.lfFaceName, face);
    // A font made before keeps the old base; new codes use the new one.
    EXPECT_EQ(pool.GetFont(0x0004), oldBold);
    EXPECT_EQ(Describe(oldBold).lfHeight, -11);
    EXPECT_EQ(Describe(pool.GetFont(0x0204)).lfHeight, -14);
}

TEST(BkFontPoolTest, MissingOrLongFaceNames) {
    BkFontPool pool;
    pool.SetDefaultFont(nullptr, -12); // no string table: the platform chooses the face
    ASSERT_NE(pool.GetFont(0), nullptr);
    EXPECT_EQ(Describe(pool.GetFont(0)).lfFaceName, L"");

    const WString longFace(40, L'x');
    pool.SetDefaultFont(&longFace, -12);
    ASSERT_NE(pool.GetFont(0), nullptr);
    EXPECT_EQ(Describe(pool.GetFont(0)).lfFaceName, WString(31, L'x'));
}

} // namespace

// Style classes: attribute parsing, defaults, the style list loader and the lookup by name.
#include "bkwin/BkStylePool.h"

#include "bkwin/BkFontPool.h"

#include <gtest/gtest.h>

namespace {

LONG FontHeight(HFONT font) {
    LOGFONT description;
    return GetObject(font, &description) ? description.lfHeight : 0;
}

void ExpectDefaults(const BkStyle& style) {
    EXPECT_EQ(style.crbg, CLR_INVALID);
    EXPECT_EQ(style.crbghover, CLR_INVALID);
    EXPECT_EQ(style.crtext, CLR_INVALID);
    EXPECT_EQ(style.crhover, CLR_INVALID);
    EXPECT_EQ(style.crdisabled, RGB(0xCC, 0xCC, 0xCC));
    EXPECT_EQ(style.textmode, 0x28u);
    EXPECT_EQ(style.font, nullptr);
    EXPECT_EQ(style.hoverfont, nullptr);
    EXPECT_EQ(style.xMargin, 0);
    EXPECT_EQ(style.yMargin, 0);
    EXPECT_EQ(style.spacing, 0);
    EXPECT_EQ(style.lineSpacing, 20);
    EXPECT_EQ(style.cursor, IDC_ARROW);
    EXPECT_EQ(style.skinName, "");
}

class BkStyleTest : public testing::Test {
protected:
    void SetUp() override {
        const WString face = L"微软雅黑";
        BkFontPool::Instance().SetDefaultFont(&face, -12);
    }
};

TEST_F(BkStyleTest, AttributesParseAsTheirKinds) {
    BkStyle style;
    const struct {
        const char* name;
        const char* value;
    } attributes[] = {
        {"textmode", "25"}, {"crbg", "FBFCFD"}, {"margin", "20"}, {"x-margin", "7"},
        {"cursor", "hand"}, {"cursor", "wait"}, {"font", "0A04"}, {"hoverfont", "0002"},
        {"skin", "panel"},  {"name", "mine"},
    };
    for (const auto& a : attributes) {
        style.ApplyAttribute(a.name, a.value, true);
    }
    EXPECT_EQ(style.textmode, 0x25u); // hexadecimal, not decimal 25
    EXPECT_EQ(style.crbg, RGB(0xFB, 0xFC, 0xFD));
    EXPECT_EQ(style.xMargin, 7);
    EXPECT_EQ(style.yMargin, 20);
    EXPECT_EQ(style.cursor, IDC_HAND); // an unknown cursor leaves the field
    EXPECT_EQ(FontHeight(style.font), -22);
    EXPECT_EQ(style.font, BkFontPool::Instance().GetFont(0x0A04));
    EXPECT_EQ(style.hoverfont, BkFontPool::Instance().GetFont(0x0002));
    EXPECT_EQ(style.skinName, "panel");
    EXPECT_EQ(style.name, "mine");
    EXPECT_TRUE(FAILED(style.ApplyAttribute("colour", "123456", true)));
    EXPECT_TRUE(FAILED(style.ApplyAttribute("cursor", "pointer", true)));
    EXPECT_TRUE(SUCCEEDED(style.ApplyAttribute("linespacing", "30", true)));
    EXPECT_EQ(style.lineSpacing, 30);
}

TEST_F(BkStyleTest, LoadStylesAppliesClassesInDocumentOrder) {
    ASSERT_TRUE(LoadStyles(9010));
    BkStylePool& pool = BkStylePool::Instance();

    // Declared twice: the second adds on top of the first.
    const BkStyle& twice = pool.Get("twice");
    EXPECT_EQ(twice.crtext, RGB(0x77, 0x88, 0x99));
    EXPECT_EQ(twice.crbg, RGB(0x44, 0x55, 0x66));
    EXPECT_EQ(twice.xMargin, 4);
    EXPECT_EQ(twice.cursor, IDC_HAND);

    const BkStyle& modes = pool.Get("modes");
    EXPECT_EQ(modes.textmode, 0x25u);
    EXPECT_EQ(FontHeight(modes.font), -22);
    EXPECT_EQ(modes.xMargin, 7);
    EXPECT_EQ(modes.yMargin, 0); // x-margin alone leaves the vertical margin
    EXPECT_EQ(modes.spacing, 3);
    EXPECT_EQ(modes.lineSpacing, 30);
    EXPECT_EQ(pool.Get("margins").xMargin, 20);
    EXPECT_EQ(pool.Get("margins").yMargin, 20);
    EXPECT_EQ(pool.Get("cursors").cursor, IDC_ARROW);

    const BkStyle& unknowns = pool.Get("unknowns");
    EXPECT_EQ(unknowns.skinName, "panel");
    EXPECT_EQ(unknowns.crdisabled, RGB(0, 0xFF, 0));
    EXPECT_EQ(unknowns.crhover, RGB(0xAB, 0xCD, 0xEF));
    EXPECT_EQ(unknowns.crbghover, RGB(1, 2, 3));

    // Unparsable values give 0.
    const BkStyle& bad = pool.Get("badvalues");
    EXPECT_EQ(bad.crtext, 0u);
    EXPECT_EQ(bad.textmode, 0u);
    EXPECT_EQ(bad.xMargin, 0);

    // Elements other than <class>, and classes without a name, add nothing.
    EXPECT_EQ(&pool.Get("notaclass"), &pool.Get(""));
    ExpectDefaults(pool.Get("notaclass"));
}

TEST_F(BkStyleTest, UnknownClassesGiveTheDefaultStyle) {
    ASSERT_TRUE(LoadStyles(9010));
    ExpectDefaults(BkStylePool::Instance().Get("nosuchclass"));
    EXPECT_EQ(BkStylePool::Instance().Get("nosuchclass").name, "");
}

TEST_F(BkStyleTest, BrokenListsLeaveOnlyTheDefaultStyle) {
    const struct {
        int id;
        bool result;
    } lists[] = {{9011, true} /* root not "style" */,
                 {9003, false} /* malformed */,
                 {9999, false} /* missing */};
    for (const auto& list : lists) {
        ASSERT_TRUE(LoadStyles(9010));
        EXPECT_EQ(LoadStyles(list.id), list.result) << list.id;
        BkStylePool& pool = BkStylePool::Instance();
        EXPECT_EQ(&pool.Get("twice"), &pool.Get("")) << list.id;
        ExpectDefaults(pool.Get(""));
    }
}

TEST_F(BkStyleTest, StylesCopyWithEveryField) {
    ASSERT_TRUE(LoadStyles(101));
    BkStyle copy = BkStylePool::Instance().Get("normalbtn");
    EXPECT_EQ(copy.name, "normalbtn");
    EXPECT_EQ(copy.skinName, "normalbtn");
    EXPECT_EQ(copy.textmode, 0x25u);
    EXPECT_EQ(copy.cursor, IDC_HAND);
    EXPECT_EQ(copy.xMargin, 5);
    EXPECT_EQ(copy.crtext, RGB(0, 0, 0));
    EXPECT_EQ(copy.font, BkFontPool::Instance().GetFont(0));
}

} // namespace

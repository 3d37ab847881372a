// The nesting guard of run-time XML: how deeply a text's elements nest as the XML reader builds
// them, and markup nested far too deeply refused by the view's layer and children loading.
#include "BkTestDialog.h"

#include "bkwin/BkWinManager.h"
#include "bkwin/BkXmlDepth.h"

#include <gtest/gtest.h>
#include <tinyxml.h>

#include <string>

namespace {

std::string Nested(const char* tag, int depth) {
    std::string text;
    for (int i = 0; i < depth; ++i) {
        text += std::string("<") + tag + ">";
    }
    for (int i = 0; i < depth; ++i) {
        text += std::string("</") + tag + ">";
    }
    return text;
}

struct DepthCase {
    const char* xml;
    int depth;
};

class XmlNestingDepthTest : public ::testing::TestWithParam<DepthCase> {};

TEST_P(XmlNestingDepthTest, CountsTheElementsTheReaderNests) {
    EXPECT_EQ(XmlNestingDepth(GetParam().xml), GetParam().depth) << GetParam().xml;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, XmlNestingDepthTest,
    ::testing::Values(DepthCase{"", 0}, DepthCase{"plain text", 0}, DepthCase{"<a/>", 1},
                      DepthCase{"<a></a><b/>", 1}, DepthCase{"<a><b/><c>x</c></a>", 2},
                      DepthCase{"<a x='/>'><b/></a>", 2}, DepthCase{"<a x=\"a>b\"><b/></a>", 2},
                      DepthCase{"<a x=1/><b/>", 1}, DepthCase{"<!-- <a><b> --><c/>", 1},
                      DepthCase{"<a><![CDATA[<b><c>]]></a>", 1},
                      DepthCase{"<?xml version=\"1.0\"?><a/>", 1},
                      DepthCase{"<!DOCTYPE x><a><b/></a>", 2}, DepthCase{"1 < 2 > <a/>", 1},
                      // Like the reader, an unknown "<" swallows all up to the next ">".
                      DepthCase{"1 < 2 <a/>", 0}, DepthCase{"</x></y><a><b/></a>", 2},
                      DepthCase{"<中><文/></中>", 2}, DepthCase{"<_a><_b>", 2},
                      // An unterminated start tag or comment ends the text.
                      DepthCase{"<a x='", 1}, DepthCase{"<!-- <a>", 0}));

TEST(XmlDepthTest, ParseWithinDepthTakesTheLimitAndRefusesBeyondIt) {
    TiXmlDocument document;
    EXPECT_TRUE(ParseXmlWithinDepth(Nested("a", kMaxXmlDepth), kMaxXmlDepth, document));
    TiXmlDocument deeper;
    EXPECT_FALSE(ParseXmlWithinDepth(Nested("a", kMaxXmlDepth + 1), kMaxXmlDepth, deeper));
    EXPECT_EQ(deeper.RootElement(), nullptr);
    TiXmlDocument broken;
    EXPECT_FALSE(ParseXmlWithinDepth("<a>", kMaxXmlDepth, broken));
}

TEST(XmlDepthTest, DeepMarkupIsRefusedByTheView) {
    BkWinManager manager;
    CTestDialog dialog{9300};
    ASSERT_TRUE(dialog.LoadLayout());
    const std::string deep = Nested("dlg", 100000);
    EXPECT_FALSE(dialog.view.LoadElementChildren(22, deep));
    // Container 22 is the body's child, two levels down: 62 more fit below it, 63 do not.
    EXPECT_FALSE(dialog.view.LoadElementChildren(22, Nested("dlg", 63)));
    ASSERT_TRUE(dialog.view.LoadElementChildren(22, "<dlg id=\"40\"/>"));
    EXPECT_TRUE(dialog.view.LoadElementChildren(22, Nested("dlg", 62)));
    EXPECT_EQ(dialog.view.FindElement(40), nullptr);

    // Loading into loaded children cannot build a deeper tree either.
    // 42 ends up 63 levels down: one more level fits below it, two do not.
    std::string chain = "<dlg id=\"41\">";
    for (int i = 0; i < 59; ++i) {
        chain += "<dlg>";
    }
    chain += "<dlg id=\"42\"/>";
    for (int i = 0; i < 59; ++i) {
        chain += "</dlg>";
    }
    chain += "</dlg>";
    ASSERT_TRUE(dialog.view.LoadElementChildren(22, chain));
    ASSERT_NE(dialog.view.FindElement(42), nullptr);
    EXPECT_FALSE(dialog.view.LoadElementChildren(42, Nested("dlg", 2)));
    EXPECT_TRUE(dialog.view.LoadElementChildren(42, Nested("dlg", 1)));

    EXPECT_FALSE(dialog.view.LoadLayer("<layer><body>" + deep + "</body></layer>"));
    EXPECT_FALSE(dialog.view.IsLayerLoaded());
}

} // namespace

// The dialog-file include: children from another layout resource, placed and found through
// the include, and the failures of a missing "src", a missing or malformed resource and a
// resource that includes itself.
#include "BkControlTestSupport.h"
#include "BkTestElements.h"

#include "bkwin/BkDialogFile.h"
#include "bkwin/BkElementRegistry.h"

#include <gtest/gtest.h>

namespace {

struct Loaded {
    std::unique_ptr<CBkWindow> element;
    bool result = false;
};

Loaded LoadInclude(const char* xml) {
    TiXmlDocument document;
    document.Parse(xml);
    Loaded loaded;
    loaded.element = CreateElementByTag(document.RootElement()->Value());
    if (loaded.element) {
        loaded.result = loaded.element->LoadXml(*document.RootElement());
    }
    return loaded;
}

std::size_t ChildCount(const CBkWindow& element) {
    return static_cast<const CBkContainerWnd&>(element).Children().size();
}

} // namespace

TEST(BkDialogFileTest, IncludesEveryTopLevelElementOfTheResource) {
    Loaded include = LoadInclude("<dlgfile id='90' pos='10,20,110,70' src='9501'/>");
    ASSERT_TRUE(include.element);
    EXPECT_STREQ(include.element->TagName(), "dlgfile");
    EXPECT_TRUE(include.result);
    auto& file = static_cast<CBkDialogFile&>(*include.element);
    ASSERT_EQ(ChildCount(file), 3u);
    for (const auto& child : file.Children()) {
        EXPECT_EQ(child->parentHandle, file.handle);
    }
    // Positions resolve against the include's rectangle; ids are found through it.
    PlaceRoot(file, 10, 20, 200, 200);
    EXPECT_EQ(file.rect, (RECT{10, 20, 110, 70}));
    EXPECT_EQ(file.FindById(91)->rect, (RECT{10, 20, 30, 30}));
    EXPECT_EQ(file.FindById(92)->rect, (RECT{90, 60, 110, 70}));
    ASSERT_NE(file.FindById(94), nullptr);
    EXPECT_EQ(file.FindById(93)->text, L"three");
    EXPECT_EQ(file.FindById(93)->rect.left, 15);
}

TEST(BkDialogFileTest, MissingAndBrokenResources) {
    struct Case {
        const char* xml;
        bool result;
        std::size_t children;
    };
    const Case cases[] = {
        {"<dlgfile src='0'/>", true, 0},
        {"<dlgfile src='65000'/>", true, 0},
        // Inline children of the element are never loaded.
        {"<dlgfile src='0'><dlg id='1'/><text id='2'>x</text></dlgfile>", true, 0},
        {"<dlgfile/>", false, 0},
        {"<dlgfile src=''/>", false, 0},
        {"<dlgfile src='9502'/>", false, 0},
    };
    for (const Case& c : cases) {
        Loaded include = LoadInclude(c.xml);
        ASSERT_TRUE(include.element) << c.xml;
        EXPECT_EQ(include.result, c.result) << c.xml;
        EXPECT_EQ(ChildCount(*include.element), c.children) << c.xml;
    }
}

TEST(BkDialogFileTest, AnIncludeThatIncludesItselfStopsAtTheSecondLevel) {
    Loaded include = LoadInclude("<dlgfile src='9503'/>");
    EXPECT_TRUE(include.result);
    auto& file = static_cast<CBkDialogFile&>(*include.element);
    ASSERT_EQ(ChildCount(file), 2u);
    CBkWindow* inner = file.FindById(97);
    ASSERT_NE(inner, nullptr);
    EXPECT_EQ(ChildCount(*inner), 0u);
    // Once done, the same resource may be included again elsewhere.
    EXPECT_TRUE(LoadInclude("<dlgfile src='9503'/>").result);
}

TEST(BkDialogFileTest, LoadingAgainReplacesTheChildren) {
    TiXmlDocument three, none;
    three.Parse("<dlgfile src='9501'/>");
    none.Parse("<dlgfile src='65000'/>");
    CBkDialogFile file;
    ASSERT_TRUE(file.LoadXml(*three.RootElement()));
    const std::uint32_t first = file.Children().front()->handle;
    ASSERT_TRUE(file.LoadXml(*none.RootElement()));
    EXPECT_EQ(ChildCount(file), 0u);
    EXPECT_EQ(ElementRegistry::Instance().Lookup(first), nullptr);
}

// The horizontal image list: its key=value lists, the maps reset at loading whatever the
// order of the attributes, and the row it draws.
#include "BkControlTestSupport.h"

#include "bkwin/BkImageListH.h"
#include "bkwin/BkSkinPool.h"

#include <gtest/gtest.h>

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kSkinRed = RGB(200, 0, 0);
constexpr COLORREF kSkinBlue = RGB(0, 0, 200);

class ImageListHTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(LoadSkins(9020)); }

    static CBkImageListHWnd& AsList(std::unique_ptr<CBkWindow>& element) {
        return static_cast<CBkImageListHWnd&>(*element);
    }
};

} // namespace

TEST_F(ImageListHTest, ImagesWithoutASkinTakeNoRoom) {
    std::unique_ptr<CBkWindow> element =
        LoadElement("<imglisth imagecount=\"3\" skinlist=\"skin0=states,skin2=states\" "
                    "sublist=\"sub0=0,sub2=2\"/>");
    CBkImageListHWnd& list = AsList(element);
    EXPECT_EQ(list.skins.at("skin1"), nullptr);
    EXPECT_EQ(list.subImages.at("sub1"), -1);
    list.rect = {3, 1, 30, 5};
    CBkTestSurface surface(30, 6, kWhite);
    list.PaintRegion(surface.Dc(), nullptr);
    // "states" is 2 pixels wide: skin0 at the left edge, skin2 right beside it.
    EXPECT_TRUE(AllPixelsAre(surface, {3, 1, 5, 3}, kSkinRed));
    EXPECT_TRUE(AllPixelsAre(surface, {5, 1, 7, 3}, kSkinBlue));
    EXPECT_TRUE(AllPixelsAre(surface, {7, 0, 30, 6}, kWhite));
}

TEST_F(ImageListHTest, TheMapsDoNotDependOnTheOrderOfTheAttributes) {
    std::unique_ptr<CBkWindow> listsFirst =
        LoadElement("<imglisth sublist=\"sub1=2\" skinlist=\"skin1=states\" imagecount=\"2\"/>");
    std::unique_ptr<CBkWindow> countFirst =
        LoadElement("<imglisth imagecount=\"2\" skinlist=\"skin1=states\" sublist=\"sub1=2\"/>");
    for (auto* element : {&listsFirst, &countFirst}) {
        CBkImageListHWnd& list = AsList(*element);
        EXPECT_EQ(list.skins.size(), 2u);
        EXPECT_EQ(list.skins.at("skin0"), nullptr);
        EXPECT_EQ(list.skins.at("skin1"), BkSkinPool::Instance().Get("states"));
        EXPECT_EQ(list.subImages.at("sub0"), -1);
        EXPECT_EQ(list.subImages.at("sub1"), 2);
    }
}

TEST_F(ImageListHTest, ListItemsAreSplitAtCommasAndTheirFirstEquals) {
    std::unique_ptr<CBkWindow> element = LoadElement("<imglisth/>");
    CBkImageListHWnd& list = AsList(element);
    EXPECT_TRUE(SUCCEEDED(list.ApplyAttribute(
        "skinlist", "skin0=states,,=whole,novalue,skin1=nosuchskin, skin2=states", false)));
    EXPECT_EQ(list.skins.size(), 3u);
    EXPECT_EQ(list.skins.at("skin0"), BkSkinPool::Instance().Get("states"));
    EXPECT_EQ(list.skins.at("skin1"), nullptr);
    // Blanks are not trimmed: the key keeps its leading space.
    EXPECT_EQ(list.skins.count(" skin2"), 1u);
    EXPECT_TRUE(SUCCEEDED(list.ApplyAttribute("sublist", "sub0=3=4,sub1=x", false)));
    // Split at the first "=" only: "3=4" reads as far as it is a number.
    EXPECT_EQ(list.subImages.at("sub0"), 3);
    EXPECT_EQ(list.subImages.at("sub1"), 0);
    // Later lists merge; an empty one changes nothing.
    list.ApplyAttribute("sublist", "sub1=5", false);
    list.ApplyAttribute("sublist", "", false);
    EXPECT_EQ(list.subImages.at("sub0"), 3);
    EXPECT_EQ(list.subImages.at("sub1"), 5);
    EXPECT_EQ(list.subList, "sub1=5");
}

TEST_F(ImageListHTest, TheSkinAttributeGivesTheNaturalSize) {
    std::unique_ptr<CBkWindow> element =
        LoadElement("<imglisth pos=\"0,0\" skin=\"states\" sub=\"2\"/>");
    EXPECT_EQ(NaturalSize(*element), (SIZE{2, 2}));
    EXPECT_EQ(AsList(element).subImage, 2);
    // Nothing is drawn for the skin attribute itself.
    element->rect = {0, 0, 10, 4};
    CBkTestSurface surface(10, 4, kWhite);
    element->PaintRegion(surface.Dc(), nullptr);
    EXPECT_TRUE(AllPixelsAre(surface, {0, 0, 10, 4}, kWhite));
}

TEST_F(ImageListHTest, TheImageCountIsCapped) {
    const struct {
        const char* count;
        std::int32_t expected;
    } cases[] = {
        {"3", 3},
        {"256", CBkImageListHWnd::kMaxImageCount},
        {"257", CBkImageListHWnd::kMaxImageCount},
        {"100000", CBkImageListHWnd::kMaxImageCount},
        {"-7", 0},
    };
    for (const auto& c : cases) {
        const std::string xml = std::string("<imglisth imagecount=\"") + c.count + "\"/>";
        std::unique_ptr<CBkWindow> element = LoadElement(xml.c_str());
        CBkImageListHWnd& list = AsList(element);
        EXPECT_EQ(list.imageCount, c.expected) << c.count;
        EXPECT_EQ(list.skins.size(), std::size_t(c.expected)) << c.count;
        EXPECT_EQ(list.subImages.size(), std::size_t(c.expected)) << c.count;
    }
}

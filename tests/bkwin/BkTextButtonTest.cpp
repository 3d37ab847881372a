// Text, link and button elements, and images and image buttons: tags, painting, natural
// sizes, state-dependent sub-images and clicks through a real dialog view.
#include "BkControlTestSupport.h"
#include "BkTestDialog.h"

#include "bkwin/BkImageButton.h"
#include "bkwin/BkSkinPool.h"
#include "tests/support/WindowOwner.h"

#include <gtest/gtest.h>

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kSkinRed = RGB(200, 0, 0);
constexpr COLORREF kSkinGreen = RGB(0, 200, 0);
constexpr COLORREF kSkinBlue = RGB(0, 0, 200);

class ControlTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(LoadSkins(9020)); }
};

} // namespace

TEST_F(ControlTest, EachTagMakesItsOwnKindOfElement) {
    for (const char* tag : {"text", "link", "button", "img", "imgbtn"}) {
        const std::string xml = std::string("<") + tag + "/>";
        std::unique_ptr<CBkWindow> element = LoadElement(xml.c_str());
        ASSERT_NE(element, nullptr) << tag;
        EXPECT_STREQ(element->TagName(), tag);
        EXPECT_TRUE(element->IsTag(tag));
        EXPECT_FALSE(element->IsTag("Text"));
    }
}

TEST_F(ControlTest, OnlyButtonsAndImageButtonsAlwaysRepaintOnStateChange) {
    struct Case {
        const char* xml;
        bool repaints;
    } cases[] = {{"<text/>", false}, {"<link/>", false},  {"<button/>", true},
                 {"<img/>", false},  {"<imgbtn/>", true}, {"<text crbg=\"FF0000\"/>", false}};
    for (const Case& c : cases) {
        EXPECT_EQ(LoadElement(c.xml)->RepaintsOnStateChange(), c.repaints) << c.xml;
    }
}

TEST_F(ControlTest, TextAndButtonDrawTheirTextAsTheBase) {
    for (const char* tag : {"text", "link", "button"}) {
        CBkTestSurface surface(40, 20, kWhite);
        const std::string xml = std::string("<") + tag + " pos=\"0,0,40,20\" crtext=\"FF0000\">" +
                                "\xE2\x96\x88\xE2\x96\x88</" + tag + ">";
        std::unique_ptr<CBkWindow> element = LoadElement(xml.c_str());
        element->rect = {0, 0, 40, 20};
        element->PaintRegion(surface.Dc(), nullptr);
        EXPECT_TRUE(AnyPixelIs(surface, {0, 0, 40, 20}, RGB(255, 0, 0))) << tag;
    }
}

TEST_F(ControlTest, AnImageDrawsItsSkinWithItsSubImageOrNothing) {
    CBkTestSurface surface(20, 10, kWhite);
    std::unique_ptr<CBkWindow> image = LoadElement("<img skin=\"states\" sub=\"1\"/>");
    image->rect = {2, 2, 12, 8};
    image->PaintRegion(surface.Dc(), nullptr);
    // A skin list draws its 2 x 2 sub-image at the rectangle's top-left corner.
    EXPECT_TRUE(AllPixelsAre(surface, {2, 2, 4, 4}, kSkinGreen));
    EXPECT_TRUE(AllPixelsAre(surface, {4, 0, 20, 10}, kWhite));

    CBkTestSurface empty(20, 10, kWhite);
    std::unique_ptr<CBkWindow> unknown = LoadElement("<img skin=\"nosuchskin\"/>");
    EXPECT_EQ(static_cast<CBkImageWnd&>(*unknown).skin, nullptr);
    unknown->rect = {0, 0, 20, 10};
    unknown->PaintRegion(empty.Dc(), nullptr);
    EXPECT_TRUE(AllPixelsAre(empty, {0, 0, 20, 10}, kWhite));
}

TEST_F(ControlTest, TheSkinsNaturalSizeReplacesTheMeasuredComponentsItGives) {
    CRecordingSkin skin;
    for (const char* tag : {"img", "imgbtn"}) {
        const std::string xml = std::string("<") + tag + " pos=\"0,0,40,30\"/>";
        std::unique_ptr<CBkWindow> element = LoadElement(xml.c_str());
        auto& image = static_cast<CBkImageWnd&>(*element);
        EXPECT_EQ(NaturalSize(image), (SIZE{40, 30})) << tag;
        image.skin = &skin;
        skin.natural = {12, 0};
        EXPECT_EQ(NaturalSize(image), (SIZE{12, 30})) << tag;
        skin.natural = {0, 7};
        EXPECT_EQ(NaturalSize(image), (SIZE{40, 7})) << tag;
        skin.natural = {5, 6};
        EXPECT_EQ(NaturalSize(image), (SIZE{5, 6})) << tag;
    }
    // A measured image takes the skin list's own size (2 x 2 sub-images of "states").
    std::unique_ptr<CBkWindow> measured = LoadElement("<img pos=\"3,4\" skin=\"states\"/>");
    EXPECT_EQ(NaturalSize(*measured), (SIZE{2, 2}));
}

TEST_F(ControlTest, AnImageButtonChoosesItsSubImageByState) {
    struct Case {
        int state;
        int sub;
    } cases[] = {{0, 0},
                 {STATE_HOVER, 1},
                 {STATE_PUSHED, 2},
                 {STATE_HOVER | STATE_PUSHED, 2},
                 {STATE_DISABLED, 3},
                 {STATE_DISABLED | STATE_HOVER, 3},
                 {STATE_DISABLED | STATE_HOVER | STATE_PUSHED, 3},
                 {STATE_CHECKED, 0}};
    CRecordingSkin skin;
    // The sub attribute is accepted but never drawn.
    std::unique_ptr<CBkWindow> element = LoadElement("<imgbtn sub=\"5\"/>");
    auto& button = static_cast<CBkImageBtnWnd&>(*element);
    EXPECT_EQ(button.subImage, 5);
    button.skin = &skin;
    button.rect = {1, 2, 3, 4};
    CBkTestSurface surface(4, 4, kWhite);
    for (const Case& c : cases) {
        button.state = c.state;
        skin.states.clear();
        button.PaintRegion(surface.Dc(), nullptr);
        EXPECT_EQ(skin.states, (std::vector<int>{c.sub})) << c.state;
    }
    EXPECT_EQ(skin.rects.back(), (RECT{1, 2, 3, 4}));
}

TEST_F(ControlTest, ClicksThroughTheViewCarryEachControlsTag) {
    CTestDialog dialog{9400};
    CWindowOwner hwnd(dialog.LoadAndShow());
    ASSERT_NE(hwnd, nullptr);

    // The image button shows its normal, hover and pushed sub-images.
    EXPECT_EQ(PaintedAt(hwnd, 191, 11), kSkinRed);
    EXPECT_EQ(PaintedAt(hwnd, 221, 11), kSkinBlue);
    MoveTo(hwnd, 200, 20);
    EXPECT_EQ(PaintedAt(hwnd, 191, 11), kSkinGreen);
    headless::PressButton();
    headless::PumpMessages();
    EXPECT_EQ(PaintedAt(hwnd, 191, 11), kSkinBlue);
    headless::ReleaseButton();
    headless::PumpMessages();

    ClickAt(hwnd, 20, 20);
    ClickAt(hwnd, 80, 20);
    ClickAt(hwnd, 140, 20);
    ClickAt(hwnd, 230, 20);
    std::vector<std::pair<std::uint32_t, std::string>> got;
    for (const RecordedClick& click : dialog.clicks) {
        got.emplace_back(click.itemId, click.tag);
    }
    EXPECT_EQ(got, (std::vector<std::pair<std::uint32_t, std::string>>{
                       {34, "imgbtn"}, {31, "text"}, {32, "link"}, {33, "button"}, {35, "img"}}));
    headless::MoveMouse(1000, 700);
    headless::PumpMessages();
}

TEST_F(ControlTest, InTheHeaderATextDragsTheWindowWhileLinksAndButtonsClick) {
    CTestDialog dialog{9402};
    CWindowOwner hwnd(dialog.LoadAndShow());
    ASSERT_NE(hwnd, nullptr);
    ClickAt(hwnd, 90, 20);
    ClickAt(hwnd, 150, 20);
    EXPECT_TRUE(dialog.sysCommands.empty());
    ClickAt(hwnd, 30, 20);
    std::vector<std::string> tags;
    for (const RecordedClick& click : dialog.clicks) {
        tags.push_back(click.tag);
    }
    EXPECT_EQ(tags, (std::vector<std::string>{"link", "button"}));
    ASSERT_EQ(dialog.sysCommands.size(), 1u);
    EXPECT_EQ(dialog.sysCommands[0] & 0xFFF0, WPARAM(SC_MOVE));
    headless::MoveMouse(1000, 700);
    headless::PumpMessages();
}

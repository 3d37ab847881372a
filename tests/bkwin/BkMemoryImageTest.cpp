// The memory image: a caller's bitmap given by its decimal address, stretched or at its own
// size, and nothing for other size modes or an address that is no live bitmap.
#include "BkControlTestSupport.h"

#include "bkwin/BkMemoryImage.h"
#include "bkwin/BkResource.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kSkinRed = RGB(200, 0, 0);
constexpr COLORREF kSkinGreen = RGB(0, 200, 0);
constexpr COLORREF kSkinBlue = RGB(0, 0, 200);

// The test bitmap 9101: three 2 x 2 squares, red, green and blue.
class MemoryImageTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NE(strips.Get(), nullptr); }

    std::unique_ptr<CBkWindow> Load(const char* mode) {
        const std::string xml = "<memimage mempointer=\"" +
                                std::to_string(reinterpret_cast<std::uintptr_t>(strips.Get())) +
                                "\" " + mode + "/>";
        std::unique_ptr<CBkWindow> element = LoadElement(xml.c_str());
        element->rect = {2, 1, 14, 5};
        return element;
    }

    CGdiHandle<HBITMAP> strips{LoadSkinBitmap(9101)};
};

} // namespace

TEST_F(MemoryImageTest, StretchedToTheElementByDefault) {
    std::unique_ptr<CBkWindow> element = Load("");
    EXPECT_EQ(static_cast<CBkMemoryImage&>(*element).image, strips.Get());
    CBkTestSurface surface(16, 6, kWhite);
    element->PaintRegion(surface.Dc(), nullptr);
    EXPECT_TRUE(AllPixelsAre(surface, {2, 1, 6, 5}, kSkinRed));
    EXPECT_TRUE(AllPixelsAre(surface, {6, 1, 10, 5}, kSkinGreen));
    EXPECT_TRUE(AllPixelsAre(surface, {10, 1, 14, 5}, kSkinBlue));
    EXPECT_TRUE(AllPixelsAre(surface, {14, 0, 16, 6}, kWhite));
}

TEST_F(MemoryImageTest, AtItsOwnSizeWithSizeModeZero) {
    std::unique_ptr<CBkWindow> element = Load("autosize=\"0\"");
    CBkTestSurface surface(16, 6, kWhite);
    element->PaintRegion(surface.Dc(), nullptr);
    EXPECT_TRUE(AllPixelsAre(surface, {2, 1, 4, 3}, kSkinRed));
    EXPECT_TRUE(AllPixelsAre(surface, {6, 1, 8, 3}, kSkinBlue));
    EXPECT_TRUE(AllPixelsAre(surface, {8, 0, 16, 6}, kWhite));
    EXPECT_TRUE(AllPixelsAre(surface, {0, 3, 16, 6}, kWhite));
    // An empty value leaves the mode as it is.
    element->ApplyAttribute("autosize", "", false);
    EXPECT_EQ(static_cast<CBkMemoryImage&>(*element).sizeMode, 0);
}

TEST_F(MemoryImageTest, NothingForOtherModesClearedOrDeadImages) {
    std::unique_ptr<CBkWindow> odd = Load("autosize=\"2\"");
    std::unique_ptr<CBkWindow> cleared = Load("");
    cleared->ApplyAttribute("mempointer", "0", false);
    EXPECT_EQ(static_cast<CBkMemoryImage&>(*cleared).image, nullptr);
    std::unique_ptr<CBkWindow> bogus = LoadElement("<memimage mempointer=\"4096\"/>");
    bogus->rect = {2, 1, 14, 5};
    for (CBkWindow* element : {odd.get(), cleared.get(), bogus.get()}) {
        CBkTestSurface surface(16, 6, kWhite);
        element->PaintRegion(surface.Dc(), nullptr);
        EXPECT_TRUE(AllPixelsAre(surface, {0, 0, 16, 6}, kWhite));
    }
}

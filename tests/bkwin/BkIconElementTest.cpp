// The icon element: program and system icons stretched to the element, its natural size, and
// reloading when the resource id changes at run time.
#include "BkControlTestSupport.h"

#include "bkwin/BkIconElement.h"
#include "bkwin/BkResource.h"
#include "platform/draw/SystemIcons.h"

#include <gtest/gtest.h>

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);

// A surface with the icon drawn over the rectangle, as the element should draw it.
std::unique_ptr<CBkTestSurface> Expected(HICON icon, const RECT& area) {
    auto surface = std::make_unique<CBkTestSurface>(60, 40, kWhite);
    DrawIconEx(surface->Dc(), area.left, area.top, icon, area.Width(), area.Height(), 0, nullptr,
               DI_NORMAL);
    return surface;
}

std::unique_ptr<CBkTestSurface> Painted(CBkWindow& element) {
    auto surface = std::make_unique<CBkTestSurface>(60, 40, kWhite);
    element.PaintRegion(surface->Dc(), nullptr);
    return surface;
}

struct CIconDeleter {
    void operator()(CIcon* icon) const { DestroyIcon(icon); }
};
using OwnedIcon = std::unique_ptr<CIcon, CIconDeleter>;

} // namespace

TEST(BkIconElementTest, ASystemIconIsStretchedToItsSizeWithoutAnExplicitSize) {
    std::unique_ptr<CBkWindow> element =
        LoadElement("<icon id=\"60005\" pos=\"20,20\" src=\"32516\" oem=\"1\" size=\"32\"/>");
    EXPECT_EQ(NaturalSize(*element), (SIZE{32, 32}));
    ASSERT_NE(static_cast<CBkIconWnd&>(*element).Icon(), nullptr);
    element->rect = {4, 3, 36, 35};
    const auto painted = Painted(*element);
    const auto expected = Expected(LoadIcon(nullptr, IDI_INFORMATION), {4, 3, 36, 35});
    EXPECT_TRUE(SamePixels(*painted, *expected, {0, 0, 60, 40}));
    EXPECT_FALSE(AllPixelsAre(*painted, {4, 3, 36, 35}, kWhite));
}

TEST(BkIconElementTest, AProgramIconIsLoadedAtItsSizeAndStretchedToTheRectangle) {
    std::unique_ptr<CBkWindow> element = LoadElement("<icon src=\"101\" pos=\"5,5\"/>");
    EXPECT_EQ(NaturalSize(*element), (SIZE{16, 16}));
    element->rect = {10, 5, 50, 25};
    OwnedIcon reference(LoadSkinIcon(101, 16, 16));
    ASSERT_NE(reference, nullptr);
    EXPECT_TRUE(SamePixels(*Painted(*element), *Expected(reference.get(), {10, 5, 50, 25}),
                           {0, 0, 60, 40}));
}

TEST(BkIconElementTest, AMissingIconDrawsNothing) {
    for (const char* xml : {"<icon src=\"9999\"/>", "<icon src=\"1\" oem=\"1\"/>", "<icon/>"}) {
        std::unique_ptr<CBkWindow> element = LoadElement(xml);
        EXPECT_EQ(static_cast<CBkIconWnd&>(*element).Icon(), nullptr) << xml;
        element->rect = {0, 0, 60, 40};
        EXPECT_TRUE(AllPixelsAre(*Painted(*element), {0, 0, 60, 40}, kWhite)) << xml;
    }
}

TEST(BkIconElementTest, OnlyAChangedSourceReloadsAndThenUsesTheNewOemFlag) {
    std::unique_ptr<CBkWindow> element = LoadElement("<icon src=\"101\" size=\"32\"/>");
    element->rect = {0, 0, 32, 32};
    OwnedIcon program(LoadSkinIcon(101, 32, 32));
    const auto programLook = Expected(program.get(), {0, 0, 32, 32});
    const auto systemLook = Expected(LoadIcon(nullptr, IDI_INFORMATION), {0, 0, 32, 32});
    ASSERT_FALSE(SamePixels(*programLook, *systemLook, {0, 0, 32, 32}));

    // Changing only the flag keeps the icon loaded.
    EXPECT_TRUE(SUCCEEDED(element->ApplyAttribute("oem", "1", false)));
    EXPECT_TRUE(SamePixels(*Painted(*element), *programLook, {0, 0, 60, 40}));
    // A new source loads on the next paint, as a system icon now.
    EXPECT_TRUE(SUCCEEDED(element->ApplyAttribute("src", "32516", false)));
    EXPECT_TRUE(SamePixels(*Painted(*element), *systemLook, {0, 0, 60, 40}));
    // A source that names nothing leaves the element empty.
    element->ApplyAttribute("src", "7", false);
    EXPECT_TRUE(AllPixelsAre(*Painted(*element), {0, 0, 60, 40}, kWhite));
    EXPECT_EQ(static_cast<CBkIconWnd&>(*element).Icon(), nullptr);
}

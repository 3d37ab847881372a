// The file icon element: an icon given by handle, else the desktop's icon of a file, fetched
// once per path and size; a missing file draws nothing and is tried again at the next paint.
#include "BkControlTestSupport.h"
#include "tests/support/TestDataDirs.h"

#include "bkwin/BkDrawFileIcon.h"
#include "bkwin/BkFileIconCache.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

class DrawFileIconTest : public ::testing::Test {
protected:
    void SetUp() override {
        data.AddMimeLine("globs2", "50:text/plain:*.txt");
        data.AddIcon("Adwaita", 16, "text-plain", kBlue);
        data.AddIcon("Adwaita", 32, "text-plain", kGreen);
    }

    // The element painted at (2, 2) as 16 x 16 on a white surface.
    static std::unique_ptr<CBkTestSurface> Paint(CBkWindow& element) {
        auto surface = std::make_unique<CBkTestSurface>(20, 20, kWhite);
        element.rect = {2, 2, 18, 18};
        element.PaintRegion(surface->Dc(), nullptr);
        return surface;
    }

    static std::unique_ptr<CBkWindow> Load(const std::string& attributes) {
        return LoadElement(("<iconfrommodule " + attributes + "/>").c_str());
    }

    CTestDataDirs data;
};

} // namespace

TEST_F(DrawFileIconTest, TheFilesIconIsStretchedToTheElement) {
    const std::string path = data.MakeFile("stretched.txt");
    const struct {
        const char* small;
        COLORREF colour;
    } cases[] = {{"1", kBlue}, {"0", kGreen}};
    for (const auto& c : cases) {
        std::unique_ptr<CBkWindow> element =
            Load("srcfile='" + path + "' issmall='" + c.small + "'");
        ASSERT_TRUE(element);
        EXPECT_STREQ(element->TagName(), "iconfrommodule");
        const std::unique_ptr<CBkTestSurface> surface = Paint(*element);
        EXPECT_TRUE(AllPixelsAre(*surface, {2, 2, 18, 18}, c.colour)) << c.small;
        EXPECT_EQ(surface->At(1, 1), kWhite);
        EXPECT_EQ(surface->At(18, 18), kWhite);
    }
}

TEST_F(DrawFileIconTest, AMissingFileDrawsNothingAndIsTriedAgain) {
    const std::string path = (data.Root() / "files" / "later.txt").string();
    std::unique_ptr<CBkWindow> element = Load("srcfile='" + path + "' issmall='1'");
    EXPECT_TRUE(AllPixelsAre(*Paint(*element), {0, 0, 20, 20}, kWhite));
    data.MakeFile("later.txt");
    EXPECT_TRUE(AllPixelsAre(*Paint(*element), {2, 2, 18, 18}, kBlue));
}

TEST_F(DrawFileIconTest, IconsAreFetchedOncePerPathAndSize) {
    const std::string path = data.MakeFile("cached.txt");
    FileIconCache& cache = FileIconCache::Instance();
    HICON small = cache.Get(path, true);
    HICON large = cache.Get(path, false);
    ASSERT_NE(small, nullptr);
    ASSERT_NE(large, nullptr);
    EXPECT_NE(small, large);
    // The pictures and the file may go: the cache keeps what it fetched.
    std::filesystem::remove_all(data.Root() / "share" / "icons");
    EXPECT_EQ(cache.Get(path, true), small);
    EXPECT_EQ(cache.Get(path, false), large);
    EXPECT_EQ(cache.Get(data.MakeFile("uncached.txt"), true), nullptr);
}

TEST_F(DrawFileIconTest, AGivenIconComesBeforeTheFile) {
    HICON icon = RegisterIcon(new CIcon(2, 2, std::vector<std::uint32_t>(4, 0xFFFF0000u)));
    const std::string path = data.MakeFile("given.txt");
    std::unique_ptr<CBkWindow> element =
        Load("srcfile='" + path + "' iconhandle='" +
             std::to_string(reinterpret_cast<std::uintptr_t>(icon)) + "'");
    auto& fileIcon = static_cast<CBkDrawFileIcon&>(*element);
    EXPECT_EQ(fileIcon.PaintedIcon(), icon);
    EXPECT_TRUE(AllPixelsAre(*Paint(*element), {2, 2, 18, 18}, kRed));

    // Empty values leave every attribute as it was; a handle of 0 gives the file's icon back.
    EXPECT_EQ(element->ApplyAttribute("srcfile", "", false), S_OK);
    EXPECT_EQ(element->ApplyAttribute("iconhandle", "", false), S_OK);
    EXPECT_EQ(element->ApplyAttribute("issmall", "", false), S_OK);
    EXPECT_EQ(fileIcon.srcFile, path);
    EXPECT_EQ(fileIcon.iconHandle, icon);
    EXPECT_EQ(fileIcon.smallIcon, 0);
    element->ApplyAttribute("iconhandle", "0", false);
    element->ApplyAttribute("issmall", "1", false);
    EXPECT_TRUE(AllPixelsAre(*Paint(*element), {2, 2, 18, 18}, kBlue));
    EXPECT_TRUE(DestroyIcon(icon));
    // Without a file or an icon nothing is drawn.
    EXPECT_TRUE(AllPixelsAre(*Paint(*Load("")), {0, 0, 20, 20}, kWhite));
}

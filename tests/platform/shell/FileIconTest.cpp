// File icons from the freedesktop MIME database and icon themes, looked up in a data
// directory of the test's own making.
#include "tests/support/TestDataDirs.h"

#include "platform/shell/FileIcon.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kYellow = RGB(255, 255, 0);
constexpr COLORREF kCyan = RGB(0, 255, 255);
constexpr COLORREF kMagenta = RGB(255, 0, 255);

class FileIconTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* line : {
                 "# a comment line",
                 "not a glob line",
                 "50:text/plain:*.txt",
                 "80:text/x-readme:README*",
                 "50:application/x-tar:*.tar",
                 "50:application/gzip:*.gz",
                 "50:application/x-compressed-tar:*.tar.gz",
                 "50:text/x-makefile:Makefile:cs",
                 "50:text/x-csrc:*.c",
                 "50:image/x-test:*.tst",
                 "50:application/x-thing:*.thg",
                 "50:model/x-none:*.zzz",
             }) {
            data.AddMimeLine("globs2", line);
        }
        data.AddMimeLine("icons", "text/x-csrc:text-x-script");
        data.AddMimeLine("generic-icons", "image/x-test:image-x-generic");
        data.AddIcon("hicolor", 16, "text-plain", kRed);
        data.AddIcon("Adwaita", 16, "text-plain", kBlue);
        data.AddIcon("hicolor", 32, "text-plain", kGreen);
        data.AddIcon("Adwaita", 16, "image-x-generic", kYellow);
        data.AddIcon("hicolor", 16, "application-x-generic", kCyan);
        data.AddIcon("Adwaita", 16, "text-x-script", kMagenta);
        data.AddIcon("Adwaita", 22, "model-x-none", kRed);
        data.AddIcon("Adwaita", 22, "model-x-generic", kRed);
    }

    CTestDataDirs data;
};

} // namespace

TEST_F(FileIconTest, TheMimeTypeComesFromTheBestMatchingGlob) {
    const struct {
        const char* path;
        const char* type;
    } cases[] = {
        {"/somewhere/notes.txt", "text/plain"},
        {"NOTES.TXT", "text/plain"},     // case does not matter...
        {"Makefile", "text/x-makefile"}, // ...unless the pattern says so
        {"makefile", ""},
        {"README.txt", "text/x-readme"},                   // the higher weight wins
        {"backup.tar.gz", "application/x-compressed-tar"}, // then the longer pattern
        {"backup.gz", "application/gzip"},
        {"/dir.txt/file.unknownext", ""}, // only the file's own name counts
        {"", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MimeTypeOfFileName(c.path), c.type) << c.path;
    }
}

TEST_F(FileIconTest, TheIconIsTheTypesOwnElseItsGenericOne) {
    const struct {
        const char* name;
        bool small;
        std::optional<COLORREF> colour; // none: no icon
    } cases[] = {
        {"a.txt", true, kBlue},         // Adwaita before hicolor
        {"a.txt", false, kGreen},       // the large size has its own picture
        {"a.c", true, kMagenta},        // the database names the type's icon
        {"a.tst", true, kYellow},       // the database names the generic icon
        {"a.thg", true, kCyan},         // the generic icon by the type's media
        {"a.thg", false, std::nullopt}, // no picture of that size
        {"a.zzz", true, std::nullopt},  // only a picture of another size
        {"a.unknown", true, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        HICON icon = LoadFileIcon(data.MakeFile(c.name), c.small);
        ASSERT_EQ(icon != nullptr, c.colour.has_value());
        if (!icon) {
            continue;
        }
        const int size = c.small ? 16 : 32;
        EXPECT_EQ(icon->Width(), size);
        EXPECT_EQ(icon->Height(), size);
        const COLORREF colour = *c.colour;
        const std::uint32_t expected = 0xFF000000u | std::uint32_t(GetRValue(colour)) << 16 |
                                       std::uint32_t(GetGValue(colour)) << 8 | GetBValue(colour);
        EXPECT_EQ(icon->Pixels().front(), expected);
        EXPECT_TRUE(DestroyIcon(icon));
    }
}

// The layout renderer run as a program: one picture per shipped layout at the dialog's size,
// and the pictures of the about box and the update prompt checked at a few pixels.
#include "bkwin/BkElementFactory.h"
#include "platform/draw/Bitmap.h"
#include "platform/draw/DeviceContext.h"
#include "platform/draw/Shapes.h"
#include "platform/draw/image/PngRead.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <thread>

namespace {

namespace fs = std::filesystem;

// A picture read back from the renderer's output.
class CPicture {
public:
    explicit CPicture(const fs::path& path) : m_bitmap(LoadPngFile(path.string())) {
        if (m_bitmap) {
            SelectObject(m_dc, m_bitmap.Get());
        }
    }
    bool Loaded() const { return bool(m_bitmap); }
    SIZE Size() const {
        BITMAP info{};
        GetObject(m_bitmap.Get(), &info);
        return {info.bmWidth, info.bmHeight};
    }
    COLORREF At(int x, int y) const { return GetPixel(m_dc, x, y); }

    // The first and last rows of the area holding a pixel that passes `test`; -1 for none.
    template <class Test> std::pair<int, int> Rows(const RECT& area, Test test) const {
        std::pair<int, int> rows{-1, -1};
        for (int y = area.top; y < area.bottom; ++y) {
            for (int x = area.left; x < area.right; ++x) {
                if (test(At(x, y))) {
                    rows.first = rows.first < 0 ? y : rows.first;
                    rows.second = y;
                    break;
                }
            }
        }
        return rows;
    }

private:
    CGdiHandle<HBITMAP> m_bitmap;
    CMemoryDC m_dc;
};

// Runs the renderer into `folder`; its exit code, or -1 when it did not end within 60 s.
int RunRenderer(const fs::path& folder) {
    const std::string program = LAYOUT_RENDER_PROGRAM;
    const std::string out = folder.string();
    char* argv[] = {const_cast<char*>(program.c_str()), const_cast<char*>(out.c_str()), nullptr};
    pid_t pid = 0;
    if (posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv, environ) != 0) {
        return -1;
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    int status = 0;
    while (waitpid(pid, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            return -1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class LayoutRenderTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_folder = fs::temp_directory_path() / ("layout-render-" + std::to_string(getpid()));
        fs::remove_all(s_folder);
        s_exitCode = RunRenderer(s_folder);
    }
    static void TearDownTestSuite() { fs::remove_all(s_folder); }

    static fs::path s_folder;
    static int s_exitCode;
};

fs::path LayoutRenderTest::s_folder;
int LayoutRenderTest::s_exitCode = -1;

bool IsRed(COLORREF c) {
    return GetRValue(c) > 180 && GetGValue(c) < 90 && GetBValue(c) < 90;
}

bool IsBlue(COLORREF c) {
    return GetBValue(c) > 180 && GetRValue(c) < 110 && GetGValue(c) < 110;
}

} // namespace

TEST_F(LayoutRenderTest, EveryLayoutBecomesAPictureOfItsDialogsSize) {
    ASSERT_EQ(s_exitCode, 0);
    const struct {
        const char* file;
        SIZE size;
    } pictures[] = {
        {"103-tab0.png", {1024, 768}}, {"103-tab1.png", {1024, 768}}, {"105.png", {360, 160}},
        {"106.png", {360, 176}},       {"107.png", {320, 130}},       {"108.png", {350, 240}},
        {"510.png", {350, 240}},       {"522.png", {1010, 639}},
    };
    for (const auto& picture : pictures) {
        const CPicture read(s_folder / picture.file);
        ASSERT_TRUE(read.Loaded()) << picture.file;
        EXPECT_EQ(read.Size(), picture.size) << picture.file;
    }
    // The selected tab is drawn in its pushed look: the two main-window pictures differ there.
    const CPicture first(s_folder / "103-tab0.png");
    const CPicture second(s_folder / "103-tab1.png");
    EXPECT_NE(first.At(12, 40), second.At(12, 40));
    EXPECT_NE(first.At(90, 40), second.At(90, 40));
}

TEST_F(LayoutRenderTest, TheAboutBoxShowsItsButtonOnTheBody) {
    ASSERT_EQ(s_exitCode, 0);
    const CPicture about(s_folder / "510.png");
    ASSERT_TRUE(about.Loaded());
    // The close button (260, 205, 340, 230) of the footer: its border and its light face.
    EXPECT_EQ(about.At(260, 217), RGB(0x7D, 0x9E, 0xBC));
    EXPECT_EQ(about.At(339, 217), RGB(0x7D, 0x9E, 0xBC));
    EXPECT_EQ(about.At(261, 206), RGB(0xFB, 0xFC, 0xFD));
    // The body's fill where no element lies.
    EXPECT_EQ(about.At(300, 150), RGB(0xFB, 0xFC, 0xFD));
}

TEST_F(LayoutRenderTest, TheUpdatePromptShowsItsRunsInTheirColoursAndLines) {
    if (!CreateElementByTag("richtext")) {
        GTEST_SKIP() << "the richtext element is not part of this build";
    }
    ASSERT_EQ(s_exitCode, 0);
    const CPicture prompt(s_folder / "108.png");
    ASSERT_TRUE(prompt.Loaded());
    // Rich text 60002 covers (10, 42, 340, 125): "name : id" in bold red on the first line,
    // the change note in bold blue on the next.
    const RECT text{10, 42, 340, 125};
    const auto red = prompt.Rows(text, IsRed);
    const auto blue = prompt.Rows(text, IsBlue);
    ASSERT_GE(red.first, 0);
    ASSERT_GE(blue.first, 0);
    EXPECT_LT(red.first, text.top + 20);
    EXPECT_LT(red.second, blue.first);
    EXPECT_LT(blue.second, text.top + 45);
    // Red starts at the left edge; no blue on the red line.
    EXPECT_GE(prompt.Rows({10, 42, 30, 62}, IsRed).first, 0);
    EXPECT_EQ(prompt.Rows({10, red.first, 340, red.second + 1}, IsBlue).first, -1);
}

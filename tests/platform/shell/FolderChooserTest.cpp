#include "tests/support/ModalScript.h"
#include "tests/support/TestWindow.h"

#include "platform/base/Utf8.h"
#include "platform/core/Input.h"
#include "platform/core/Paint.h"
#include "platform/core/PaintDC.h"
#include "platform/core/Screenshot.h"
#include "platform/core/headless/HeadlessScreen.h"
#include "platform/draw/Bitmap.h"
#include "platform/shell/BrowseForFolder.h"
#include "platform/shell/FolderChooser.h"
#include "platform/shell/FolderListing.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>

namespace {

namespace fs = std::filesystem;

const wchar_t kPrompt[] = L"选择地图所在目录:";
const RECT kOwnerRect{100, 100, 700, 600};
const RECT kWorkArea{0, 0, 1280, 760}; // the headless screen's

using Steps = std::deque<std::function<void()>>;

// A home folder of its own:
//   home/alpha  home/Beta  home/link-to-alpha -> alpha  home/Videos/Vistrel
//   home/.hidden  home/notes.txt
class FolderChooserTest : public ::testing::Test {
protected:
    void SetUp() override {
        root = fs::temp_directory_path() / ("folder-chooser-" + std::to_string(getpid()));
        home = root / "home";
        fs::remove_all(root);
        for (const char* folder : {"alpha", "Beta", "Videos/Vistrel", ".hidden"}) {
            fs::create_directories(home / folder);
        }
        fs::create_directory_symlink(home / "alpha", home / "link-to-alpha");
        std::ofstream(home / "notes.txt") << "not a folder";
        const char* previous = std::getenv("HOME");
        oldHome = previous ? std::optional<std::string>(previous) : std::nullopt;
        setenv("HOME", home.c_str(), 1);
        headless::MoveMouse(5, 5);
        owner = CreateTestWindow({}, WS_POPUP | WS_VISIBLE, kOwnerRect);
        SetForegroundWindow(owner);
        SetFocus(owner);
    }
    void TearDown() override {
        DestroyWindow(owner);
        Pump();
        if (oldHome) {
            setenv("HOME", oldHome->c_str(), 1);
        } else {
            unsetenv("HOME");
        }
        fs::remove_all(root);
    }

    // Runs the chooser with `steps` acted out on it, one per timer tick, and answers the path
    // it chose. A run that the steps do not end is closed, so a failing test cannot hang.
    CIdListPtr RunChooser(Steps steps, bool owned = true) {
        steps.push_back([] { PostMessage(Chooser(), WM_CLOSE, 0, 0); });
        CModalScript script(std::move(steps));
        BROWSEINFO info;
        info.hwndOwner = owned ? owner : nullptr;
        info.lpszTitle = kPrompt;
        CIdListPtr chosen(SHBrowseForFolderW(&info));
        EXPECT_FALSE(script.Finished()) << "the steps did not end the chooser";
        return chosen;
    }
    std::optional<std::string> Run(Steps steps) {
        const CIdListPtr chosen = RunChooser(std::move(steps));
        if (!chosen) {
            return std::nullopt;
        }
        WString path;
        EXPECT_TRUE(SHGetPathFromIDListW(chosen.get(), &path));
        return WideToUtf8(path);
    }

    static HWND Chooser() {
        const HWND active = GetActiveWindow();
        return GetClassName(active) == L"VistrelFolderChooser" ? active : nullptr;
    }
    // Where the chooser's parts are on the screen.
    static CChooserLayout Layout() {
        RECT client;
        GetClientRect(Chooser(), &client);
        return LayoutFolderChooser(client, ChooserPromptHeight(kPrompt), 0);
    }
    static POINT OnScreen(const RECT& part) {
        POINT p{(part.left + part.right) / 2, (part.top + part.bottom) / 2};
        ClientToScreen(Chooser(), &p);
        return p;
    }
    static POINT Row(int row) {
        const CChooserLayout l = Layout();
        const LONG top = l.list.top + row * l.rowHeight;
        return OnScreen({l.list.left, top, l.list.left + 120, top + l.rowHeight});
    }
    static void ClickAt(POINT p) { headless::Click(p.x, p.y); }
    static void DoubleClickAt(POINT p) { headless::DoubleClick(p.x, p.y); }
    static void ClickOk() { ClickAt(OnScreen(Layout().ok)); }
    static std::function<void()> Key(WPARAM key) {
        return [key] { headless::TapKey(key); };
    }

    fs::path root;
    fs::path home;
    std::optional<std::string> oldHome;
    HWND owner = nullptr;
};

TEST_F(FolderChooserTest, ListsVisibleFoldersSortedWithoutRegardToCase) {
    const CFolderListing listing = ListSubfolders(home.string());
    EXPECT_TRUE(listing.readable);
    EXPECT_EQ(listing.names,
              (std::vector<std::string>{"alpha", "Beta", "link-to-alpha", "Videos"}));
    EXPECT_EQ(HomeFolder(), home.string());
    EXPECT_EQ(ParentFolder(home.string()), root.string());
    EXPECT_EQ(ParentFolder("/tmp"), "/");
    EXPECT_EQ(ParentFolder("/"), "/");
    EXPECT_EQ(ChildFolder("/", "tmp"), "/tmp");

    const CFolderListing missing = ListSubfolders((home / "no-such-folder").string());
    EXPECT_FALSE(missing.readable);
    EXPECT_TRUE(missing.names.empty());
}

TEST_F(FolderChooserTest, ChoosesAFolderReachedByKeys) {
    bool ownerDisabledMeanwhile = false;
    const auto chosen = Run({
        [&] { ownerDisabledMeanwhile = Chooser() && !IsWindowEnabled(owner); },
        Key(VK_END),    // "Videos", the last row
        Key(VK_RETURN), // opens it: "..", "Vistrel"
        Key(VK_DOWN),   // ".."
        Key(VK_DOWN),   // "Vistrel"
        [] { ClickOk(); },
    });
    EXPECT_EQ(chosen, (home / "Videos" / "Vistrel").string());
    EXPECT_TRUE(ownerDisabledMeanwhile);
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_EQ(GetActiveWindow(), owner);
    EXPECT_EQ(GetFocus(), owner);
}

TEST_F(FolderChooserTest, ChoosesAFolderReachedByDoubleClicks) {
    const auto chosen = Run({
        [] { DoubleClickAt(Row(4)); }, // "Videos"
        [] { DoubleClickAt(Row(1)); }, // "Vistrel", which holds no folders
        [] {
            UpdateWindow(Chooser());
            EXPECT_TRUE(
                WriteWindowPng(Chooser(), ::testing::TempDir() + "folder-chooser-empty.png"));
        },
        [] { ClickOk(); }, // nothing selected: the folder shown
    });
    EXPECT_EQ(chosen, (home / "Videos" / "Vistrel").string());
}

TEST_F(FolderChooserTest, GoesUpByBackspaceAndByTheParentEntry) {
    // Backspace comes back to the folder just left, selected, so OK picks it.
    EXPECT_EQ(Run({
                  [] { ClickAt(Row(1)); }, // "alpha"
                  Key(VK_RETURN),
                  Key(VK_BACK),
                  [] {
                      UpdateWindow(Chooser());
                      EXPECT_TRUE(
                          WriteWindowPng(Chooser(), ::testing::TempDir() + "folder-chooser.png"));
                  },
                  [] { ClickOk(); },
              }),
              (home / "alpha").string());
    // ".." above the home folder, then Enter with nothing selected is OK.
    EXPECT_EQ(Run({
                  [] { DoubleClickAt(Row(0)); },
                  Key(VK_UP),   // selects "..", which OK does not choose
                  Key(VK_DOWN), // "home"
                  Key(VK_UP),   // ".." again
                  [] { ClickOk(); },
              }),
              root.string());
}

TEST_F(FolderChooserTest, CancellingInAnyWayAnswersNothing) {
    const std::pair<const char*, std::function<void()>> ways[] = {
        {"Cancel button", [] { ClickAt(OnScreen(Layout().cancel)); }},
        {"Esc", Key(VK_ESCAPE)},
        {"close button", [] { ClickAt(OnScreen(Layout().close)); }},
        {"WM_CLOSE", [] { PostMessage(Chooser(), WM_CLOSE, 0, 0); }},
    };
    for (const auto& [name, cancel] : ways) {
        SCOPED_TRACE(name);
        bool ownerDisabledMeanwhile = false;
        EXPECT_EQ(Run({
                      [] { ClickAt(Row(1)); }, // a selection does not matter
                      [&] { ownerDisabledMeanwhile = !IsWindowEnabled(owner); },
                      cancel,
                  }),
                  std::nullopt);
        EXPECT_TRUE(ownerDisabledMeanwhile);
        EXPECT_TRUE(IsWindowEnabled(owner));
        EXPECT_EQ(Chooser(), nullptr); // gone
    }
}

TEST_F(FolderChooserTest, PressingOkAndReleasingElsewhereChoosesNothing) {
    EXPECT_EQ(Run({
                  [] {
                      const POINT ok = OnScreen(Layout().ok);
                      headless::MoveMouse(ok.x, ok.y);
                      headless::PressButton();
                      headless::MoveMouse(ok.x - 200, ok.y);
                      headless::ReleaseButton();
                  },
                  [] { EXPECT_NE(Chooser(), nullptr); },
                  Key(VK_ESCAPE),
              }),
              std::nullopt);
}

TEST_F(FolderChooserTest, ADisabledOwnerStaysDisabled) {
    EnableWindow(owner, false);
    EXPECT_EQ(Run({Key(VK_ESCAPE)}), std::nullopt);
    EXPECT_FALSE(IsWindowEnabled(owner));
}

TEST_F(FolderChooserTest, FolderThatCannotBeReadShowsANoteAndTheWayBack) {
    const auto chosen = Run({
        [this] { fs::remove(home / "Beta"); }, // listed, then gone
        [] { DoubleClickAt(Row(2)); },
        [] {
            UpdateWindow(Chooser());
            EXPECT_TRUE(
                WriteWindowPng(Chooser(), ::testing::TempDir() + "folder-chooser-unreadable.png"));
        },
        [] { DoubleClickAt(Row(0)); }, // ".."
        [] { ClickOk(); },             // the folder left is gone, so nothing is selected
    });
    EXPECT_EQ(chosen, home.string());
    if (geteuid() != 0) { // the superuser reads every folder
        fs::permissions(home / "alpha", fs::perms::none);
        EXPECT_FALSE(ListSubfolders((home / "alpha").string()).readable);
        fs::permissions(home / "alpha", fs::perms::owner_all);
    }
}

TEST_F(FolderChooserTest, ManyFoldersScrollWithTheSelection) {
    for (int i = 0; i < 40; ++i) {
        fs::create_directory(home / ("folder " + std::to_string(100 + i)));
    }
    const auto chosen = Run({
        Key(VK_END),
        [] {
            UpdateWindow(Chooser());
            EXPECT_TRUE(
                WriteWindowPng(Chooser(), ::testing::TempDir() + "folder-chooser-scrolled.png"));
        },
        [] { ClickOk(); },
    });
    EXPECT_EQ(chosen, (home / "Videos").string()); // the last of 44, scrolled into view
}

TEST_F(FolderChooserTest, TypingALetterSelectsTheNextFolderStartingWithIt) {
    EXPECT_EQ(Run({
                  [] { headless::TypeText(L"v"); },
                  [] { ClickOk(); },
              }),
              (home / "Videos").string());
}

TEST_F(FolderChooserTest, SitsCentredOnItsOwnerAndInsideTheWorkArea) {
    RECT placed{};
    Run({[&] { GetWindowRect(Chooser(), &placed); }, Key(VK_ESCAPE)});
    EXPECT_NEAR((placed.left + placed.right) / 2, (kOwnerRect.left + kOwnerRect.right) / 2, 1);
    EXPECT_NEAR((placed.top + placed.bottom) / 2, (kOwnerRect.top + kOwnerRect.bottom) / 2, 1);

    SetWindowPos(owner, nullptr, 1100, 650, 300, 200, SWP_NOZORDER | SWP_NOACTIVATE);
    Run({[&] { GetWindowRect(Chooser(), &placed); }, Key(VK_ESCAPE)});
    EXPECT_LE(placed.right, kWorkArea.right);
    EXPECT_LE(placed.bottom, kWorkArea.bottom);
    EXPECT_GE(placed.left, kWorkArea.left);
    EXPECT_GE(placed.top, kWorkArea.top);

    // Without an owner: the middle of the work area.
    RunChooser({[&] { GetWindowRect(Chooser(), &placed); }, Key(VK_ESCAPE)}, false);
    EXPECT_NEAR((placed.left + placed.right) / 2, kWorkArea.right / 2, 1);
    EXPECT_NEAR((placed.top + placed.bottom) / 2, kWorkArea.bottom / 2, 1);
}

TEST_F(FolderChooserTest, QuitEndsTheChooserAndStaysQueuedForTheOuterLoop) {
    EXPECT_EQ(Run({[] { PostQuitMessage(3); }}), std::nullopt);
    EXPECT_TRUE(IsWindowEnabled(owner));
    MSG msg;
    ASSERT_TRUE(PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, WM_QUIT);
    EXPECT_EQ(msg.wParam, 3u);
}

TEST_F(FolderChooserTest, FolderNamedInAnotherEncodingHasNoWidePath) {
    fs::create_directory(home / "bad\xff name"); // sorts after "alpha"
    CIdListPtr chosen = RunChooser({
        [] { ClickAt(Row(2)); },
        [] { ClickOk(); },
    });
    ASSERT_NE(chosen, nullptr);
    WString path = L"unchanged";
    EXPECT_FALSE(SHGetPathFromIDListW(chosen.get(), &path));
    EXPECT_EQ(path, L"unchanged");
}

TEST(FolderChooserCallTest, NullArgumentsAnswerNothing) {
    EXPECT_EQ(SHBrowseForFolderW(nullptr), nullptr);
    WString path = L"unchanged";
    EXPECT_FALSE(SHGetPathFromIDListW(nullptr, &path));
    EXPECT_EQ(path, L"unchanged");
    FreeIdList(nullptr);
}

} // namespace

#include "tests/support/TestWindow.h"
#include "tests/support/WaitUntil.h"
#include "tests/support/WindowOwner.h"

#include "app/AppMessages.h"
#include "platform/shell/NotifyIcon.h"
#include "platform/shell/ShellExecute.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;

// A stand-in opener on PATH that records its arguments, one per line, in a file that appears
// only once it is complete.
class FakeOpener {
public:
    FakeOpener() : m_dir(fs::temp_directory_path() / ("fake-opener-" + std::to_string(getpid()))) {
        fs::create_directories(m_dir);
        std::ofstream script(m_dir / "xdg-open");
        script << "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > \"$0.tmp\"\n"
               << "mv \"$0.tmp\" \"$0.args\"\n";
        script.close();
        fs::permissions(m_dir / "xdg-open", fs::perms::owner_all);
        m_oldPath = std::getenv("PATH");
        setenv("PATH", (m_dir.string() + ":" + m_oldPath).c_str(), 1);
    }
    ~FakeOpener() {
        setenv("PATH", m_oldPath.c_str(), 1);
        fs::remove_all(m_dir);
    }
    // Waits for the opener to have run and answers what it was given.
    std::string Arguments() {
        const fs::path args = m_dir / "xdg-open.args";
        EXPECT_TRUE(WaitUntil([&] { return fs::exists(args); }, kWaitLimit))
            << "the opener did not run";
        std::ifstream in(args);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

private:
    fs::path m_dir;
    std::string m_oldPath;
};

TEST(ShellExecuteTest, OpensTheTargetAsOneArgumentWithoutAShell) {
    FakeOpener opener;
    // Shell syntax in the target must reach the opener untouched.
    const WString link = L"https://example.org/a b?x=1;echo 中 $(id)";
    EXPECT_GT(ShellExecute(nullptr, L"open", link, L"", L"", 1), 32);
    EXPECT_EQ(opener.Arguments(), "https://example.org/a b?x=1;echo 中 $(id)\n");
}

TEST(ShellExecuteTest, RefusesOtherVerbsAndEmptyTargets) {
    EXPECT_EQ(ShellExecute(nullptr, L"print", L"file.txt", L"", L"", 1), SE_ERR_NOASSOC);
    EXPECT_EQ(ShellExecute(nullptr, L"open", L"", L"", L"", 1), SE_ERR_FNF);
}

TEST(NotifyIconTest, WithoutATrayAddFailsAndNothingIsLeftBehind) {
    CWindowOwner owner(CreateTestWindow({}, WS_POPUP, {0, 0, 10, 10}));
    NOTIFYICONDATA data;
    data.hWnd = owner;
    data.uID = 1;
    data.uFlags = NIF_MESSAGE | NIF_TIP;
    data.uCallbackMessage = WM_TRAY_NOTIFY;
    data.szTip = L"Vistrel";
    EXPECT_FALSE(Shell_NotifyIcon(NIM_ADD, &data));
    EXPECT_FALSE(Shell_NotifyIcon(NIM_MODIFY, &data));
    EXPECT_FALSE(Shell_NotifyIcon(NIM_DELETE, &data));
    EXPECT_EQ(FindWindow(L"VistrelTrayIcon", nullptr), nullptr);
}

} // namespace

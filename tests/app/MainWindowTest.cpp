// The main window on the headless screen: the header's close and minimise buttons with and
// without a system tray, the tray's double-click, the ways that end the program's modal run,
// and exit while recording, which finishes every stream file before the window goes.
#include "ClientFixture.h"
#include "H264Decoding.h"
#include "tests/support/ModalScript.h"

#include "app/AppCommands.h"
#include "app/AppMessages.h"
#include "capture/CameraManager.h"
#include "capture/CameraSource.h"
#include "settings/RecordingFolder.h"
#include "settings/TextEncoding.h"

#include "platform/core/MessageLoop.h"
#include "platform/core/Window.h"
#include "platform/shell/NotifyIcon.h"

#include <filesystem>
#include <fstream>

namespace {

using std::chrono::milliseconds;

// Whether the tray shows the main window's icon (id 1), asked of the tray itself.
bool TrayShowsIconOf(HWND window) {
    NOTIFYICONDATA data;
    data.hWnd = window;
    data.uID = 1;
    return Shell_NotifyIcon(NIM_MODIFY, &data);
}

using MainWindowTest = ClientTest;

TEST_F(MainWindowTest, HeaderButtonsHideToTheTrayOnlyWhenThereIsATray) {
    const struct {
        bool trayRuns;
        std::uint32_t button;
        bool shown; // hidden to the tray, or shown (also when minimised)
        bool minimised;
    } cases[] = {
        {true, kCloseButton, false, false},
        {true, kMinimiseButton, true, true},
        // Without a tray a hidden window could not be brought back.
        {false, kCloseButton, true, true},
        {false, kMinimiseButton, true, true},
    };
    for (const auto& c : cases) {
        TestDesktop().trayRuns = c.trayRuns;
        CVistrelMainWnd& main = OpenMainWindow();
        const HWND hwnd = main.Window();
        EXPECT_EQ(main.HasTrayIcon(), c.trayRuns);
        EXPECT_EQ(TrayShowsIconOf(hwnd), c.trayRuns);
        InjectClickOnElement(main, c.button);
        headless::PumpMessages();
        EXPECT_EQ((GetWindowLongPtr(hwnd, GWL_STYLE) & WS_VISIBLE) != 0, c.shown)
            << c.trayRuns << " " << c.button;
        EXPECT_EQ(IsIconic(hwnd), c.minimised) << c.trayRuns << " " << c.button;
        CloseMainWindow();
    }
}

TEST_F(MainWindowTest, ATrayDoubleClickBringsTheHiddenWindowBack) {
    TestDesktop().trayRuns = true;
    CVistrelMainWnd& main = OpenMainWindow();
    const HWND hwnd = main.Window();
    InjectClickOnElement(main, kCloseButton);
    headless::PumpMessages();
    ASSERT_FALSE(IsWindowVisible(hwnd));
    SendMessage(hwnd, WM_TRAY_NOTIFY, 1, WM_LBUTTONDBLCLK);
    EXPECT_TRUE(IsWindowVisible(hwnd));
    EXPECT_FALSE(IsIconic(hwnd));
}

TEST_F(MainWindowTest, SystemCloseAndTheTrayExitEndTheModalRunWithTwo) {
    const struct {
        const char* name;
        UINT msg;
        WPARAM wParam;
        bool iconRemains;
    } cases[] = {
        {"SC_CLOSE", WM_SYSCOMMAND, SC_CLOSE, true},
        {"SC_CLOSE with the low bits set", WM_SYSCOMMAND, SC_CLOSE | 0x3, true},
        {"WM_CLOSE", WM_CLOSE, 0, true},
        {"tray exit", WM_COMMAND, kCommandExit, false},
    };
    TestDesktop().trayRuns = true;
    for (const auto& c : cases) {
        m_main = std::make_unique<CVistrelMainWnd>();
        HWND hwnd = nullptr;
        bool iconWhileRunning = false;
        CModalScript script({[&] {
            hwnd = m_main->Window();
            iconWhileRunning = TrayShowsIconOf(hwnd);
            PostMessage(hwnd, c.msg, c.wParam, 0);
        }});
        EXPECT_EQ(m_main->RunModal(nullptr), 2) << c.name;
        EXPECT_TRUE(iconWhileRunning) << c.name;
        EXPECT_EQ(m_main->HasTrayIcon(), c.iconRemains) << c.name;
        EXPECT_EQ(TrayShowsIconOf(hwnd), c.iconRemains) << c.name;
        CloseMainWindow();
        // The icon goes with the main window in every case.
        EXPECT_FALSE(TrayShowsIconOf(hwnd)) << c.name;
    }
}

TEST_F(MainWindowTest, OtherSystemCommandsDoNotEndTheRun) {
    m_main = std::make_unique<CVistrelMainWnd>();
    bool minimised = false;
    CModalScript script({
        [&] { PostMessage(m_main->Window(), WM_SYSCOMMAND, SC_MINIMIZE, 0); },
        [] {},
        [&] {
            minimised = IsIconic(m_main->Window());
            PostMessage(m_main->Window(), WM_CLOSE, 0, 0);
        },
    });
    EXPECT_EQ(m_main->RunModal(nullptr), 2);
    EXPECT_TRUE(minimised);
}

TEST_F(MainWindowTest, ExitWhileRecordingFinishesEveryStreamFile) {
    const std::filesystem::path recordings = m_directory / "recordings";
    std::filesystem::create_directories(recordings);
    CRecordingFolder setting;
    setting.SetVideoPath(FromUtf8(recordings.string()));
    ASSERT_NE(setting.WriteFolder(), CRecordingFolder::WriteResult::Failed);
    SetCameraListOverride("test:320x240;test:320x240;test:320x240");

    CVistrelMainWnd& main = OpenMainWindow();
    InjectClickOnElement(main, kStartButton);
    CCameraManager& manager = *CCameraManager::Instance();
    const auto recorded = [&manager](int camera) {
        const std::string file = manager.Slot(camera).FileName();
        std::error_code error;
        return !file.empty() && std::filesystem::file_size(file, error) > 2000;
    };
    ASSERT_TRUE(
        PumpUntil([&] { return recorded(0) && recorded(1) && recorded(2); }, kEncodingWaitLimit));
    std::vector<std::string> files;
    for (int camera = 0; camera < 3; ++camera) {
        EXPECT_TRUE(manager.Slot(camera).IsRunning());
        files.push_back(manager.Slot(camera).FileName());
        EXPECT_EQ(std::filesystem::path(files.back()).parent_path(), recordings);
    }

    const auto before = std::chrono::steady_clock::now();
    CloseMainWindow();
    EXPECT_LT(std::chrono::steady_clock::now() - before, milliseconds(10500));

    EXPECT_TRUE(manager.IsDrained());
    for (const std::string& file : files) {
        const DecodedStream stream = DecodeH264File(file);
        EXPECT_TRUE(stream.opened) << file;
        EXPECT_EQ(stream.errors, 0) << file;
        EXPECT_FALSE(stream.pictures.empty()) << file;
        EXPECT_TRUE(EndsWithEndCode(ReadFileBytes(file))) << file;
    }
}

} // namespace

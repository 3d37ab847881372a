// Test helpers for the client on the headless screen: a desktop whose work area and system tray
// each test chooses, the program's resources loaded once, and a fixture that opens the main
// window in a scratch current directory (where "setting.xml" goes) without cameras and with an
// update host that answers nothing.
#pragma once

#include "app/VistrelMainWnd.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/support/WaitUntil.h"

#include "platform/core/headless/HeadlessScreen.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>

// The headless screen, 1280 x 800, with a work area and a tray of the test's choosing. Touched
// on the test's thread only.
class CTestDesktop : public CHeadlessBackend {
public:
    RECT WorkArea() const override { return workArea; }
    bool DockInTray(HWND) override { return trayRuns; }

    static constexpr RECT kFullWorkArea{0, 0, 1280, 760};
    RECT workArea = kFullWorkArea;
    bool trayRuns = false;
};

// The desktop of this test program, installed before the first test.
CTestDesktop& TestDesktop();

// The dialog whose window this is (a skinned dialog or message box); null for other windows.
CBkDialogHost* DialogOf(HWND hwnd);
// Clicks the centre of the element with the injected mouse; the caller's loop dispatches it.
void InjectClickOnElement(CBkDialogHost& dialog, std::uint32_t id);

class ClientTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Creates the main window as its modal run would, without the loop, and shows it.
    CVistrelMainWnd& OpenMainWindow();
    // Destroys the window and the main window object, as the end of the program does.
    void CloseMainWindow();

    // Handles this thread's messages until `done` holds or `timeout` has passed.
    static testing::AssertionResult PumpUntil(const std::function<bool()>& done,
                                              std::chrono::milliseconds timeout = kWaitLimit);
    // Handles this thread's messages for the given time.
    static void PumpFor(std::chrono::milliseconds time);

    std::filesystem::path m_directory;
    std::unique_ptr<CVistrelMainWnd> m_main;

private:
    std::filesystem::path m_previousDirectory;
    CScopedEnvironment m_updateAddress{"VISTREL_UPDATE_URL", "http://127.0.0.1:9/vistrelUpdate.js"};
};

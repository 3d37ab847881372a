#include "ClientFixture.h"

#include "app/ClientResources.h"
#include "app/Log.h"
#include "bkwin/BkStartup.h"
#include "capture/CameraSource.h"

#include "platform/core/Backend.h"
#include "platform/core/Window.h"

#include <unistd.h>

#include <chrono>

namespace {

CTestDesktop* g_desktop = nullptr;

// The program's start-up, on the headless desktop of the tests.
class CClientStartup : public testing::Environment {
public:
    void SetUp() override {
        auto desktop = std::make_unique<CTestDesktop>();
        g_desktop = desktop.get();
        InstallBackend(std::move(desktop));
        BkInitFramework();
        LoadClientResources();
    }
};

const testing::Environment* const kStartup = testing::AddGlobalTestEnvironment(new CClientStartup);

} // namespace

CTestDesktop& TestDesktop() {
    return *g_desktop;
}

CBkDialogHost* DialogOf(HWND hwnd) {
    // The framework's dialog windows keep their dialog in the window's user data.
    if (!hwnd || GetClassName(hwnd) != L"BkDialogWindow") {
        return nullptr;
    }
    return reinterpret_cast<CBkDialogHost*>(GetWindowLongPtr(hwnd, GWLP_USERDATA));
}

void InjectClickOnElement(CBkDialogHost& dialog, std::uint32_t id) {
    const CBkWindow* element = dialog.view.FindElement(std::int32_t(id));
    ASSERT_NE(element, nullptr) << id;
    POINT at{(element->rect.left + element->rect.right) / 2,
             (element->rect.top + element->rect.bottom) / 2};
    ClientToScreen(dialog.view.Window(), &at);
    headless::MoveMouse(at.x, at.y);
    headless::PressButton();
    headless::ReleaseButton();
}

void ClientTest::SetUp() {
    TestDesktop() = CTestDesktop{};
    m_previousDirectory = std::filesystem::current_path();
    const auto* test = testing::UnitTest::GetInstance()->current_test_info();
    m_directory = std::filesystem::temp_directory_path() /
                  ("vistrel-client-" + std::to_string(getpid()) + "-" + test->test_suite_name() +
                   "-" + test->name());
    std::filesystem::remove_all(m_directory);
    std::filesystem::create_directories(m_directory);
    std::filesystem::current_path(m_directory);
    SetLogFolderOverride((m_directory / "Log").string());
    SetCameraListOverride(std::string());
}

void ClientTest::TearDown() {
    CloseMainWindow();
    SetCameraListOverride(std::nullopt);
    SetLogFolderOverride(std::nullopt);
    std::filesystem::current_path(m_previousDirectory);
    std::error_code ignored;
    std::filesystem::remove_all(m_directory, ignored);
    headless::MoveMouse(1270, 790);
    headless::PumpMessages();
}

CVistrelMainWnd& ClientTest::OpenMainWindow() {
    m_main = std::make_unique<CVistrelMainWnd>();
    const HWND hwnd = m_main->CreateDialogWindow(nullptr, nullptr);
    EXPECT_NE(hwnd, nullptr);
    if (hwnd) {
        SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE);
        headless::PumpMessages();
    }
    return *m_main;
}

void ClientTest::CloseMainWindow() {
    if (!m_main) {
        return;
    }
    if (const HWND hwnd = m_main->Window()) {
        DestroyWindow(hwnd);
    }
    m_main.reset();
    headless::PumpMessages();
}

testing::AssertionResult ClientTest::PumpUntil(const std::function<bool()>& done,
                                               std::chrono::milliseconds timeout) {
    return WaitUntil(done, timeout, WaitMode::PumpMessages);
}

void ClientTest::PumpFor(std::chrono::milliseconds time) {
    const auto end = std::chrono::steady_clock::now() + time;
    PumpUntil([end] { return std::chrono::steady_clock::now() >= end; }, time * 2);
}

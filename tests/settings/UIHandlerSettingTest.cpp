// The settings tab on the headless screen with the program's layouts: the edit shows the saved
// folder or the default one, "设置路径" writes the settings file and confirms it, and a folder
// too short or a file that cannot be written is refused with its own message box.
#include "ClientFixture.h"
#include "tests/support/ModalScript.h"

#include "app/AppCommands.h"
#include "bkwin/BkDialogImpl.h"
#include "settings/DefaultVideoFolder.h"
#include "settings/TextEncoding.h"
#include "settings/UIHandlerSetting.h"

#include "platform/core/Window.h"

#include <filesystem>

namespace {

namespace fs = std::filesystem;

constexpr std::int32_t kTabControl = 10101;
constexpr int kSettingsTab = 1;

// The main window's layout with only the settings tab's handler.
class CSettingsDialog : public CBkDialogImpl<CSettingsDialog> {
public:
    explicit CSettingsDialog(const std::string& settingFile)
        : CBkDialogImpl<CSettingsDialog>(kMainLayout), handler(*this, settingFile) {}

    bool ProcessWindowMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
        return handler.ProcessWindowMessage(hwnd, msg, wParam, lParam, result) ||
               ProcessDialogMessage(hwnd, msg, wParam, lParam, result);
    }

    CUIHandlerSetting handler;
};

class SettingsTabTest : public ClientTest {
protected:
    void SetUp() override {
        ClientTest::SetUp();
        m_settingFile = (m_directory / "setting.xml").string();
    }
    void TearDown() override {
        for (auto& dialog : m_dialogs) {
            DestroyWindow(dialog->Window());
        }
        m_dialogs.clear();
        ClientTest::TearDown();
    }

    // A start of the program: the tab shown and initialised from the settings file.
    CSettingsDialog& Open(const std::string& settingFile) {
        auto& dialog = *m_dialogs.emplace_back(std::make_unique<CSettingsDialog>(settingFile));
        const HWND hwnd = dialog.CreateDialogWindow(nullptr, nullptr);
        EXPECT_NE(hwnd, nullptr);
        ShowWindow(hwnd, SW_SHOW);
        dialog.handler.OnInit();
        EXPECT_TRUE(dialog.view.SelectTab(kTabControl, kSettingsTab));
        headless::PumpMessages();
        return dialog;
    }
    static WString EditText(CSettingsDialog& dialog) {
        return dialog.view.GetElementText(CUIHandlerSetting::kFolderEdit);
    }

    // Clicks "设置路径" and answers the text of the message box it shows, which is closed.
    static WString SaveAndReadTheBox(CSettingsDialog& dialog) {
        WString shown;
        std::deque<std::function<void()>> steps;
        for (int i = 0; i < 100; ++i) {
            steps.push_back([&] {
                CBkDialogHost* box = DialogOf(GetActiveWindow());
                if (shown.empty() && box && box != &dialog) {
                    shown = box->view.GetElementText(kBoxText);
                    box->EndModal(1);
                }
            });
        }
        CModalScript script(std::move(steps));
        InjectClickOnElement(dialog, CUIHandlerSetting::kSaveButton);
        EXPECT_TRUE(PumpUntil([&] { return !shown.empty(); }));
        headless::PumpMessages();
        return shown;
    }

    std::string m_settingFile;
    std::vector<std::unique_ptr<CSettingsDialog>> m_dialogs;
};

TEST_F(SettingsTabTest, WithoutASettingFileTheEditShowsTheDefaultVideosFolder) {
    const CScopedEnvironment videos("XDG_VIDEOS_DIR", (m_directory / "videos").c_str());
    CSettingsDialog& dialog = Open(m_settingFile);
    EXPECT_EQ(EditText(dialog), FromUtf8(DefaultVideoFolder()));
    EXPECT_EQ(EditText(dialog), FromUtf8((m_directory / "videos" / "Vistrel").string()));
    EXPECT_TRUE(dialog.handler.Folder().VideoPath().empty());
}

TEST_F(SettingsTabTest, SetPathWritesTheFileConfirmsAndTheNextStartShowsTheFolder) {
    const WString folder = FromUtf8((m_directory / "录像").string());
    CSettingsDialog& first = Open(m_settingFile);
    // As the folder chooser leaves it.
    first.view.SetElementText(CUIHandlerSetting::kFolderEdit, folder);

    EXPECT_EQ(SaveAndReadTheBox(first), L"保存成功！");
    EXPECT_EQ(first.handler.Folder().VideoPath(), folder);
    EXPECT_EQ(EditText(first), folder);
    CRecordingFolder saved(m_settingFile);
    ASSERT_TRUE(saved.Load());
    EXPECT_EQ(saved.VideoPath(), folder);

    CSettingsDialog& next = Open(m_settingFile);
    EXPECT_EQ(EditText(next), folder);
    EXPECT_EQ(next.handler.Folder().VideoPath(), folder);
}

TEST_F(SettingsTabTest, AFolderTooShortOrAFileThatCannotBeWrittenIsRefused) {
    const struct {
        const char* name;
        WString folder;
        std::string settingFile; // relative to the test's folder
        const wchar_t* box;
        WString inUse; // the folder recordings go to afterwards
    } cases[] = {
        {"one character", L"/", "setting.xml", L"视频路径不能为空！", L""},
        {"empty", L"", "setting.xml", L"视频路径不能为空！", L""},
        {"file in a missing folder", L"/srv/videos", "missing/setting.xml", L"保存失败！",
         L"/srv/videos"},
    };
    for (const auto& c : cases) {
        const std::string file = (m_directory / c.settingFile).string();
        CSettingsDialog& dialog = Open(file);
        dialog.view.SetElementText(CUIHandlerSetting::kFolderEdit, c.folder);
        EXPECT_EQ(SaveAndReadTheBox(dialog), c.box) << c.name;
        EXPECT_EQ(dialog.handler.Folder().VideoPath(), c.inUse) << c.name;
        EXPECT_FALSE(fs::exists(file)) << c.name;
    }
}

} // namespace

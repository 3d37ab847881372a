// The settings tab's handler and the holder of the recording folder: the edit shows the folder
// in use, "浏览..." picks another with the folder chooser, "设置路径" keeps it and writes it to
// the settings file.
#pragma once

#include "settings/RecordingFolder.h"

#include "platform/base/Types.h"

#include <cstdint>

class CBkDialogHost;

class CUIHandlerSetting {
public:
    // `dialog` is the main window, whose view holds the tab's elements.
    explicit CUIHandlerSetting(CBkDialogHost& dialog,
                               std::string settingFile = CRecordingFolder::kSettingFileName);

    // Reads the settings file and shows the folder in use: the saved one, else the default
    // videos folder.
    void OnInit();
    bool ProcessWindowMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);

    // The folder the capture threads record into.
    const CRecordingFolder& Folder() const { return m_folder; }

    // The element ids of the tab.
    static constexpr std::uint32_t kFolderEdit = 10066;
    static constexpr std::uint32_t kBrowseButton = 10067;
    static constexpr std::uint32_t kSaveButton = 10064;

private:
    void Browse();
    void Save();

    CBkDialogHost& m_dialog;
    CRecordingFolder m_folder;
};

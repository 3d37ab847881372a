#include "settings/UIHandlerSetting.h"

#include "bkwin/BkDialogHost.h"
#include "bkwin/BkElementNotify.h"
#include "bkwin/BkMsgBox.h"
#include "settings/DefaultVideoFolder.h"

#include "platform/base/Utf8.h"
#include "platform/shell/BrowseForFolder.h"

CUIHandlerSetting::CUIHandlerSetting(CBkDialogHost& dialog, std::string settingFile)
    : m_dialog(dialog), m_folder(std::move(settingFile)) {}

void CUIHandlerSetting::OnInit() {
    m_folder.Load();
    const WString saved = m_folder.VideoPath();
    m_dialog.view.SetElementText(kFolderEdit,
                                 saved.empty() ? Utf8ToWide(DefaultVideoFolder()) : saved);
}

bool CUIHandlerSetting::ProcessWindowMessage(HWND, UINT msg, WPARAM wParam, LPARAM lParam,
                                             LRESULT& result) {
    switch (ClickedElement(msg, wParam, lParam)) {
    case kBrowseButton:
        Browse();
        break;
    case kSaveButton:
        Save();
        break;
    default:
        return false;
    }
    result = 0;
    return true;
}

void CUIHandlerSetting::Browse() {
    BROWSEINFO info;
    info.hwndOwner = m_dialog.Window();
    info.lpszTitle = L"选择地图所在目录:";
    const CIdListPtr chosen(SHBrowseForFolderW(&info));
    WString path;
    if (chosen && SHGetPathFromIDListW(chosen.get(), &path)) {
        m_dialog.view.SetElementText(kFolderEdit, path);
    }
}

void CUIHandlerSetting::Save() {
    const HWND owner = m_dialog.Window();
    const WString folder = m_dialog.view.GetElementText(kFolderEdit);
    // A refused folder ("" or "/") is not taken either: recordings would go to the root.
    if (folder.size() <= 1) {
        MsgBox(L"视频路径不能为空！", nullptr, 0, nullptr, owner);
        return;
    }
    m_folder.SetVideoPath(folder);
    // A write that failed leaves the saved folder as it was; the user is told, not thanked.
    if (m_folder.WriteFolder() == CRecordingFolder::WriteResult::Failed) {
        MsgBox(L"保存失败！", nullptr, 0, nullptr, owner);
        return;
    }
    m_dialog.view.SetElementText(kFolderEdit, folder);
    MsgBox(L"保存成功！", nullptr, 0, nullptr, owner);
}

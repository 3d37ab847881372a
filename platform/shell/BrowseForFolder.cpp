#include "platform/shell/BrowseForFolder.h"

#include "platform/base/Utf8.h"
#include "platform/core/Input.h"
#include "platform/core/MessageLoop.h"
#include "platform/core/Window.h"
#include "platform/shell/FolderChooserWindow.h"
#include "platform/shell/FolderListing.h"

#include <algorithm>
#include <string>

struct ITEMIDLIST {
    std::string path; // UTF-8 bytes, exactly as the file system names the folder
};

PIDLIST_ABSOLUTE SHBrowseForFolderW(const BROWSEINFO* info) {
    if (!info) {
        return nullptr;
    }
    HWND owner = info->hwndOwner ? GetAncestor(info->hwndOwner, GA_ROOT) : nullptr;
    const WString prompt = info->lpszTitle ? WString(info->lpszTitle) : WString();
    HWND chooser = CreateFolderChooserWindow(owner, prompt, HomeFolder());
    if (!chooser) {
        return nullptr;
    }
    // Like a modal dialog: the owner takes no input until the chooser ends, and the focus
    // comes back to where it was.
    const HWND previousFocus = GetFocus();
    const bool disabledOwner = owner && !EnableWindow(owner, false);
    CentreWindowOn(chooser, owner);
    ShowWindow(chooser, SW_SHOW);
    SetFocus(chooser);

    const bool quit = !RunModalLoop([chooser] { return FolderChooserEnded(chooser); });
    const std::optional<std::string> chosen = quit ? std::nullopt : FolderChooserResult(chooser);

    if (disabledOwner) {
        EnableWindow(owner, true);
    }
    // The owner takes the activation back before the chooser goes, so it does not pass to an
    // unrelated window.
    if (owner && IsWindow(owner) && (GetActiveWindow() == chooser || !GetActiveWindow())) {
        SetActiveWindow(owner);
    }
    if (previousFocus && IsWindow(previousFocus) && previousFocus != chooser) {
        SetFocus(previousFocus);
    }
    DestroyWindow(chooser);
    if (!chosen) {
        return nullptr;
    }
    return std::make_unique<ITEMIDLIST>(ITEMIDLIST{*chosen}).release(); // FreeIdList frees it
}

bool SHGetPathFromIDListW(PCIDLIST_ABSOLUTE idList, WString* path) {
    if (!idList || !path) {
        return false;
    }
    WString wide = Utf8ToWide(idList->path);
    if (WideToUtf8(wide) != idList->path) {
        return false; // a name in another encoding: the wide text would name another folder
    }
    *path = std::move(wide);
    return true;
}

void FreeIdList(PIDLIST_ABSOLUTE idList) {
    const std::unique_ptr<ITEMIDLIST> owned(idList);
}

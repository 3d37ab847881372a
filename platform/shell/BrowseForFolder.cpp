#include "platform/shell/BrowseForFolder.h"

#include "platform/Input.h"
#include "platform/MessageLoop.h"
#include "platform/Utf8.h"
#include "platform/Window.h"
#include "platform/shell/FolderChooserWindow.h"
#include "platform/shell/FolderListing.h"

#include <algorithm>
#include <string>

struct ITEMIDLIST {
    std::string path; // UTF-8 bytes, exactly as the file system names the folder
};

namespace {

// Centred on the owner when it shows, else on the work area; never outside the work area.
void PlaceChooser(HWND chooser, HWND owner) {
    MONITORINFO monitor;
    GetMonitorInfo(owner ? owner : chooser, &monitor);
    const RECT& work = monitor.rcWork;
    RECT around = work;
    if (owner && IsWindowVisible(owner) && !IsIconic(owner)) {
        GetWindowRect(owner, &around);
    }
    RECT r;
    GetWindowRect(chooser, &r);
    const int width = r.Width();
    const int height = r.Height();
    int x = around.left + (around.Width() - width) / 2;
    int y = around.top + (around.Height() - height) / 2;
    x = std::max<int>(std::min<int>(x, work.right - width), work.left);
    y = std::max<int>(std::min<int>(y, work.bottom - height), work.top);
    SetWindowPos(chooser, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace

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
    PlaceChooser(chooser, owner);
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

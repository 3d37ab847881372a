// The folder chooser: a modal dialog, drawn by the platform layer, in which the user picks a
// folder. It starts in the user's home folder and lists the folders inside the current one
// (hidden folders left out); the user opens a folder by double-clicking it or with Enter, goes
// up with the ".." entry or Backspace, and confirms with OK (the selected folder, else the
// current one) or gives up with Cancel, Esc or closing.
#pragma once

#include "platform/base/Types.h"

#include <memory>

// The chosen folder, opaque to callers; free it with FreeIdList.
struct ITEMIDLIST;
using PIDLIST_ABSOLUTE = ITEMIDLIST*;
using PCIDLIST_ABSOLUTE = const ITEMIDLIST*;

struct BROWSEINFO {
    // Disabled while the dialog runs, enabled again after; the dialog is centred on it. May
    // be null.
    HWND hwndOwner = nullptr;
    // The prompt shown above the folders; null shows none.
    const wchar_t* lpszTitle = nullptr;
    // Every folder offered is a file-system folder, so no flag changes what is offered.
    UINT ulFlags = 0;
};

// Runs the dialog on the calling thread (its own modal loop) and answers the chosen folder,
// or null when the user cancels or closes it, or the loop ends with WM_QUIT (left queued for
// the outer loop).
PIDLIST_ABSOLUTE SHBrowseForFolderW(const BROWSEINFO* info);

// The folder's path, absolute, as a wide string. False, leaving `path` alone, for a null list
// and for a folder whose name is not valid UTF-8 (a wide string could not name it exactly).
bool SHGetPathFromIDListW(PCIDLIST_ABSOLUTE idList, WString* path);

void FreeIdList(PIDLIST_ABSOLUTE idList);

struct CIdListDeleter {
    void operator()(ITEMIDLIST* idList) const { FreeIdList(idList); }
};
using CIdListPtr = std::unique_ptr<ITEMIDLIST, CIdListDeleter>;

// The folder chooser's window: a hidden top-level pop-up, owned by `owner`, listing
// `startFolder`, until the user ends it with OK or Cancel.
#pragma once

#include "platform/base/Types.h"

#include <optional>
#include <string>

// Done by the window system before the first class lookup.
void RegisterFolderChooserClass();
HWND CreateFolderChooserWindow(HWND owner, const WString& prompt, const std::string& startFolder);
bool FolderChooserEnded(HWND chooser);
// The folder OK chose; none while it runs and after Cancel.
std::optional<std::string> FolderChooserResult(HWND chooser);

#include "platform/controls/BuiltInClasses.h"

#include "platform/controls/Edit.h"
#include "platform/controls/MenuWindow.h"
#include "platform/controls/Static.h"
#include "platform/controls/Tooltip.h"
#include "platform/shell/FolderChooserWindow.h"
#include "platform/shell/NotifyIcon.h"

#include <mutex>

void EnsureBuiltInClasses() {
    static std::once_flag once;
    std::call_once(once, [] {
        RegisterStaticClass();
        RegisterEditClass();
        RegisterMenuClass();
        RegisterTooltipClass();
        RegisterTrayIconClass();
        RegisterFolderChooserClass();
    });
}

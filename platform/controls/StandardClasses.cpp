#include "platform/controls/StandardClasses.h"

#include "platform/controls/Edit.h"
#include "platform/controls/MenuWindow.h"
#include "platform/controls/Static.h"
#include "platform/controls/Tooltip.h"
#include "platform/core/BuiltInClasses.h"
#include "platform/shell/FolderChooserWindow.h"
#include "platform/shell/NotifyIcon.h"

void InitStandardClasses() {
    EnlistBuiltInClass(&RegisterStaticClass);
    EnlistBuiltInClass(&RegisterEditClass);
    EnlistBuiltInClass(&RegisterMenuClass);
    EnlistBuiltInClass(&RegisterTooltipClass);
    EnlistBuiltInClass(&RegisterTrayIconClass);
    EnlistBuiltInClass(&RegisterFolderChooserClass);
}

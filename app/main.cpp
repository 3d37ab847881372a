// Vistrel: start-up. Loads the skinned interface's resources, refuses a second instance and
// runs the main window until the user exits.
#include "app/AppCommands.h"
#include "app/ClientResources.h"
#include "app/SingleInstance.h"
#include "app/VistrelMainWnd.h"
#include "bkwin/BkMsgBox.h"
#include "bkwin/BkStartup.h"
#include "bkwin/BkString.h"

#include "platform/controls/StandardClasses.h"
#include "platform/x11/X11Backend.h"

namespace {

constexpr UINT kErrorOk = 0x10; // the error icon and the OK button

} // namespace

int main() {
    if (!InstallX11Backend("vistrel")) {
        return 1;
    }
    InitStandardClasses();
    BkInitFramework();
    LoadClientResources();

    const CSingleInstanceGuard guard;
    if (guard.GetState() == CSingleInstanceGuard::State::AlreadyRunning) {
        MsgBox(BkString::Instance().Text(kStringSecondInstance), nullptr, kErrorOk);
        return 0;
    }
    {
        CVistrelMainWnd mainWnd;
        mainWnd.RunModal(nullptr);
    }
    return 0;
}

// Vistrel: start-up. Loads the skinned interface's resources, refuses a second instance and
// runs the main window until the user exits.
#include "app/AppCommands.h"
#include "app/SingleInstance.h"
#include "app/VistrelMainWnd.h"
#include "bkwin/BkFontPool.h"
#include "bkwin/BkMsgBox.h"
#include "bkwin/BkSkinPool.h"
#include "bkwin/BkStartup.h"
#include "bkwin/BkString.h"
#include "bkwin/BkStylePool.h"

#include "platform/controls/StandardClasses.h"
#include "platform/x11/X11Backend.h"

namespace {

constexpr int kStringTable = 102;
constexpr int kSkinList = 100;
constexpr int kStyleList = 101;
constexpr int kDefaultFontHeight = -12;
constexpr UINT kErrorOk = 0x10; // the error icon and the OK button

// The string table, the default font, the skins and the styles. The one string table shipped
// (Simplified Chinese, like every text of the layouts) serves every desktop language: without
// it notices would be empty and message boxes would have no buttons. A resource that does not
// load leaves the interface with what did.
void LoadResources() {
    BkString::Instance().Load(kStringTable);
    BkFontPool::Instance().SetDefaultFont(BkString::Instance().Get(kStringFontFace),
                                          kDefaultFontHeight);
    LoadSkins(kSkinList);
    LoadStyles(kStyleList);
}

} // namespace

int main() {
    if (!InstallX11Backend("vistrel")) {
        return 1;
    }
    InitStandardClasses();
    BkInitFramework();
    LoadResources();

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

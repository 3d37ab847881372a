#include "app/UIHandlerHome.h"

#include "app/AppCommands.h"
#include "app/AppMessages.h"
#include "app/VistrelMainWnd.h"
#include "bkwin/BkElementNotify.h"
#include "bkwin/BkString.h"
#include "capture/CameraManager.h"
#include "update/ClientMain.h"
#include "update/Packets/httpurl.pb.h"

#include "platform/core/Timer.h"

namespace {

// Long enough for every queued frame to be encoded and every file finished; short enough that
// exit never hangs on a camera that does not answer.
constexpr DWORD kExitWaitMs = 10000;
constexpr UINT kUpdateCheckDelayMs = 10000;

} // namespace

CUIHandlerHome::~CUIHandlerHome() {
    CCameraManager::Instance()->StopAllAndWait(kExitWaitMs);
}

void CUIHandlerHome::OnInit() {
    m_wall.Create(m_mainWnd.view.Window(), kVideoWall);
    CClientMain::Instance();
    SetTimer(m_mainWnd.Window(), kTimerUpdateCheck, kUpdateCheckDelayMs, nullptr);
    CCameraManager::Instance()->SetOwner(m_mainWnd.Window(), &m_mainWnd.Settings().Folder());
}

bool CUIHandlerHome::ProcessWindowMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                          LRESULT& result) {
    result = 0;
    switch (msg) {
    case WM_TIMER:
        // Every timer stops here; only the update check's acts.
        if (wParam == kTimerUpdateCheck) {
            KillTimer(hwnd, kTimerUpdateCheck);
            CClientMain::Instance()->PostRequest(new httpUrl::MsgReqHttpUrl);
        }
        return true;
    case WM_VIDEO_FRAME:
        m_wall.OnVideoFrame(reinterpret_cast<const FrameWorkItem*>(wParam));
        return true;
    case WM_NO_CAMERA:
        m_mainWnd.PostNotification(L"提示", BkString::Instance().Text(kStringNoCamera));
        return true;
    case WM_STREAM_FILE_FAILED:
        m_mainWnd.PostNotification(L"提示",
                                   FillStringTemplate(BkString::Instance().Text(kStringFileFailed),
                                                      {std::to_wstring(wParam)}));
        return true;
    default:
        break;
    }
    switch (ClickedElement(msg, wParam, lParam)) {
    case kStartButton:
        CCameraManager::Instance()->StartAll();
        return true;
    case kStopButton:
        CCameraManager::Instance()->StopAll();
        return true;
    default:
        return false;
    }
}

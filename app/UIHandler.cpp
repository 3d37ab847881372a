#include "app/UIHandler.h"

#include "app/AppCommands.h"
#include "app/AppMessages.h"
#include "app/VistrelMainWnd.h"
#include "bkwin/BkMenuResource.h"
#include "bkwin/BkMsgBox.h"
#include "update/ClientMain.h"
#include "update/Packets/httpurl.pb.h"
#include "update/UpdateDescriptor.h"

#include "platform/core/Input.h"
#include "platform/core/Window.h"

void CUIHandler::OnInit() {
    CClientMain::Instance()->RegisterProcess(kUpdateCheckMessage, this);
    m_prototypes[kUpdateCheckMessage] = new httpUrl::MsgReqHttpUrl;
}

bool CUIHandler::ProcessWindowMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                      LRESULT& result) {
    if (msg == WM_TRAY_NOTIFY) {
        OnTrayNotify(lParam);
        result = 0;
        return true;
    }
    if (msg != WM_COMMAND) {
        return false;
    }
    switch (LOWORD(wParam)) {
    case kCommandShowWindow:
        ShowWindow(hwnd, SW_SHOW);
        BringWindowToTop(hwnd);
        break;
    case kCommandExit:
        m_mainWnd.Exit(true);
        break;
    case kCommandAbout: {
        CBkSafeMsgBox about;
        about.boxLayoutId = kAboutLayout;
        about.ShowMsgBox(L"", nullptr, 0, nullptr, hwnd);
        break;
    }
    default:
        return false;
    }
    result = 0;
    return true;
}

void CUIHandler::OnTrayNotify(LPARAM mouseMessage) {
    const HWND hwnd = m_mainWnd.Window();
    if (mouseMessage == WM_LBUTTONDBLCLK) {
        SetForegroundWindow(hwnd);
        ShowWindow(hwnd, SW_SHOWNORMAL);
        ShowWindow(hwnd, SW_SHOW);
        BringWindowToTop(hwnd);
    } else if (mouseMessage == WM_RBUTTONUP) {
        SetForegroundWindow(hwnd);
        POINT cursor{};
        GetCursorPos(&cursor);
        TrackSkinMenu(kTrayMenu, TPM_BOTTOMALIGN, cursor, hwnd);
    }
}

bool CUIHandler::OnMessage(IMessage*) {
    return true;
}

bool CUIHandler::OnRawMessage(std::int32_t, const char* text) {
    if (const auto markup = UpdatePromptMarkup(text ? text : "")) {
        m_mainWnd.ShowUpdatePrompt(*markup);
    }
    return true;
}

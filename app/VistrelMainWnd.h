// The program's main window: layout 103 with the header and footer bars and a tab control of
// the video tab and the settings tab. It owns the UI task runner, the three handlers that split
// its work, the notice box, the update prompt and the tray icon, and lives in the tray: its
// header close button hides it, the tray brings it back or ends the program.
#pragma once

#include "app/TrayIcon.h"
#include "app/UIHandler.h"
#include "app/UIHandlerHome.h"
#include "app/UITaskRunner.h"
#include "bkwin/BkDialogImpl.h"
#include "bkwin/BkMsgBox.h"
#include "bkwin/BkRoundRectFrame.h"
#include "settings/UIHandlerSetting.h"

#include "platform/draw/Icon.h"

#include <functional>
#include <memory>

class CVistrelMainWnd : public CBkDialogImpl<CVistrelMainWnd>,
                        public CWHRoundRectFrameHelper<CVistrelMainWnd> {
public:
    CVistrelMainWnd();
    ~CVistrelMainWnd() override;

    bool ProcessWindowMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // Closes the notice box and the update prompt on a release over their close button, then
    // the framework's own pre-translation.
    bool PreTranslateMessage(MSG& msg) override;

    // Queues a notice for the task thread, which has the window show it.
    void PostNotification(const WString& title, const WString& text);
    // Shows the update prompt with the description markup: centred the first time, where it
    // was afterwards.
    void ShowUpdatePrompt(const WString& markup);
    // Ends the modal run (result 2); with `removeTrayIcon`, the tray icon goes first.
    void Exit(bool removeTrayIcon);

    CUIHandlerSetting& Settings() { return *m_setting; }
    bool HasTrayIcon() const { return m_tray.Exists(); }
    CBkSafeMsgBox2& NoticeBox() { return m_noticeBox; }
    CBkSafeMsgBox2& UpdatePrompt() { return m_updatePrompt; }

private:
    bool OnHeaderClick(std::uint32_t element);
    void OnMainTimer(UINT_PTR id);
    void OnShowNotice(const wchar_t* text);
    void OnInitDialog(HWND hwnd);
    // Creates one of the non-modal boxes (hidden) from its layout, owned by this window.
    bool CreateBox(CBkSafeMsgBox2& box, std::uint32_t layout);
    // Moves the box to the point `place` gives for the work area and the box's rectangle, the
    // first time only: a box once placed stays where it is (the user may have moved it). The
    // boxes are created at the top-left corner of the work area, which is not 0,0 on a desktop
    // with a panel at the top or left, so their position cannot tell whether they were placed.
    void PlaceOnce(HWND box, bool& placed,
                   const std::function<POINT(const RECT& work, const RECT& box)>& place);
    // Hides the window to the tray, or minimises it while there is no tray icon to bring it
    // back from.
    void HideToTray();

    CUITaskRunner m_taskRunner;
    std::unique_ptr<CUIHandler> m_handler;
    std::unique_ptr<CUIHandlerHome> m_home;
    std::unique_ptr<CUIHandlerSetting> m_setting;
    CBkSafeMsgBox2 m_noticeBox;
    CBkSafeMsgBox2 m_updatePrompt;
    bool m_noticePlaced = false;
    bool m_promptPlaced = false;
    CIconPtr m_trayIcon;
    CTrayIcon m_tray;
};

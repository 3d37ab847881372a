// The video tab's handler: the start and stop buttons, the video wall, the no-camera notice and
// the delayed update check.
#pragma once

#include "app/VideoWall.h"

class CVistrelMainWnd;

class CUIHandlerHome {
public:
    explicit CUIHandlerHome(CVistrelMainWnd& mainWnd) : m_mainWnd(mainWnd) {}
    // Stops the recording session and waits (handling the frames sent meanwhile, at most about
    // ten seconds) until every camera's file is finished.
    ~CUIHandlerHome();
    CUIHandlerHome(const CUIHandlerHome&) = delete;
    CUIHandlerHome& operator=(const CUIHandlerHome&) = delete;

    // Creates the wall window in the element view, sets the update check's timer and binds the
    // recording session controller to the main window.
    void OnInit();
    bool ProcessWindowMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);

private:
    CVistrelMainWnd& m_mainWnd;
    CVideoWall m_wall;
};

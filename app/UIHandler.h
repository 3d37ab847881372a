// The main window's first handler: the header menu, the tray icon's callback and menu, the
// about box, and the update check's answer.
#pragma once

#include "update/IMsgProcess.h"

#include "platform/base/Types.h"

class CVistrelMainWnd;

class CUIHandler : public IMsgProcess {
public:
    explicit CUIHandler(CVistrelMainWnd& mainWnd) : m_mainWnd(mainWnd) {}

    // Registers with the message dispatcher for the update check's answer (identifier 0).
    void OnInit();
    bool ProcessWindowMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);

    bool OnMessage(IMessage* message) override;
    // The update descriptor: a newer version shows the update prompt.
    bool OnRawMessage(std::int32_t msgType, const char* text) override;
    std::int32_t Release() override { return 0; }

private:
    void OnTrayNotify(LPARAM mouseMessage);

    CVistrelMainWnd& m_mainWnd;
};

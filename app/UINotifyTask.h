// The notice task: asks the main window to show a short notice. Run on the task thread, it
// sends WM_SHOW_NOTICE to the main window and waits until the window has handled it.
#pragma once

#include "app/BaseTask.h"
#include "app/UITaskRunner.h"
#include "platform/base/Types.h"

class CUINotifyTask : public conew::IBaseTask {
public:
    CUINotifyTask(WString title, WString text);

    // Sends WM_SHOW_NOTICE (wParam: the title, lParam: the text, both
    // zero-terminated const wchar_t*) to the
    // main window. Fails, sending nothing, while there is no main window.
    bool run() override;

private:
    const WString m_title;
    const WString m_text;
};

// Posts a notice to the runner and wakes it; the notice is shown once the user-interface
// thread handles the task's message, so after the caller has gone back to a message loop.
void PostNotification(CUITaskRunner& runner, const WString& title, const WString& text);

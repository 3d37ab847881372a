#include "app/UINotifyTask.h"

#include "app/AppMessages.h"
#include "app/MainWindowHandle.h"
#include "platform/core/MessageLoop.h"

CUINotifyTask::CUINotifyTask(WString title, WString text)
    : m_title(std::move(title)), m_text(std::move(text)) {}

bool CUINotifyTask::run() {
    const HWND window = MainWindowHandle();
    if (!window) {
        return false;
    }
    SendMessage(window, WM_SHOW_NOTICE, reinterpret_cast<WPARAM>(m_title.c_str()),
                reinterpret_cast<LPARAM>(m_text.c_str()));
    return true;
}

void PostNotification(CUITaskRunner& runner, const WString& title, const WString& text) {
    const conew::TaskPtr task(new CUINotifyTask(title, text));
    runner.Post(task.get());
    runner.Signal();
}

#include "app/TrayIcon.h"

#include <chrono>
#include <thread>

bool CTrayIcon::Add(HWND window, UINT callbackMessage, CIcon* icon, const WString& tip,
                    int attempts) {
    Remove();
    m_data.hWnd = window;
    m_data.uID = 1;
    m_data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    m_data.uCallbackMessage = callbackMessage;
    m_data.hIcon = icon;
    m_data.szTip = tip;
    for (int attempt = 0; attempt < attempts; ++attempt) {
        if (attempt > 0) {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        if (Shell_NotifyIcon(NIM_ADD, &m_data)) {
            m_exists = true;
            return true;
        }
    }
    m_data = NOTIFYICONDATA{};
    return false;
}

void CTrayIcon::RefreshTip(const WString& tip) {
    if (!m_exists) {
        return;
    }
    m_data.szTip = tip;
    m_data.uFlags = NIF_ICON | NIF_TIP;
    Shell_NotifyIcon(NIM_MODIFY, &m_data);
}

void CTrayIcon::Remove() {
    if (m_exists) {
        Shell_NotifyIcon(NIM_DELETE, &m_data);
    }
    m_exists = false;
    m_data = NOTIFYICONDATA{};
}

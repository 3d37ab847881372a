// The main window's icon in the desktop's system tray: added with a few retries, its tip
// refreshed, removed on exit. Without a system tray the icon does not exist, and the window
// must then stay reachable some other way.
#pragma once

#include "platform/shell/NotifyIcon.h"

class CTrayIcon {
public:
    CTrayIcon() = default;
    CTrayIcon(const CTrayIcon&) = delete;
    CTrayIcon& operator=(const CTrayIcon&) = delete;
    ~CTrayIcon() { Remove(); }

    // Adds the icon (id 1) with the callback message and tip, trying `attempts` times with
    // 100 ms pauses between failures. False when no attempt succeeded.
    bool Add(HWND window, UINT callbackMessage, CIcon* icon, const WString& tip, int attempts);
    // Sets the tip again (a tray restarted since may have lost it).
    void RefreshTip(const WString& tip);
    void Remove();
    bool Exists() const { return m_exists; }

private:
    NOTIFYICONDATA m_data; // cleared while no icon exists
    bool m_exists = false;
};

// The process-wide window manager: each thread's current dialog window (the owner of dialogs
// opened without one) and the lock held while any back buffer is rendered.
#pragma once

#include "platform/base/Types.h"

#include <mutex>
#include <unordered_map>

class BkWinManager {
public:
    // The first manager constructed becomes the process-wide one until it is destroyed.
    BkWinManager();
    ~BkWinManager();
    BkWinManager(const BkWinManager&) = delete;
    BkWinManager& operator=(const BkWinManager&) = delete;

    // The process-wide manager, or null when none exists.
    static BkWinManager* Instance();

    // Makes `window` the calling thread's current window (null forgets it); answers the
    // previous one.
    HWND SetCurrentWindow(HWND window);
    HWND CurrentWindow() const;

    std::mutex& PaintLock() { return m_paintLock; }

private:
    mutable std::mutex m_windowsLock; // guards m_windows
    std::unordered_map<DWORD, HWND> m_windows;
    std::mutex m_paintLock; // held while a dialog view renders its back buffer
};

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

    std::mutex& PaintLock() { return paintLock_; }

private:
    mutable std::mutex windowsLock_; // guards windows_
    std::unordered_map<DWORD, HWND> windows_;
    std::mutex paintLock_; // held while a dialog view renders its back buffer
};

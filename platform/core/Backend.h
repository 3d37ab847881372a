// The display behind the window system. The window core tells the backend what happens to
// top-level windows; the backend feeds native input back through the input injection calls
// of InputInjection.h. One backend is installed per process, before the first window.
#pragma once

#include "platform/base/Region.h"
#include "platform/base/Types.h"
#include "platform/base/WindowStyles.h"

#include <memory>

class CIcon;

class IBackend {
public:
    virtual ~IBackend() = default;

    virtual RECT ScreenRect() const = 0;
    virtual RECT WorkArea() const = 0;

    // Top-level windows (the only ones a display knows about).
    virtual void TopLevelCreated(HWND hwnd) = 0;
    virtual void TopLevelDestroyed(HWND hwnd) = 0;
    virtual void TopLevelShown(HWND hwnd, bool shown) = 0;
    virtual void TopLevelMoved(HWND hwnd, const RECT& screenRect) = 0;
    virtual void TopLevelTitleChanged(HWND hwnd, const WString& title) = 0;
    // The icon the desktop shows for the window (null: none).
    virtual void TopLevelIconChanged(HWND hwnd, const CIcon* icon) = 0;
    virtual void TopLevelRegionChanged(HWND hwnd, const CRegion& region) = 0;
    virtual void TopLevelRaised(HWND hwnd) = 0;
    virtual void TopLevelActivated(HWND hwnd) = 0;
    // Hands a hidden top-level window to the desktop's system tray, which shows and places it;
    // false when no tray runs.
    virtual bool DockInTray(HWND hwnd) = 0;
    // A pop-up (a menu) takes all pointer and keyboard input of the display while it is open,
    // so a click anywhere else can close it.
    virtual void GrabInput(HWND hwnd, bool grab) = 0;
    // The user drags the window from the pointer's position (SC_MOVE).
    virtual void BeginUserMove(HWND hwnd) = 0;
    virtual void CursorChanged(HCURSOR cursor) = 0;
    // Clipboard text, for the edit control's copy, cut and paste.
    virtual void SetClipboardText(const WString& text) = 0;
    virtual WString ClipboardText() = 0;

    // Pixels of the top-level window's surface changed inside `dirty` (window coordinates).
    virtual void SurfacePainted(HWND hwnd, const RECT& dirty) = 0;

    // A file descriptor that becomes readable when native events wait, or -1. The thread that
    // installed the backend waits on it together with its queue; ReadEvents then turns the
    // events into input and window changes.
    virtual int EventFd() const = 0;
    virtual void ReadEvents() = 0;
};

// Installs the backend for the process; without one, a headless screen is used.
void InstallBackend(std::unique_ptr<IBackend> backend);
IBackend& Backend();
// The thread whose waits include the backend's events (the one that installed it).
DWORD BackendThreadId();

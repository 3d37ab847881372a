// Copies a window surface's pixels to its X window: through a shared-memory image when the
// server offers MIT-SHM on this machine, else through the connection.
#pragma once

#include "platform/base/Types.h"

#include <X11/Xlib.h>
#include <X11/extensions/XShm.h>

#include <memory>

class CBitmap;

class CX11Presenter {
public:
    CX11Presenter(Display* display, Window window);
    ~CX11Presenter();
    CX11Presenter(const CX11Presenter&) = delete;
    CX11Presenter& operator=(const CX11Presenter&) = delete;

    // Shows `area` (window coordinates) of the 32-bit surface.
    void Present(const CBitmap& surface, const RECT& area);

    static bool SharedMemoryAvailable(Display* display);

private:
    bool EnsureSharedImage(int width, int height);
    void ReleaseSharedImage();

    Display* m_display;
    Window m_window;
    GC m_gc;
    XImage* m_shared = nullptr;
    XShmSegmentInfo m_segment{};
    bool m_useShared;
};

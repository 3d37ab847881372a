#include "platform/x11/X11Presenter.h"

#include "platform/draw/Bitmap.h"

#include <X11/Xutil.h>

#include <algorithm>
#include <cstring>
#include <sys/ipc.h>
#include <sys/shm.h>

namespace {

// Refusals of shared memory (a remote server) arrive as X errors; they only mean "no".
bool g_sharedMemoryRefused = false;
int IgnoreShmError(Display*, XErrorEvent*) {
    g_sharedMemoryRefused = true;
    return 0;
}

} // namespace

bool CX11Presenter::SharedMemoryAvailable(Display* display) {
    return XShmQueryExtension(display) == True;
}

CX11Presenter::CX11Presenter(Display* display, Window window)
    : m_display(display), m_window(window), m_gc(XCreateGC(display, window, 0, nullptr)),
      m_useShared(SharedMemoryAvailable(display)) {}

CX11Presenter::~CX11Presenter() {
    ReleaseSharedImage();
    XFreeGC(m_display, m_gc);
}

void CX11Presenter::ReleaseSharedImage() {
    if (!m_shared) {
        return;
    }
    XShmDetach(m_display, &m_segment);
    XSync(m_display, False);
    XDestroyImage(m_shared);
    shmdt(m_segment.shmaddr);
    m_shared = nullptr;
}

bool CX11Presenter::EnsureSharedImage(int width, int height) {
    if (m_shared && m_shared->width == width && m_shared->height == height) {
        return true;
    }
    ReleaseSharedImage();
    const int screen = DefaultScreen(m_display);
    m_shared = XShmCreateImage(m_display, DefaultVisual(m_display, screen), 24, ZPixmap, nullptr,
                               &m_segment, unsigned(width), unsigned(height));
    if (!m_shared) {
        return false;
    }
    m_segment.shmid =
        shmget(IPC_PRIVATE, size_t(m_shared->bytes_per_line) * size_t(height), IPC_CREAT | 0600);
    if (m_segment.shmid < 0) {
        XDestroyImage(m_shared);
        m_shared = nullptr;
        return false;
    }
    m_segment.shmaddr = m_shared->data = static_cast<char*>(shmat(m_segment.shmid, nullptr, 0));
    m_segment.readOnly = False;
    g_sharedMemoryRefused = false;
    auto previous = XSetErrorHandler(IgnoreShmError);
    XShmAttach(m_display, &m_segment);
    XSync(m_display, False);
    XSetErrorHandler(previous);
    // Marked for removal now, so the segment goes away with the last detach even on a crash.
    shmctl(m_segment.shmid, IPC_RMID, nullptr);
    if (g_sharedMemoryRefused) {
        shmdt(m_segment.shmaddr);
        m_shared->data = nullptr;
        XDestroyImage(m_shared);
        m_shared = nullptr;
        return false;
    }
    return true;
}

void CX11Presenter::Present(const CBitmap& surface, const RECT& area) {
    const RECT r{std::max<LONG>(area.left, 0), std::max<LONG>(area.top, 0),
                 std::min<LONG>(area.right, surface.Width()),
                 std::min<LONG>(area.bottom, surface.Height())};
    if (r.IsEmpty()) {
        return;
    }
    if (m_useShared && EnsureSharedImage(surface.Width(), surface.Height())) {
        // The previous upload must be done before the segment is written again.
        XSync(m_display, False);
        for (LONG y = r.top; y < r.bottom; ++y) {
            std::memcpy(m_shared->data + size_t(y) * size_t(m_shared->bytes_per_line) + r.left * 4,
                        surface.Row(int(y)) + r.left * 4, size_t(r.Width()) * 4);
        }
        XShmPutImage(m_display, m_window, m_gc, m_shared, int(r.left), int(r.top), int(r.left),
                     int(r.top), unsigned(r.Width()), unsigned(r.Height()), False);
        XFlush(m_display);
        return;
    }
    m_useShared = false;
    // The image borrows the surface's rows; nothing is copied on this side.
    const int screen = DefaultScreen(m_display);
    XImage* image =
        XCreateImage(m_display, DefaultVisual(m_display, screen), 24, ZPixmap, 0,
                     const_cast<char*>(reinterpret_cast<const char*>(surface.Bits())),
                     unsigned(surface.Width()), unsigned(surface.Height()), 32, surface.Stride());
    if (!image) {
        return;
    }
    XPutImage(m_display, m_window, m_gc, image, int(r.left), int(r.top), int(r.left), int(r.top),
              unsigned(r.Width()), unsigned(r.Height()));
    image->data = nullptr;
    XDestroyImage(image);
    XFlush(m_display);
}

#include "platform/x11/X11Backend.h"

#include "platform/base/Utf8.h"
#include "platform/core/Input.h"
#include "platform/core/InputInjection.h"
#include "platform/core/MessageLoop.h"
#include "platform/core/Paint.h"
#include "platform/core/PaintDC.h"
#include "platform/core/Window.h"
#include "platform/draw/Icon.h"
#include "platform/x11/X11Clipboard.h"
#include "platform/x11/X11Keyboard.h"
#include "platform/x11/X11Presenter.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/cursorfont.h>
#include <X11/extensions/shape.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <unordered_map>
#include <vector>

namespace {

struct CDisplayCloser {
    void operator()(Display* d) const { XCloseDisplay(d); }
};
using DisplayPtr = std::unique_ptr<Display, CDisplayCloser>;

struct CTopLevel {
    Window window = None;
    bool overrideRedirect = false;
    bool docked = false; // the system tray maps and places it
    bool mapped = false;
    std::unique_ptr<CX11Presenter> presenter;
};

// Marks window-system changes that came from the display, so they are not sent back to it.
class CApplyingNative {
public:
    explicit CApplyingNative(bool& flag) : m_flag(flag), m_old(flag) { m_flag = true; }
    ~CApplyingNative() { m_flag = m_old; }

private:
    bool& m_flag;
    bool m_old;
};

class CX11Backend : public IBackend {
public:
    explicit CX11Backend(DisplayPtr display);
    ~CX11Backend() override;

    RECT ScreenRect() const override { return m_screen; }
    RECT WorkArea() const override { return m_workArea; }
    void TopLevelCreated(HWND hwnd) override;
    void TopLevelDestroyed(HWND hwnd) override;
    void TopLevelShown(HWND hwnd, bool shown) override;
    void TopLevelMoved(HWND hwnd, const RECT& screenRect) override;
    void TopLevelTitleChanged(HWND hwnd, const WString& title) override;
    void TopLevelIconChanged(HWND hwnd, const CIcon* icon) override;
    void TopLevelRegionChanged(HWND hwnd, const CRegion& region) override;
    void TopLevelRaised(HWND hwnd) override;
    void TopLevelActivated(HWND hwnd) override;
    void BeginUserMove(HWND hwnd) override;
    void GrabInput(HWND hwnd, bool grab) override;
    bool DockInTray(HWND hwnd) override;
    void CursorChanged(HCURSOR cursor) override;
    void SetClipboardText(const WString& text) override { m_clipboard->SetText(text); }
    WString ClipboardText() override { return m_clipboard->Text(); }
    void SurfacePainted(HWND hwnd, const RECT& dirty) override;
    int EventFd() const override { return ConnectionNumber(m_display.get()); }
    void ReadEvents() override;

private:
    Atom A(const char* name) { return XInternAtom(m_display.get(), name, False); }
    CTopLevel* Find(HWND hwnd);
    HWND FindHandle(Window window);
    RECT ReadWorkArea();
    void SetWindowStates(HWND hwnd, const CTopLevel& top);
    void SetPlacementHints(Window window, const RECT& r);
    void SendRootMessage(Window window, Atom type, long a, long b, long c, long d, long e);
    void HandleEvent(XEvent& event);
    void HandleConfigure(HWND hwnd, const XConfigureEvent& event);
    void HandleStateChange(HWND hwnd, Window window);
    POINT ScreenPoint(HWND hwnd, int x, int y);
    Cursor CursorFor(HCURSOR id);

    DisplayPtr m_display;
    int m_screenNumber;
    Window m_root;
    RECT m_screen;
    RECT m_workArea;
    Window m_helper; // owns the clipboard
    std::unique_ptr<CX11Keyboard> m_keyboard;
    std::unique_ptr<CX11Clipboard> m_clipboard;
    std::unordered_map<HWND, CTopLevel> m_tops;
    std::unordered_map<Window, HWND> m_handles;
    std::map<HCURSOR, Cursor> m_cursors;
    Cursor m_currentCursor = None;
    bool m_applyingNative = false;
};

CX11Backend::CX11Backend(DisplayPtr display)
    : m_display(std::move(display)), m_screenNumber(DefaultScreen(m_display.get())),
      m_root(RootWindow(m_display.get(), m_screenNumber)),
      m_screen{0, 0, DisplayWidth(m_display.get(), m_screenNumber),
               DisplayHeight(m_display.get(), m_screenNumber)} {
    m_workArea = ReadWorkArea();
    XSelectInput(m_display.get(), m_root, PropertyChangeMask);
    m_helper = XCreateSimpleWindow(m_display.get(), m_root, -10, -10, 1, 1, 0, 0, 0);
    m_keyboard = std::make_unique<CX11Keyboard>(m_display.get());
    m_clipboard = std::make_unique<CX11Clipboard>(m_display.get(), m_helper);
}

CX11Backend::~CX11Backend() {
    for (auto& [id, cursor] : m_cursors) {
        XFreeCursor(m_display.get(), cursor);
    }
    m_clipboard.reset();
    m_keyboard.reset();
    for (auto& [hwnd, top] : m_tops) {
        top.presenter.reset();
        XDestroyWindow(m_display.get(), top.window);
    }
    XDestroyWindow(m_display.get(), m_helper);
}

RECT CX11Backend::ReadWorkArea() {
    Atom type;
    int format;
    unsigned long count, after;
    unsigned char* data = nullptr;
    RECT area = m_screen;
    if (XGetWindowProperty(m_display.get(), m_root, A("_NET_WORKAREA"), 0, 4, False, XA_CARDINAL,
                           &type, &format, &count, &after, &data) == Success &&
        data && format == 32 && count >= 4) {
        const long* v = reinterpret_cast<const long*>(data);
        const RECT work{LONG(v[0]), LONG(v[1]), LONG(v[0] + v[2]), LONG(v[1] + v[3])};
        if (!work.IsEmpty()) {
            area = work;
        }
    }
    if (data) {
        XFree(data);
    }
    return area;
}

CTopLevel* CX11Backend::Find(HWND hwnd) {
    auto it = m_tops.find(hwnd);
    return it == m_tops.end() ? nullptr : &it->second;
}

HWND CX11Backend::FindHandle(Window window) {
    auto it = m_handles.find(window);
    return it == m_handles.end() ? nullptr : it->second;
}

void CX11Backend::TopLevelCreated(HWND hwnd) {
    Display* d = m_display.get();
    RECT r;
    GetWindowRect(hwnd, &r);
    const DWORD exStyle = DWORD(GetWindowLongPtr(hwnd, GWL_EXSTYLE));
    CTopLevel top;
    // Menus and tooltips never take the focus and are placed exactly: the window manager
    // leaves them alone.
    top.overrideRedirect = (exStyle & WS_EX_NOACTIVATE) != 0;
    XSetWindowAttributes attributes{};
    attributes.background_pixmap = None;
    attributes.bit_gravity = NorthWestGravity;
    attributes.override_redirect = top.overrideRedirect ? True : False;
    attributes.event_mask = ExposureMask | StructureNotifyMask | KeyPressMask | KeyReleaseMask |
                            ButtonPressMask | ButtonReleaseMask | PointerMotionMask |
                            EnterWindowMask | LeaveWindowMask | FocusChangeMask |
                            PropertyChangeMask;
    top.window = XCreateWindow(
        d, m_root, int(r.left), int(r.top), unsigned(std::max<LONG>(r.Width(), 1)),
        unsigned(std::max<LONG>(r.Height(), 1)), 0, CopyFromParent, InputOutput, CopyFromParent,
        CWBackPixmap | CWBitGravity | CWOverrideRedirect | CWEventMask, &attributes);
    Atom protocols[] = {A("WM_DELETE_WINDOW")};
    XSetWMProtocols(d, top.window, protocols, 1);
    // Every window of the client draws its own frame: no decorations.
    const long motif[5] = {2, 0, 0, 0, 0};
    XChangeProperty(d, top.window, A("_MOTIF_WM_HINTS"), A("_MOTIF_WM_HINTS"), 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(motif), 5);
    XClassHint classHint{const_cast<char*>("vistrel"), const_cast<char*>("Vistrel")};
    XSetClassHint(d, top.window, &classHint);
    SetPlacementHints(top.window, r);
    const long pid = long(getpid());
    XChangeProperty(d, top.window, A("_NET_WM_PID"), XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&pid), 1);
    if (HWND owner = GetWindow(hwnd, GW_OWNER)) {
        if (CTopLevel* o = Find(owner)) {
            XSetTransientForHint(d, top.window, o->window);
        }
    }
    top.presenter = std::make_unique<CX11Presenter>(d, top.window);
    m_keyboard->WindowCreated(top.window);
    m_handles[top.window] = hwnd;
    m_tops.emplace(hwnd, std::move(top));
    TopLevelTitleChanged(hwnd, GetWindowText(hwnd));
    XFlush(d);
}

void CX11Backend::TopLevelDestroyed(HWND hwnd) {
    CTopLevel* top = Find(hwnd);
    if (!top) {
        return;
    }
    m_keyboard->WindowDestroyed(top->window);
    top->presenter.reset();
    XDestroyWindow(m_display.get(), top->window);
    m_handles.erase(top->window);
    m_tops.erase(hwnd);
    XFlush(m_display.get());
}

void CX11Backend::SetWindowStates(HWND hwnd, const CTopLevel& top) {
    const DWORD exStyle = DWORD(GetWindowLongPtr(hwnd, GWL_EXSTYLE));
    std::vector<Atom> states;
    if (exStyle & WS_EX_TOPMOST) {
        states.push_back(A("_NET_WM_STATE_ABOVE"));
    }
    if ((exStyle & WS_EX_TOOLWINDOW) && !(exStyle & WS_EX_APPWINDOW)) {
        states.push_back(A("_NET_WM_STATE_SKIP_TASKBAR"));
        states.push_back(A("_NET_WM_STATE_SKIP_PAGER"));
    }
    XChangeProperty(m_display.get(), top.window, A("_NET_WM_STATE"), XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(states.data()), int(states.size()));
}

void CX11Backend::TopLevelShown(HWND hwnd, bool shown) {
    CTopLevel* top = Find(hwnd);
    if (!top || m_applyingNative || top->docked) {
        return;
    }
    Display* d = m_display.get();
    if (shown) {
        // A class may settle its styles while it is being created (the tooltip does), after
        // the X window exists; until it is mapped, the window can still leave the manager.
        const bool noActivate = (GetWindowLongPtr(hwnd, GWL_EXSTYLE) & WS_EX_NOACTIVATE) != 0;
        if (!top->mapped && noActivate != top->overrideRedirect) {
            top->overrideRedirect = noActivate;
            XSetWindowAttributes attributes{};
            attributes.override_redirect = noActivate ? True : False;
            XChangeWindowAttributes(d, top->window, CWOverrideRedirect, &attributes);
        }
        // The window manager reads the states when the window is mapped.
        SetWindowStates(hwnd, *top);
        XMapRaised(d, top->window);
        top->mapped = true;
    } else if (IsIconic(hwnd) && !top->overrideRedirect) {
        XIconifyWindow(d, top->window, m_screenNumber);
    } else {
        XWithdrawWindow(d, top->window, m_screenNumber);
        top->mapped = false;
    }
    XFlush(d);
}

// The window manager places the window where the program asked, not where it would like.
void CX11Backend::SetPlacementHints(Window window, const RECT& r) {
    XSizeHints hints{};
    hints.flags = USPosition | USSize | PPosition | PSize;
    hints.x = int(r.left);
    hints.y = int(r.top);
    hints.width = int(r.Width());
    hints.height = int(r.Height());
    XSetWMNormalHints(m_display.get(), window, &hints);
}

void CX11Backend::TopLevelMoved(HWND hwnd, const RECT& r) {
    CTopLevel* top = Find(hwnd);
    if (!top || m_applyingNative) {
        return;
    }
    SetPlacementHints(top->window, r);
    XMoveResizeWindow(m_display.get(), top->window, int(r.left), int(r.top),
                      unsigned(std::max<LONG>(r.Width(), 1)),
                      unsigned(std::max<LONG>(r.Height(), 1)));
    XFlush(m_display.get());
}

void CX11Backend::TopLevelTitleChanged(HWND hwnd, const WString& title) {
    CTopLevel* top = Find(hwnd);
    if (!top) {
        return;
    }
    const std::string utf8 = WideToUtf8(title);
    Display* d = m_display.get();
    XChangeProperty(d, top->window, A("_NET_WM_NAME"), A("UTF8_STRING"), 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(utf8.data()), int(utf8.size()));
    XStoreName(d, top->window, utf8.c_str());
    XFlush(d);
}

void CX11Backend::TopLevelIconChanged(HWND hwnd, const CIcon* icon) {
    CTopLevel* top = Find(hwnd);
    if (!top) {
        return;
    }
    Display* d = m_display.get();
    if (!icon) {
        XDeleteProperty(d, top->window, A("_NET_WM_ICON"));
        XFlush(d);
        return;
    }
    // Width, height, then ARGB pixels, each in a long as format 32 properties are passed.
    std::vector<long> data{long(icon->Width()), long(icon->Height())};
    for (std::uint32_t argb : icon->Pixels()) {
        data.push_back(long(argb));
    }
    XChangeProperty(d, top->window, A("_NET_WM_ICON"), XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(data.data()), int(data.size()));
    XFlush(d);
}

void CX11Backend::TopLevelRegionChanged(HWND hwnd, const CRegion& region) {
    CTopLevel* top = Find(hwnd);
    if (!top) {
        return;
    }
    Display* d = m_display.get();
    if (region.IsEmpty()) {
        XShapeCombineMask(d, top->window, ShapeBounding, 0, 0, None, ShapeSet);
    } else {
        std::vector<XRectangle> rects;
        for (const RECT& r : region.Rects()) {
            rects.push_back({short(r.left), short(r.top), static_cast<unsigned short>(r.Width()),
                             static_cast<unsigned short>(r.Height())});
        }
        XShapeCombineRectangles(d, top->window, ShapeBounding, 0, 0, rects.data(),
                                int(rects.size()), ShapeSet, YXBanded);
    }
    XFlush(d);
}

void CX11Backend::TopLevelRaised(HWND hwnd) {
    CTopLevel* top = Find(hwnd);
    if (!top || m_applyingNative) {
        return;
    }
    if (top->mapped && !top->overrideRedirect && !top->docked) {
        // The window manager keeps the state of mapped windows; ask it for "above" to follow
        // the topmost style, which a z-order change may have switched.
        constexpr long kRemove = 0, kAdd = 1;
        const bool topmost = (GetWindowLongPtr(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
        SendRootMessage(top->window, A("_NET_WM_STATE"), topmost ? kAdd : kRemove,
                        long(A("_NET_WM_STATE_ABOVE")), 0, 1, 0);
    }
    XRaiseWindow(m_display.get(), top->window);
    XFlush(m_display.get());
}

void CX11Backend::SendRootMessage(Window window, Atom type, long a, long b, long c, long d,
                                  long e) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = type;
    event.xclient.format = 32;
    event.xclient.data.l[0] = a;
    event.xclient.data.l[1] = b;
    event.xclient.data.l[2] = c;
    event.xclient.data.l[3] = d;
    event.xclient.data.l[4] = e;
    XSendEvent(m_display.get(), m_root, False, SubstructureRedirectMask | SubstructureNotifyMask,
               &event);
    XFlush(m_display.get());
}

void CX11Backend::TopLevelActivated(HWND hwnd) {
    CTopLevel* top = Find(hwnd);
    if (!top || m_applyingNative || !top->mapped || top->overrideRedirect) {
        return;
    }
    SendRootMessage(top->window, A("_NET_ACTIVE_WINDOW"), 1, CurrentTime, 0, 0, 0);
}

void CX11Backend::BeginUserMove(HWND hwnd) {
    CTopLevel* top = Find(hwnd);
    if (!top) {
        return;
    }
    POINT p;
    GetCursorPos(&p);
    XUngrabPointer(m_display.get(), CurrentTime);
    constexpr long kMove = 8;
    SendRootMessage(top->window, A("_NET_WM_MOVERESIZE"), p.x, p.y, kMove, Button1, 1);
    // The window manager takes the rest of the drag, so this button press ends here.
    InjectMouseButton(MK_LBUTTON, false);
}

bool CX11Backend::DockInTray(HWND hwnd) {
    CTopLevel* top = Find(hwnd);
    if (!top) {
        return false;
    }
    Display* d = m_display.get();
    const std::string selection = "_NET_SYSTEM_TRAY_S" + std::to_string(m_screenNumber);
    const Window tray = XGetSelectionOwner(d, A(selection.c_str()));
    if (tray == None) {
        return false;
    }
    // Trays size their icons from the minimum size hint.
    RECT r;
    GetWindowRect(hwnd, &r);
    XSizeHints hints{};
    hints.flags = PMinSize | PBaseSize;
    hints.min_width = hints.base_width = int(r.Width());
    hints.min_height = hints.base_height = int(r.Height());
    XSetWMNormalHints(d, top->window, &hints);
    // XEmbed: version 0, mapped, so the tray shows the icon as soon as it has embedded it.
    const long info[2] = {0, 1};
    XChangeProperty(d, top->window, A("_XEMBED_INFO"), A("_XEMBED_INFO"), 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(info), 2);
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = tray;
    event.xclient.message_type = A("_NET_SYSTEM_TRAY_OPCODE");
    event.xclient.format = 32;
    event.xclient.data.l[0] = CurrentTime;
    event.xclient.data.l[1] = 0; // SYSTEM_TRAY_REQUEST_DOCK
    event.xclient.data.l[2] = long(top->window);
    XSendEvent(d, tray, False, NoEventMask, &event);
    XSync(d, False);
    top->docked = true;
    top->mapped = true;
    return true;
}

void CX11Backend::GrabInput(HWND hwnd, bool grab) {
    CTopLevel* top = Find(hwnd);
    if (!top) {
        return;
    }
    Display* d = m_display.get();
    if (grab) {
        // Events over our own windows still go to them; everything else to the grabber.
        XGrabPointer(d, top->window, True, ButtonPressMask | ButtonReleaseMask | PointerMotionMask,
                     GrabModeAsync, GrabModeAsync, None, None, CurrentTime);
        XGrabKeyboard(d, top->window, True, GrabModeAsync, GrabModeAsync, CurrentTime);
    } else {
        XUngrabPointer(d, CurrentTime);
        XUngrabKeyboard(d, CurrentTime);
    }
    XFlush(d);
}

Cursor CX11Backend::CursorFor(HCURSOR id) {
    auto it = m_cursors.find(id);
    if (it != m_cursors.end()) {
        return it->second;
    }
    unsigned shape = XC_left_ptr;
    switch (id) {
    case IDC_HAND:
        shape = XC_hand2;
        break;
    case IDC_IBEAM:
        shape = XC_xterm;
        break;
    case IDC_WAIT:
        shape = XC_watch;
        break;
    case IDC_CROSS:
        shape = XC_crosshair;
        break;
    case IDC_SIZEWE:
        shape = XC_sb_h_double_arrow;
        break;
    case IDC_SIZENS:
        shape = XC_sb_v_double_arrow;
        break;
    case IDC_SIZENWSE:
        shape = XC_bottom_right_corner;
        break;
    case IDC_SIZENESW:
        shape = XC_bottom_left_corner;
        break;
    case IDC_SIZEALL:
        shape = XC_fleur;
        break;
    default:
        break;
    }
    Cursor cursor = XCreateFontCursor(m_display.get(), shape);
    m_cursors[id] = cursor;
    return cursor;
}

void CX11Backend::CursorChanged(HCURSOR id) {
    const Cursor cursor = CursorFor(id);
    if (cursor == m_currentCursor) {
        return;
    }
    m_currentCursor = cursor;
    for (auto& [hwnd, top] : m_tops) {
        XDefineCursor(m_display.get(), top.window, cursor);
    }
    XFlush(m_display.get());
}

void CX11Backend::SurfacePainted(HWND hwnd, const RECT& dirty) {
    CTopLevel* top = Find(hwnd);
    const CBitmap* surface = GetWindowSurface(hwnd);
    if (top && top->mapped && surface) {
        top->presenter->Present(*surface, dirty);
    }
}

POINT CX11Backend::ScreenPoint(HWND hwnd, int x, int y) {
    RECT r;
    GetWindowRect(hwnd, &r);
    return {r.left + x, r.top + y};
}

void CX11Backend::HandleConfigure(HWND hwnd, const XConfigureEvent& event) {
    int x = event.x, y = event.y;
    if (!event.send_event) {
        // A real event gives the position in the parent (a frame of the window manager).
        Window child;
        XTranslateCoordinates(m_display.get(), event.window, m_root, 0, 0, &x, &y, &child);
    }
    RECT r;
    GetWindowRect(hwnd, &r);
    if (r.left == x && r.top == y && r.Width() == event.width && r.Height() == event.height) {
        return;
    }
    CApplyingNative applying(m_applyingNative);
    SetWindowPos(hwnd, nullptr, x, y, event.width, event.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void CX11Backend::HandleStateChange(HWND hwnd, Window window) {
    Atom type;
    int format;
    unsigned long count, after;
    unsigned char* data = nullptr;
    const Atom wmState = A("WM_STATE");
    if (XGetWindowProperty(m_display.get(), window, wmState, 0, 2, False, wmState, &type, &format,
                           &count, &after, &data) != Success ||
        !data) {
        return;
    }
    constexpr long kIconicState = 3;
    const bool iconic = count >= 1 && reinterpret_cast<const long*>(data)[0] == kIconicState;
    XFree(data);
    CApplyingNative applying(m_applyingNative);
    if (iconic && !IsIconic(hwnd)) {
        ShowWindow(hwnd, SW_SHOWMINNOACTIVE);
    } else if (!iconic && IsIconic(hwnd)) {
        ShowWindow(hwnd, SW_RESTORE);
    }
}

void CX11Backend::ReadEvents() {
    Display* d = m_display.get();
    while (XPending(d)) {
        XEvent event;
        XNextEvent(d, &event);
        if (m_keyboard->Filter(event)) {
            continue;
        }
        HandleEvent(event);
    }
}

void CX11Backend::HandleEvent(XEvent& event) {
    if (m_clipboard->HandleEvent(event)) {
        return;
    }
    if (event.type == PropertyNotify && event.xproperty.window == m_root) {
        if (event.xproperty.atom == A("_NET_WORKAREA")) {
            m_workArea = ReadWorkArea();
        }
        return;
    }
    const HWND hwnd = FindHandle(event.xany.window);
    if (!hwnd) {
        return;
    }
    switch (event.type) {
    case Expose: {
        const RECT area{event.xexpose.x, event.xexpose.y, event.xexpose.x + event.xexpose.width,
                        event.xexpose.y + event.xexpose.height};
        if (const CBitmap* surface = GetWindowSurface(hwnd)) {
            Find(hwnd)->presenter->Present(*surface, area);
        } else {
            InvalidateRect(hwnd, &area, false);
        }
        break;
    }
    case ConfigureNotify:
        HandleConfigure(hwnd, event.xconfigure);
        break;
    case MapNotify:
        Find(hwnd)->mapped = true;
        break;
    case UnmapNotify:
        Find(hwnd)->mapped = false;
        break;
    case PropertyNotify:
        if (event.xproperty.atom == A("WM_STATE")) {
            HandleStateChange(hwnd, event.xproperty.window);
        }
        break;
    case ClientMessage:
        if (event.xclient.message_type == A("WM_PROTOCOLS") &&
            Atom(event.xclient.data.l[0]) == A("WM_DELETE_WINDOW")) {
            PostMessage(hwnd, WM_CLOSE, 0, 0);
        }
        break;
    case FocusIn:
    case FocusOut: {
        if (event.xfocus.mode == NotifyGrab || event.xfocus.mode == NotifyUngrab ||
            event.xfocus.detail == NotifyPointer || event.xfocus.detail == NotifyInferior) {
            break;
        }
        const bool in = event.type == FocusIn;
        m_keyboard->FocusChanged(event.xfocus.window, in);
        CApplyingNative applying(m_applyingNative);
        if (in) {
            SetActiveWindow(hwnd);
        } else if (GetActiveWindow() == hwnd) {
            SetActiveWindow(nullptr);
        }
        break;
    }
    case MotionNotify: {
        // Only the newest position of a burst matters.
        XEvent next;
        while (XCheckTypedWindowEvent(m_display.get(), event.xmotion.window, MotionNotify, &next)) {
            event = next;
        }
        InjectMouseMove(ScreenPoint(hwnd, event.xmotion.x, event.xmotion.y));
        break;
    }
    case ButtonPress:
    case ButtonRelease: {
        InjectMouseMove(ScreenPoint(hwnd, event.xbutton.x, event.xbutton.y));
        const bool down = event.type == ButtonPress;
        switch (event.xbutton.button) {
        case Button1:
            InjectMouseButton(MK_LBUTTON, down);
            break;
        case Button2:
            InjectMouseButton(MK_MBUTTON, down);
            break;
        case Button3:
            InjectMouseButton(MK_RBUTTON, down);
            break;
        case Button4:
            if (down) {
                InjectMouseWheel(120);
            }
            break;
        case Button5:
            if (down) {
                InjectMouseWheel(-120);
            }
            break;
        default:
            break;
        }
        break;
    }
    case LeaveNotify:
        if (event.xcrossing.mode == NotifyNormal && event.xcrossing.detail != NotifyInferior) {
            // The pointer is now where the display says, over none of this window's pixels.
            InjectMouseMove({event.xcrossing.x_root, event.xcrossing.y_root});
            InjectPointerGone();
        }
        break;
    case EnterNotify:
        InjectMouseMove(ScreenPoint(hwnd, event.xcrossing.x, event.xcrossing.y));
        break;
    case KeyPress:
    case KeyRelease: {
        WPARAM key;
        WString text;
        m_keyboard->Translate(event.xkey, &key, &text);
        InjectKey(key, event.type == KeyPress, text);
        break;
    }
    default:
        break;
    }
}

} // namespace

std::unique_ptr<IBackend> OpenX11Backend(std::string* error) {
    const char* name = std::getenv("DISPLAY");
    if (!name || !*name) {
        *error = "no X display: the DISPLAY environment variable is not set";
        return nullptr;
    }
    // Text input needs a UTF-8 locale for the input method and for Xutf8LookupString.
    if (!std::setlocale(LC_CTYPE, "") || !XSupportsLocale()) {
        std::setlocale(LC_CTYPE, "C.UTF-8");
    }
    XInitThreads();
    DisplayPtr display(XOpenDisplay(nullptr));
    if (!display) {
        *error = std::string("cannot open the X display \"") + name + "\"";
        return nullptr;
    }
    return std::make_unique<CX11Backend>(std::move(display));
}

bool InstallX11Backend(const char* programName) {
    std::string error;
    auto backend = OpenX11Backend(&error);
    if (!backend) {
        std::fprintf(stderr, "%s: %s\n", programName, error.c_str());
        return false;
    }
    InstallBackend(std::move(backend));
    return true;
}

// Windows: classes, creation and destruction, relations, attributes, geometry and z-order.
// Every window belongs to the thread that created it; its procedure runs on that thread.
#pragma once

#include "platform/base/Messages.h"
#include "platform/base/Region.h"
#include "platform/base/Types.h"
#include "platform/base/WindowStyles.h"

using WNDPROC = LRESULT (*)(HWND, UINT, WPARAM, LPARAM);

struct WNDCLASS {
    UINT style = 0;
    WNDPROC lpfnWndProc = nullptr;
    HCURSOR hCursor = 0;
    WString lpszClassName;
};

// Registering a name that exists fails. GetClassInfo copies a registered class, which is how a
// class is superclassed: copy, replace the procedure and the name, register.
bool RegisterClass(const WNDCLASS& wc);
bool GetClassInfo(const WString& className, WNDCLASS* wc);
bool UnregisterClass(const WString& className);
// Registers a class from its name, procedure, class style and cursor.
bool RegisterWindowClass(const WString& className, WNDPROC proc, UINT style, HCURSOR cursor);

// Child windows (WS_CHILD) are placed in their parent's client coordinates and `parent` is
// their parent; for other windows `parent` is the owner and the position is on the screen.
// For a child, `menuOrId` is the control id. Answers null when the class is unknown or
// WM_NCCREATE / WM_CREATE refuses.
HWND CreateWindowEx(DWORD exStyle, const WString& className, const WString& title, DWORD style,
                    int x, int y, int width, int height, HWND parent, UINT_PTR menuOrId,
                    void* createParam);
// Destroys the window, its children and the windows it owns: WM_DESTROY goes to the window
// before its children, WM_NCDESTROY to the children before the window.
bool DestroyWindow(HWND hwnd);
bool IsWindow(HWND hwnd);

LRESULT DefWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT CallWindowProc(WNDPROC proc, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

HWND GetParent(HWND hwnd); // the parent of a child, else the owner
HWND GetAncestor(HWND hwnd, UINT flags);
HWND GetWindow(HWND hwnd, UINT relation);
HWND GetDlgItem(HWND parent, int id);
int GetDlgCtrlID(HWND hwnd);
bool IsChild(HWND parent, HWND hwnd);
DWORD GetWindowThreadId(HWND hwnd);
WString GetClassName(HWND hwnd);

// GWLP_WNDPROC, GWLP_ID, GWL_STYLE, GWL_EXSTYLE, GWLP_USERDATA. Setting a procedure answers
// the previous one.
LPARAM GetWindowLongPtr(HWND hwnd, int index);
LPARAM SetWindowLongPtr(HWND hwnd, int index, LPARAM value);

// Named properties hold one pointer each.
bool SetProp(HWND hwnd, const WString& name, void* value);
void* GetProp(HWND hwnd, const WString& name);
void* RemoveProp(HWND hwnd, const WString& name);

// The title goes through WM_SETTEXT / WM_GETTEXT; DefWindowProc keeps it.
bool SetWindowText(HWND hwnd, const WString& text);
WString GetWindowText(HWND hwnd);

// Visibility, enabled state and the minimised / maximised states.
bool ShowWindow(HWND hwnd, int command);   // answers whether it was visible before
bool IsWindowVisible(HWND hwnd);           // it and all its ancestors are shown
bool EnableWindow(HWND hwnd, bool enable); // answers whether it was disabled before
bool IsWindowEnabled(HWND hwnd);
bool IsIconic(HWND hwnd);
bool IsZoomed(HWND hwnd);

// Geometry. Window rectangles are on the screen; the client area covers the whole window and
// starts at 0,0.
bool SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int width, int height, UINT flags);
bool MoveWindow(HWND hwnd, int x, int y, int width, int height, bool repaint);
bool GetWindowRect(HWND hwnd, RECT* rect);
bool GetClientRect(HWND hwnd, RECT* rect);
bool ClientToScreen(HWND hwnd, POINT* point);
bool ScreenToClient(HWND hwnd, POINT* point);
// Converts from one window's client coordinates to another's; null is the screen.
void MapWindowPoints(HWND from, HWND to, POINT* points, int count);
// The window takes the region (in window coordinates); an empty region clears the shape.
bool SetWindowRgn(HWND hwnd, const CRegion* region, bool redraw);
bool GetWindowRgn(HWND hwnd, CRegion* region);

// Centres the window on its owner when the owner is shown and not minimised, else on the
// work area, and keeps it inside the work area.
void CentreWindowOn(HWND hwnd, HWND owner);

// Z-order: children are kept in order among their siblings and top-levels among themselves,
// topmost windows above the others. The first child is the top.
bool BringWindowToTop(HWND hwnd);
HWND WindowFromPoint(POINT screenPoint); // deepest visible, enabled-or-not window
HWND ChildWindowFromPoint(HWND parent, POINT clientPoint);

// Activation among top-level windows.
bool SetForegroundWindow(HWND hwnd);
HWND GetForegroundWindow();
HWND SetActiveWindow(HWND hwnd);
HWND GetActiveWindow();
// The first top-level window (in z-order) of the class, with the title when one is given.
HWND FindWindow(const WString& className, const WString* title);
// The root window that stands for the whole screen.
HWND GetDesktopWindow();

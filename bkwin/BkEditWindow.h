// The real edit windows of elements (the edit box, and the combo box in its editable mode):
// window classes that superclass the platform "Edit" class. Their procedure shows each message
// to the element that owns the window first, then hands it to the "Edit" procedure and answers
// what that answers.
#pragma once

#include "platform/base/Messages.h"
#include "platform/draw/Font.h"

#include <string>

class CBkWindow;

// The element side of a real edit window.
class IBkEditWindowOwner {
public:
    virtual ~IBkEditWindowOwner() = default;
    // Every message of the window, before the edit control handles it.
    virtual void BeforeEditMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) = 0;
    // The window exists (at its WM_NCCREATE) or is gone (null, after its WM_NCDESTROY).
    virtual void EditWindowChanged(HWND hwnd) = 0;
};

// How the window starts.
struct BkEditWindowSetup {
    DWORD style = 0;
    RECT rect; // in the host window's client coordinates
    HFONT font = nullptr;
    int limit = 0; // characters; 0 leaves the control's own limit
    bool password = false;
    bool readOnly = false;
    WString text;
    bool visible = false;
};

// Registers the class once per process; a class of that name that exists counts as
// registered. False when there is no "Edit" class to superclass.
bool RegisterEditSuperclass(const WString& className);

// Creates a window of the registered class as a child of the element's host window, with the
// element's id as control id, and sets it up. The element, which must derive from
// IBkEditWindowOwner, is reached through its registry handle, so a window that outlives it
// finds nothing. Null when the class is unknown or the window cannot be made.
HWND CreateEditWindow(const WString& className, const CBkWindow& owner,
                      const BkEditWindowSetup& setup);

// Selects the whole text; an empty text selects 0 to 1.
void SelectAllEditText(HWND hwnd);

// The window's change notification, reflected back to it by the host: EN_CHANGE copies the
// window's text into the element's and repaints the element; EN_UPDATE repaints the window.
void FollowEditCommand(CBkWindow& element, HWND hwnd, WPARAM wParam);

// Asks for one WM_MOUSELEAVE when the mouse leaves the window.
void TrackMouseLeave(HWND hwnd);

// The CLIPBOARD selection: offering our text to other programs and fetching theirs.
#pragma once

#include "platform/base/Types.h"

#include <X11/Xlib.h>

#include <string>

class CX11Clipboard {
public:
    CX11Clipboard(Display* display, Window owner);

    void SetText(const WString& text);
    // Waits up to a second for the owner to answer; empty when nobody offers text.
    WString Text();
    // Selection events for the owner window; answers whether the event was one.
    bool HandleEvent(const XEvent& event);

private:
    void Answer(const XSelectionRequestEvent& request);

    Display* m_display;
    Window m_owner;
    Atom m_clipboard, m_targets, m_utf8, m_property;
    std::string m_text; // UTF-8, what we offer while we own the selection
    bool m_owned = false;
};

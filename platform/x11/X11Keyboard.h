// Keyboard input from X11 key events: virtual keys, and text through the input method when one
// runs (plain key lookup otherwise).
#pragma once

#include "platform/base/Types.h"

#include <X11/Xlib.h>

#include <memory>
#include <unordered_map>

class CX11Keyboard {
public:
    explicit CX11Keyboard(Display* display);
    ~CX11Keyboard();
    CX11Keyboard(const CX11Keyboard&) = delete;
    CX11Keyboard& operator=(const CX11Keyboard&) = delete;

    void WindowCreated(Window window);
    void WindowDestroyed(Window window);
    void FocusChanged(Window window, bool focused);

    // Answers true when the input method consumed the event (XFilterEvent).
    bool Filter(XEvent& event);
    // The virtual key and the text of a KeyPress (text empty for releases and keys without).
    void Translate(XKeyEvent& event, WPARAM* virtualKey, WString* text);

private:
    Display* m_display;
    XIM m_inputMethod = nullptr;
    std::unordered_map<Window, XIC> m_contexts;
};

// The virtual key for an X11 key symbol, 0 when there is none.
WPARAM VirtualKeyFromKeySym(unsigned long keysym);

#include "platform/x11/X11Keyboard.h"

#include "platform/base/Messages.h"
#include "platform/base/Utf8.h"

#include <X11/Xutil.h>
#include <X11/keysym.h>

CX11Keyboard::CX11Keyboard(Display* display) : m_display(display) {
    XSetLocaleModifiers("");
    m_inputMethod = XOpenIM(display, nullptr, nullptr, nullptr);
}

CX11Keyboard::~CX11Keyboard() {
    for (auto& [window, context] : m_contexts) {
        XDestroyIC(context);
    }
    if (m_inputMethod) {
        XCloseIM(m_inputMethod);
    }
}

void CX11Keyboard::WindowCreated(Window window) {
    if (!m_inputMethod) {
        return;
    }
    XIC context = XCreateIC(m_inputMethod, XNInputStyle, XIMPreeditNothing | XIMStatusNothing,
                            XNClientWindow, window, XNFocusWindow, window, nullptr);
    if (context) {
        m_contexts[window] = context;
    }
}

void CX11Keyboard::WindowDestroyed(Window window) {
    auto it = m_contexts.find(window);
    if (it != m_contexts.end()) {
        XDestroyIC(it->second);
        m_contexts.erase(it);
    }
}

void CX11Keyboard::FocusChanged(Window window, bool focused) {
    auto it = m_contexts.find(window);
    if (it == m_contexts.end()) {
        return;
    }
    if (focused) {
        XSetICFocus(it->second);
    } else {
        XUnsetICFocus(it->second);
    }
}

bool CX11Keyboard::Filter(XEvent& event) {
    return XFilterEvent(&event, None) == True;
}

void CX11Keyboard::Translate(XKeyEvent& event, WPARAM* virtualKey, WString* text) {
    KeySym keysym = NoSymbol;
    text->clear();
    char buffer[256];
    int length = 0;
    auto context = m_contexts.find(event.window);
    if (event.type == KeyPress && context != m_contexts.end()) {
        Status status;
        length =
            Xutf8LookupString(context->second, &event, buffer, sizeof buffer - 1, &keysym, &status);
        if (status != XLookupChars && status != XLookupBoth) {
            length = 0;
        }
        if (status != XLookupKeySym && status != XLookupBoth) {
            keysym = XLookupKeysym(&event, 0);
        }
    } else {
        length = XLookupString(&event, buffer, sizeof buffer - 1, &keysym, nullptr);
        // Plain lookup gives Latin-1 bytes; Unicode key symbols carry their code point.
        if (keysym >= 0x01000100 && keysym <= 0x0110FFFF) {
            *text = WString(1, wchar_t(keysym - 0x01000000));
            length = 0;
        } else if (length > 0) {
            for (int i = 0; i < length; ++i) {
                text->push_back(wchar_t(static_cast<unsigned char>(buffer[i])));
            }
            length = 0;
        }
    }
    if (length > 0) {
        *text = Utf8ToWide(std::string_view(buffer, size_t(length)));
    }
    // Control characters other than the editing keys' are left to the key message.
    if (text->size() == 1 && (*text)[0] < 0x20 && (*text)[0] != L'\b' && (*text)[0] != L'\t' &&
        (*text)[0] != L'\r' && (*text)[0] != 0x1B) {
        text->clear();
    }
    if (event.type != KeyPress) {
        text->clear();
    }
    *virtualKey = VirtualKeyFromKeySym(XLookupKeysym(&event, 0));
}

WPARAM VirtualKeyFromKeySym(unsigned long keysym) {
    if (keysym >= XK_a && keysym <= XK_z) {
        return WPARAM('A' + (keysym - XK_a));
    }
    if (keysym >= XK_A && keysym <= XK_Z) {
        return WPARAM('A' + (keysym - XK_A));
    }
    if (keysym >= XK_0 && keysym <= XK_9) {
        return WPARAM('0' + (keysym - XK_0));
    }
    if (keysym >= XK_F1 && keysym <= XK_F12) {
        return VK_F1 + (keysym - XK_F1);
    }
    switch (keysym) {
    case XK_BackSpace:
        return VK_BACK;
    case XK_Tab:
    case XK_ISO_Left_Tab:
        return VK_TAB;
    case XK_Return:
    case XK_KP_Enter:
        return VK_RETURN;
    case XK_Escape:
        return VK_ESCAPE;
    case XK_space:
        return VK_SPACE;
    case XK_Prior:
        return VK_PRIOR;
    case XK_Next:
        return VK_NEXT;
    case XK_End:
        return VK_END;
    case XK_Home:
        return VK_HOME;
    case XK_Left:
        return VK_LEFT;
    case XK_Up:
        return VK_UP;
    case XK_Right:
        return VK_RIGHT;
    case XK_Down:
        return VK_DOWN;
    case XK_Insert:
        return VK_INSERT;
    case XK_Delete:
        return VK_DELETE;
    case XK_Shift_L:
    case XK_Shift_R:
        return VK_SHIFT;
    case XK_Control_L:
    case XK_Control_R:
        return VK_CONTROL;
    case XK_Alt_L:
    case XK_Alt_R:
    case XK_Meta_L:
    case XK_Meta_R:
        return VK_MENU;
    default:
        return 0;
    }
}

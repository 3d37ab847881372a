#include "platform/x11/X11Clipboard.h"

#include "platform/base/Utf8.h"

#include <X11/Xatom.h>
#include <chrono>
#include <poll.h>

CX11Clipboard::CX11Clipboard(Display* display, Window owner)
    : m_display(display), m_owner(owner), m_clipboard(XInternAtom(display, "CLIPBOARD", False)),
      m_targets(XInternAtom(display, "TARGETS", False)),
      m_utf8(XInternAtom(display, "UTF8_STRING", False)),
      m_property(XInternAtom(display, "VISTREL_CLIPBOARD", False)) {}

void CX11Clipboard::SetText(const WString& text) {
    m_text = WideToUtf8(text);
    XSetSelectionOwner(m_display, m_clipboard, m_owner, CurrentTime);
    m_owned = XGetSelectionOwner(m_display, m_clipboard) == m_owner;
    XFlush(m_display);
}

WString CX11Clipboard::Text() {
    if (m_owned) {
        return Utf8ToWide(m_text);
    }
    if (XGetSelectionOwner(m_display, m_clipboard) == None) {
        return {};
    }
    XDeleteProperty(m_display, m_owner, m_property);
    XConvertSelection(m_display, m_clipboard, m_utf8, m_property, m_owner, CurrentTime);
    XFlush(m_display);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(1);
    XEvent event;
    // Other events stay queued for the message loop; only the answer is taken here.
    while (!XCheckTypedWindowEvent(m_display, m_owner, SelectionNotify, &event)) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            return {};
        }
        pollfd fd{ConnectionNumber(m_display), POLLIN, 0};
        poll(&fd, 1, int(left.count()));
        XEventsQueued(m_display, QueuedAfterReading);
    }
    if (event.xselection.property == None) {
        return {};
    }
    Atom type;
    int format;
    unsigned long count, after;
    unsigned char* data = nullptr;
    WString text;
    if (XGetWindowProperty(m_display, m_owner, m_property, 0, 1 << 24, True, AnyPropertyType, &type,
                           &format, &count, &after, &data) == Success &&
        data && format == 8) {
        const std::string_view bytes(reinterpret_cast<const char*>(data), count);
        if (type == m_utf8) {
            text = Utf8ToWide(bytes);
        } else {
            for (unsigned char c : bytes) {
                text.push_back(wchar_t(c)); // STRING is Latin-1
            }
        }
    }
    if (data) {
        XFree(data);
    }
    return text;
}

bool CX11Clipboard::HandleEvent(const XEvent& event) {
    if (event.type == SelectionClear && event.xselectionclear.selection == m_clipboard) {
        m_owned = false;
        return true;
    }
    if (event.type == SelectionRequest && event.xselectionrequest.owner == m_owner) {
        Answer(event.xselectionrequest);
        return true;
    }
    return false;
}

void CX11Clipboard::Answer(const XSelectionRequestEvent& request) {
    XSelectionEvent reply{};
    reply.type = SelectionNotify;
    reply.display = request.display;
    reply.requestor = request.requestor;
    reply.selection = request.selection;
    reply.target = request.target;
    reply.time = request.time;
    // Old clients leave the property out; they get the answer in the target's name.
    const Atom property = request.property == None ? request.target : request.property;
    reply.property = None;
    if (m_owned && request.target == m_targets) {
        const Atom offered[] = {m_targets, m_utf8, XA_STRING};
        XChangeProperty(m_display, request.requestor, property, XA_ATOM, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(offered), 3);
        reply.property = property;
    } else if (m_owned && (request.target == m_utf8 || request.target == XA_STRING)) {
        std::string bytes = m_text;
        if (request.target == XA_STRING) {
            bytes.clear();
            for (wchar_t c : Utf8ToWide(m_text)) {
                bytes.push_back(c < 256 ? char(c) : '?');
            }
        }
        XChangeProperty(m_display, request.requestor, property, request.target, 8, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(bytes.data()), int(bytes.size()));
        reply.property = property;
    }
    XSendEvent(m_display, request.requestor, False, 0, reinterpret_cast<XEvent*>(&reply));
    XFlush(m_display);
}

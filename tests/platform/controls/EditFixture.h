// An edit control in a top-level test window that logs what the edit tells it, with input
// helpers that drive the headless screen.
#pragma once

#include "tests/support/TestWindow.h"

#include "platform/controls/Edit.h"

#include <utility>
#include <vector>

struct CKeyStroke {
    WPARAM key = 0;
    WString text;
    bool shift = false;
    bool control = false;
    bool alt = false;
};
CKeyStroke Key(WPARAM key);
CKeyStroke ShiftKey(WPARAM key);
CKeyStroke ControlKey(WPARAM key);
CKeyStroke Typed(const WString& text); // one stroke that types the whole text
void Press(const std::vector<CKeyStroke>& strokes);

// The width of `text` in the edit's default font.
int DefaultFontWidth(const WString& text);
// The line height of the default font.
int DefaultFontHeight();

class CEditFixture {
public:
    static constexpr int kEditId = 1201;
    static constexpr RECT kEditRect{10, 10, 210, 34}; // in the top-level window

    explicit CEditFixture(DWORD style, const WString& text = L"", Handler parentHandler = nullptr,
                          RECT editRect = kEditRect);
    ~CEditFixture();
    CEditFixture(const CEditFixture&) = delete;
    CEditFixture& operator=(const CEditFixture&) = delete;

    HWND Top() const { return m_top; }
    HWND Edit() const { return m_edit; }
    WString Text() const { return GetWindowText(m_edit); }
    std::pair<DWORD, DWORD> Selection() const;
    // Focuses the edit and dispatches everything queued.
    void Focus();
    // The EN_ codes the parent received from the edit, in order; Clear forgets them.
    std::vector<WORD> Notifications();
    void ClearNotifications() { m_log.Clear(); }
    CMessageLog& Log() { return m_log; }
    // A point of the edit's client area on the screen.
    POINT ScreenPoint(int x, int y) const;
    // Client x of the caret position `pos` in a single-line edit with default font, margins
    // and no scrolling.
    int CaretX(size_t pos) const;
    // The client row where a single-line edit's text starts.
    int TextTop() const;

private:
    CMessageLog m_log;
    HWND m_top = nullptr;
    HWND m_edit = nullptr;
};

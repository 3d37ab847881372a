// One edit window's behaviour: its messages, editing commands, clipboard, caret blinking and
// notifications (EditControl.cpp, EditCommands.cpp). The window procedure of the "Edit" class
// (Edit.cpp) owns one per window.
#pragma once

#include "platform/base/Messages.h"
#include "platform/controls/EditText.h"
#include "platform/controls/EditView.h"

#include <optional>
#include <string_view>

class CEditControl {
public:
    CEditControl(HWND hwnd, const CREATESTRUCT& create);

    LRESULT Handle(UINT msg, WPARAM wParam, LPARAM lParam);

private:
    DWORD Style() const;
    bool ReadOnly() const;
    bool Focused() const;
    bool HidesPassword() const { return !m_multiLine && m_passwordChar != 0; }

    // Caret movement and selection.
    void MoveCaret(size_t pos, bool extend);
    void MoveByLines(int delta, bool extend);
    void CaretMoved();
    void OnKeyDown(WPARAM key);
    void OnChar(wchar_t c);
    void OnButtonDown(POINT point, bool extend);
    void OnDrag(POINT point);
    void DragScrollStep();

    // Kinds of change by the user. Characters typed one after another, and characters deleted
    // one after another, make one undo step until the caret is moved.
    enum class CChange { Typing, Deleting, Other };

    // Editing by the user; each change ends with EN_UPDATE and EN_CHANGE.
    void Insert(std::wstring_view text, bool typed);
    // How many characters of `text` may replace the selection: within the length limit and,
    // without ES_AUTOHSCROLL, within the width of a single-line edit.
    size_t RoomFor(std::wstring_view text) const;
    // Delete and Backspace: the selection, or without one the range from `from` to `to`.
    void DeleteByKey(size_t from, size_t to);
    void DeleteRange(size_t from, size_t to, CChange kind);
    // Replaces the range with `text`, leaving the caret after it.
    void ReplaceByUser(size_t from, size_t to, std::wstring_view text, CChange kind);
    // Takes the last step back; undoing again takes the undo back.
    bool Undo();
    bool Copy();
    void Cut();
    void Paste();

    void SetText(std::wstring_view text);
    void Paint();
    void Invalidate();
    // Sends a notification to the parent; answers false when the window was destroyed
    // meanwhile, after which nothing of this object may be touched.
    bool Notify(WORD code);

    const HWND m_hwnd;
    const bool m_multiLine;
    CEditText m_text;
    CEditView m_view;
    HFONT m_font;
    size_t m_limit;
    wchar_t m_passwordChar;
    bool m_modified = false;
    bool m_dragging = false;
    POINT m_dragPoint; // where the pointer was last seen while dragging
    bool m_caretOn = false;

    struct CUndoStep {
        WString text;
        size_t anchor = 0;
        size_t caret = 0;
    };
    std::optional<CUndoStep> m_undo;     // the state before the last step
    std::optional<CChange> m_lastChange; // the change the next one of its kind joins
    std::optional<int> m_column;         // where Up and Down aim, as a line offset in pixels
};

// The skinned message box: a dialog built from layout 105 (plain text), 106 (markup) or another
// layout of the same element ids, with a button set and an icon chosen by message-box flags, an
// optional "do not show again" check box, and a result that is the id of the button clicked.
// It sizes itself to its message and caption. With `modal` off the same class serves as a
// non-modal popup that its owner loads, creates, fills and shows itself; ending it then only
// hides it.
//
// Element ids of the layouts: 60001 close button, 60004 title text, 60005 icon, 60006 plain
// text, 60007 check box, 60008 button group, 60016 markup panel.
#pragma once

#include "bkwin/BkDialogImpl.h"
#include "bkwin/BkRoundRectFrame.h"

#include <cstdint>
#include <vector>

class CBkSafeMsgBox : public CBkDialogImpl<CBkSafeMsgBox>,
                      public CWHRoundRectFrameHelper<CBkSafeMsgBox> {
public:
    struct CButton {
        WString caption;
        std::int32_t id = 0;
        int width = 0;
    };

    CBkSafeMsgBox();

    // Shows `text` in layout `boxLayoutId` and runs the box modally. -1 when the layout does not
    // load; otherwise the id of the button that ended the box (0 when the window could not be
    // created). With `checkState`, the check box is shown and its last state (0 or 1) written
    // there after the box has closed.
    std::int32_t ShowMsgBox(const WString& text, const WString* caption, UINT flags,
                            int* checkState, HWND owner);
    // Shows rich markup (elements of the layout grammar) in a message area of the given size in
    // layout 106; runs modally only when `modal` is on (the result is 0 otherwise). -1 when
    // `messageRect` is null, the layout does not load or the markup is refused (not well-formed,
    // or nested too deeply).
    std::int32_t ShowMarkupMsgBox(const WString& markup, const RECT* messageRect,
                                  const WString* caption, UINT flags, int* checkState, HWND owner);
    // Shows each non-empty line of the text ("\n" ends a line) 18 pixels below the previous one
    // (one line alone 10 pixels down) through ShowMarkupMsgBox; the lines show as written, markup
    // characters included. -1 when there is no line.
    std::int32_t ShowLinesMsgBox(const WString& text, UINT flags, int* checkState, HWND owner);

    // Appends a footer button; width 0 measures the caption in the "normalbtn" style (at least
    // 80). A Show call replaces the buttons by the standard ones of its flags, unless flag bit
    // 31 is set: then the buttons added are the footer.
    void AddButton(const WString& caption, std::int32_t id, int width);
    // Ends the modal run with the id; a box whose `modal` is off is hidden instead (it stays
    // created and can be shown again).
    void EndMsgBox(std::int32_t id);

    bool ProcessWindowMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);

    const std::vector<CButton>& Buttons() const { return m_buttons; }
    int CheckState() const { return m_checkState; }

    // The layout ShowMsgBox loads (the about box uses 510).
    std::int32_t boxLayoutId = 105;
    // Whether ShowMarkupMsgBox runs a modal loop; off for the boxes an owner shows itself.
    bool modal = true;

private:
    // Loads the layout resource and resets what the last showing left. False when it does not
    // load.
    bool LoadBoxLayout(std::int32_t layout);
    void SetCaption(const WString* caption);
    // Builds the footer's buttons and the icon from the flags, and shows or hides the check
    // box.
    void BuildFooter(bool withCheck);
    void AddStandardButtons();
    void SetIcon();
    // The modal run (when `runModal`), then the check state written back.
    std::int32_t Finish(bool runModal, int* checkState, HWND owner);
    // Sizes the window to the caption and the message at the top-left of its work area.
    void FitToMessage(HWND hwnd);
    void OnClick(std::uint32_t itemId, const char* tag);

    bool m_useMessageRect = false;
    RECT m_messageRect;
    WString m_text;
    WString m_caption;
    UINT m_flags = 0;
    bool m_showCheck = false;
    int m_checkState = 0;
    std::vector<CButton> m_buttons;
};

// The class of the boxes an owner keeps as members (its non-modal popups) and of MsgBoxLines.
class CBkSafeMsgBox2 : public CBkSafeMsgBox {};

// A temporary box's ShowMsgBox.
std::int32_t MsgBox(const WString& text, const WString* caption = nullptr, UINT flags = 0,
                    int* checkState = nullptr, HWND owner = nullptr);
// A temporary box's ShowLinesMsgBox.
std::int32_t MsgBoxLines(const WString& text, UINT flags = 0, int* checkState = nullptr,
                         HWND owner = nullptr);

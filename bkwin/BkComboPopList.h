// The pop-up list of the combo box: a top-level window with rounded corners that shows the
// items in bands of the item height, highlights the current one, follows the mouse and the
// wheel, and tells the combo which item was chosen (WM_BK_COMBO_SELECT). A press outside the
// list, the right button, Esc or losing the focus closes it without a choice; Up and Down move
// the highlight and Enter chooses it.
#pragma once

#include "platform/base/Messages.h"

#include <cstdint>
#include <vector>

class KComboBoxPopList {
public:
    static constexpr const wchar_t* kWindowClass = L"POPUP_LIST_WND";
    static constexpr COLORREF kFrameColour = 0xFFE485;
    // The item bands start at y = 0, but the mouse counts from y = 5.
    static constexpr int kHitOffset = 5;
    static constexpr int kFontHeight = 16;

    KComboBoxPopList() = default;
    ~KComboBoxPopList();
    KComboBoxPopList(const KComboBoxPopList&) = delete;
    KComboBoxPopList& operator=(const KComboBoxPopList&) = delete;

    // The combo element (registry handle) that receives the choice.
    void SetOwner(std::uint32_t comboHandle) { m_owner = comboHandle; }
    void SetHighlightColour(COLORREF colour) { m_highlight = colour; }
    void SetItemHeight(int height) { m_itemHeight = height; }
    int ItemHeight() const { return m_itemHeight; }

    // Destroys the window and makes it again, hidden and owned by `ownerWindow`, with the
    // texts. False when the window cannot be made.
    bool Create(HWND ownerWindow, std::vector<WString> texts);
    void Destroy();
    HWND Window() const { return m_hwnd; }
    bool IsOpen() const;

    // Shows the list over the screen rectangle with `current` highlighted and takes the focus
    // and the mouse.
    void Open(const RECT& screenRect, int current);
    // Hides the list and gives the mouse and the focus back.
    void Hide();

    int Current() const { return m_current; }
    // Highlights the item and repaints.
    void SetCurrent(int index);
    // The item under the client y coordinate, or -1.
    int ItemAt(int y) const;

private:
    static LRESULT WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT msg, WPARAM wParam, LPARAM lParam);
    void OnButtonDown(POINT point);
    void OnKey(WPARAM key);
    // Hides the list and, for an item, tells the owner combo.
    void Choose(int index);
    void Paint();

    std::vector<WString> m_texts;
    HWND m_hwnd = nullptr;
    HWND m_previousFocus = nullptr;
    COLORREF m_highlight = 0xD2F8DA;
    int m_current = -1;
    int m_itemHeight = 23;
    std::uint32_t m_owner = 0;
};

// The "combo" element: a drop-down selector drawn by the element itself, with a text part and
// a button part, an item list chosen from a pop-up list or stepped through with the wheel. In
// its editable mode a real edit window shows and edits the text; with the tracking tooltip
// mode a tooltip follows the mouse over it.
#pragma once

#include "bkwin/BkComboPopList.h"
#include "bkwin/BkEditFrame.h"
#include "bkwin/BkEditWindow.h"
#include "bkwin/BkTrackTooltip.h"
#include "bkwin/BkWindow.h"

#include <cstdint>
#include <vector>

// Mode flags (SetComboFlags).
constexpr std::int32_t COMBO_EDITABLE = 0x1;
constexpr std::int32_t COMBO_TRACK_TOOLTIP = 0x2;
constexpr std::int32_t COMBO_SEPARATOR = 0x4;
constexpr std::int32_t COMBO_READONLY = 0x8;

class CbkCombo : public CBkWindow, public IBkEditWindowOwner {
public:
    static constexpr const char* kTag = "combo";
    static constexpr const wchar_t* kWindowClass = L"BkCombo";
    static constexpr COLORREF kArrowColour = 0xD1A04E;
    static constexpr COLORREF kHighlightColour = 0xFFF5E9;

    CbkCombo();
    // Destroys the real window and the pop-up windows with the element.
    ~CbkCombo() override;
    const char* TagName() const override { return kTag; }

    // Fails for any tag but "combo". The pop-up items are as high as the four-item pos is
    // (its fourth number less its second, as written).
    bool LoadXml(const TiXmlElement& element) override;
    // The base attributes, then defaultfont and password.
    HRESULT ApplyAttribute(std::string_view name, std::string_view value, bool loading) override;
    // The I-beam while the mouse is over the text part, else the arrow.
    void ApplyCursor() override;
    bool RepaintsOnStateChange() override { return true; }
    bool HandleMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void ShowRealWindows(bool show) override;

    void BeforeEditMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;
    void EditWindowChanged(HWND hwnd) override { m_window = hwnd; }

    // Adds the text unless an item has it already (letter case aside) and remakes the list.
    void AddString(const WString& itemText);
    // Stores the index; an index naming an item shows its text.
    void SetCurSel(std::int32_t index);
    std::int32_t GetCurSel() const { return m_current; }
    void SetComboFlags(std::int32_t flags) { m_mode = flags; }

    HWND RealWindow() const { return m_window; }
    const KComboBoxPopList& PopList() const { return m_popup; }
    const KTrackTooltip& Tooltip() const { return m_tooltip; }
    // The text of the tracking tooltip.
    WString tooltipText;

private:
    struct Item {
        WString key;
        WString text;
    };

    bool Editable() const { return (m_mode & COMBO_EDITABLE) != 0; }
    // The element's rectangle less the button part on the right.
    RECT TextPart() const;
    void CreateRealWindow();
    void OnPositionChanged(const WINDOWPOS* pos);
    void OnMouseMove(POINT point);
    void OnMouseLeave();
    void OnButtonDown(POINT point);
    // Moves to the next (negative delta) or previous item, within the list.
    void OnWheel(WPARAM wParam);
    void OnChosen(std::int32_t index, const wchar_t* chosen);
    // Shows the tooltip above the element.
    void ShowTooltip();
    // Opens the list below the combo, from `left` and `width` in client coordinates.
    void OpenList(LONG left, LONG width);
    void Paint(HDC dc);

    CBkEditFrame m_frame;
    WORD m_fontCode = 0;
    HWND m_window = nullptr;
    std::int32_t m_password = 0;
    bool m_hover = false;
    bool m_overButton = false;
    KComboBoxPopList m_popup;
    std::vector<Item> m_items;
    std::int32_t m_current = 0;
    KTrackTooltip m_tooltip;
    std::int32_t m_mode = COMBO_SEPARATOR;
};

// The "edit" element: a skinned frame with a real edit window inside it. The element's text
// and the window's text are kept equal both ways, so the host's text operations read and write
// what the user typed.
#pragma once

#include "bkwin/BkEditFrame.h"
#include "bkwin/BkEditWindow.h"
#include "bkwin/BkWindow.h"

#include <cstdint>

class CBkEdit : public CBkWindow, public IBkEditWindowOwner {
public:
    static constexpr const char* kTag = "edit";
    static constexpr const wchar_t* kWindowClass = L"BkEdit";

    // Destroys the real window with the element, so a reloaded layout leaves none behind.
    ~CBkEdit() override;
    const char* TagName() const override { return kTag; }

    // The base attributes, then defaultfont, password, readonly, number, multiline, maxchar.
    // They take effect when the window is created.
    HRESULT ApplyAttribute(std::string_view name, std::string_view value, bool loading) override;
    // Sets the element's text and the window's.
    int SetText(const WString& newText) override;
    // The I-beam while the mouse is over the box, else the arrow.
    void ApplyCursor() override;
    bool RepaintsOnStateChange() override { return true; }
    bool HandleMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void ShowRealWindows(bool show) override;

    void BeforeEditMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;
    void EditWindowChanged(HWND hwnd) override { m_window = hwnd; }

    // The real edit window; null before the first layout or showing, and without a host.
    HWND RealWindow() const { return m_window; }
    bool IsHovered() const { return m_hover; }

private:
    // The window's rectangle: the element's less the 2-pixel frame.
    RECT WindowRect() const;
    void CreateRealWindow();
    void OnPositionChanged(const WINDOWPOS* pos);
    void OnShow(bool show);
    void OnButtonDown(POINT point);
    void SetHover(bool hover);
    void Paint(HDC dc);

    CBkEditFrame m_frame;
    WORD m_fontCode = 0;
    HWND m_window = nullptr;
    std::int32_t m_password = 0;
    wchar_t m_passwordChar = L'*';
    bool m_hover = false;
    std::int32_t m_readOnly = 0;
    bool m_number = false;
    bool m_multiLine = false;
    std::int32_t m_maxChar = 0;
};

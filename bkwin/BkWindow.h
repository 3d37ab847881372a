// The element base: a light-weight object with a rectangle, a style, a text and a state,
// kept in a tree and painted by its host window. Elements are used on the UI thread only.
#pragma once

#include <cstdint>
#include <string>

#include "bkwin/BkObject.h"
#include "bkwin/BkPosition.h"
#include "bkwin/BkStates.h"
#include "bkwin/BkStyle.h"
#include "platform/base/Messages.h"
#include "platform/draw/GdiRegion.h"

// Sizing flags of `posFlags`.
constexpr std::uint32_t POS_WIDTH_FIXED = 0x1;
constexpr std::uint32_t POS_WIDTH_MEASURED = 0x2;
constexpr std::uint32_t POS_WIDTH_FULL = 0x4;
constexpr std::uint32_t POS_HEIGHT_FIXED = 0x10;
constexpr std::uint32_t POS_HEIGHT_MEASURED = 0x20;
constexpr std::uint32_t POS_HEIGHT_FULL = 0x40;
constexpr std::uint32_t POS_IN_FLOW = 0x100;
constexpr std::uint32_t POS_FLOATING = 0x200;

constexpr int VALIGN_TOP = 0;
constexpr int VALIGN_MIDDLE = 0x1000;
constexpr int VALIGN_BOTTOM = 0x2000;
constexpr int HALIGN_LEFT = 0;
constexpr int HALIGN_CENTER = 0x4000;
constexpr int HALIGN_RIGHT = 0x8000;

class CBkWindow : public CBkObject {
public:
    CBkWindow();
    ~CBkWindow() override;
    CBkWindow(const CBkWindow&) = delete;
    CBkWindow& operator=(const CBkWindow&) = delete;

    // Reads the text (string references resolved), the attributes, "show" and, without a
    // usable "pos", "width", "height" and "float"; measures what is measured.
    bool LoadXml(const TiXmlElement& element) override;
    // class, id, crbg, crtext, font, href, tip, valign, align, pos, transparent.
    HRESULT ApplyAttribute(std::string_view name, std::string_view value, bool loading) override;

    // Stores the text; a measured element without four-item "pos" measures itself again.
    virtual int SetText(const WString& newText);
    // Sets the mouse cursor to the style's cursor.
    virtual void ApplyCursor();
    virtual void SetHostWindow(HWND host);
    // This element's handle when (x, y) is inside `rect`, else 0. `deep` is passed on by
    // containers to their children.
    virtual std::uint32_t HitTest(int x, int y, bool deep);
    virtual bool RepaintsOnStateChange();
    virtual bool IsContainer() const { return false; }
    // Paints the background and sends WM_PAINT; false, painting nothing, when `region` is
    // given and `rect` does not meet it.
    virtual bool PaintRegion(HDC dc, HRGN region);
    // Answers whether the message was handled; `result` receives the answer.
    virtual bool HandleMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // Shows (true) or hides the real platform windows this element owns; containers walk their
    // children. Elements without a real window do nothing.
    virtual void ShowRealWindows(bool show);

    // The parent element, or null for a root or when the parent was destroyed.
    CBkWindow* Parent() const;
    // Visible (deep): neither this element nor an ancestor is hidden.
    bool IsVisibleDeep() const;
    // Disabled (deep): this element or an ancestor is disabled.
    bool IsDisabledDeep() const;
    // Adds and removes state bits; repaints when the look depends on the state.
    void ModifyState(int add, int remove);
    // Asks the host to repaint `area` (visible elements with a host window only).
    void NotifyInvalidateRect(const RECT& area);

    std::uint32_t handle = 0;
    std::uint32_t parentHandle = 0;
    HWND hostWindow = nullptr;
    std::int32_t id = 0;
    RECT rect;
    std::uint32_t posFlags = 0;
    BkStyle style;
    WString text;
    std::int32_t fixedWidth = 0;
    std::int32_t fixedHeight = 0;
    std::uint32_t state = 0;
    int vAlign = VALIGN_TOP;
    int hAlign = HALIGN_LEFT;
    WString href;
    std::int32_t transparent = 0;
    WString tip;
    int posCount = 0;
    BkPosItems posItems{};

protected:
    // Measures into `size`: with `sizeGiven` it holds the available size, else it starts as
    // 0 x 0.
    void Measure(SIZE& size, bool sizeGiven);
    void Place(const WINDOWPOS& pos);
    // Selects this element's text look into `dc`: background mode and colour, font and text
    // colour (by the disabled and hover states), each only when set. The caller saves and
    // restores the context, so children painted meanwhile inherit the look.
    void SelectTextLook(HDC dc) const;

private:
    void ApplyPos(std::string_view value, bool loading);
    // Measures without a given size and moves the measured edges.
    void MeasureAndSetEdges();
    HFONT MeasuringFont() const;
    void PaintBackground(HDC dc) const;
    void DrawOwnText(HDC dc) const;
};

// Sends a message to an element and answers its result (0 when unhandled).
LRESULT SendElementMessage(CBkWindow* element, UINT msg, WPARAM wParam, LPARAM lParam);

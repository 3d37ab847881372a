// The view of a skinned dialog: a child window of the dialog window that owns the three root
// elements header, body and footer, renders them through a back buffer, tracks the mouse and
// reports clicks on elements to the dialog window.
#pragma once

#include "bkwin/BkDialog.h"
#include "bkwin/BkLayer.h"
#include "platform/Messages.h"
#include "platform/draw/Bitmap.h"
#include "platform/draw/GdiRegion.h"

#include <string>
#include <string_view>

class CBkDialogView {
public:
    CBkDialogView() = default;
    ~CBkDialogView();
    CBkDialogView(const CBkDialogView&) = delete;
    CBkDialogView& operator=(const CBkDialogView&) = delete;

    // Replaces the sections by those of the layer (UTF-8 XML). False, leaving no section, when
    // the text does not parse or its root is not "layer".
    bool LoadLayer(const std::string& xml);

    // Creates the view window inside `dialog` at (0, 0) with the given size, hosts the
    // sections in it and adds the tooltip. Null on failure.
    HWND Create(HWND dialog, SIZE size);
    HWND Window() const { return m_hwnd; }

    // Shows or hides the real windows of the loaded sections.
    void ShowRealWindows(bool show);

    // Keyboard navigation among real child windows; true when the message was taken.
    bool PreTranslateMessage(MSG& msg);

    // Element operations by id; unknown ids answer false (or empty text) and change nothing.
    CBkWindow* FindElement(std::int32_t id);
    bool SetElementText(std::int32_t id, const WString& text);
    WString GetElementText(std::int32_t id);
    bool SetElementAttribute(std::int32_t id, std::string_view name, std::string_view value);
    bool ShowElement(std::int32_t id, bool show);
    bool CheckElement(std::int32_t id, bool checked);
    bool IsElementChecked(std::int32_t id);
    // Replaces the children of a "dlg", "div", "tab" or "dlgfile" element by the top-level
    // elements of the XML text.
    bool LoadElementChildren(std::int32_t id, const std::string& xml);

    // Adds the rectangle to the area rendered at the next paint.
    void InvalidateArea(const RECT& area);
    // The next paint renders everything.
    void InvalidateAll();

    CBkDialog header;
    CBkDialog body;
    CBkDialog footer;
    BkLayerAttributes layer;
    bool hasHeader = false;
    bool hasBody = false;
    bool hasFooter = false;
    bool layerLoaded = false;
    // The bitmap the sections are rendered into, of the view's client size.
    CGdiHandle<HBITMAP> backBuffer;
    std::uint32_t hoverHandle = 0;
    std::uint32_t pushedHandle = 0;

private:
    static LRESULT WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    HWND Dialog() const;

    void OnSize(int width, int height);
    void LayoutSections(const RECT& client);
    void RenderAndCopy(HDC target);
    void OnMouseMove(WPARAM wParam, LPARAM lParam);
    void OnMouseLeave();
    void OnLeftButtonDown(WPARAM wParam, LPARAM lParam);
    void OnLeftButtonUp(WPARAM wParam, LPARAM lParam);
    void OnLeftButtonDoubleClick(LPARAM lParam);
    LRESULT OnSetCursor(WPARAM wParam, LPARAM lParam);
    LRESULT OnNotify(WPARAM wParam, LPARAM lParam);
    // Colour, list-key and child creation messages go back to the control that sent them.
    bool ReflectToSender(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);

    // The element under (x, y): the header's, else the body's, else the footer's.
    CBkWindow* ElementAt(int x, int y);
    // The header's element under (x, y) when it is the header's background or anything but a
    // button-like element there (which drags the window instead of being pressed).
    CBkWindow* HeaderDragAreaAt(int x, int y);
    void NotifyParent(UINT code);
    LRESULT NotifyClick(std::uint32_t itemId, const char* tag);
    void SetTip(const WString& tip);
    // Repaints the element's rectangle; with `visibleOnly`, only when it is visible.
    void RepaintElement(const CBkWindow& element, bool visibleOnly);

    HWND m_hwnd = nullptr;
    HWND m_tooltip = nullptr;
    bool m_trackingMouse = false;
    bool m_capturing = false;
    bool m_needsRender = false;
    bool m_fullRepaint = true;
    CGdiHandle<HRGN> m_invalidRegion;
    SIZE m_size;
};

// The view of a skinned dialog: a child window of the dialog window that owns the three root
// elements header, body and footer, renders them through a back buffer, tracks the mouse and
// reports clicks on elements to the dialog window.
#pragma once

#include "bkwin/BkDialog.h"
#include "bkwin/BkLayer.h"
#include "platform/base/Messages.h"
#include "platform/draw/Bitmap.h"
#include "platform/draw/GdiRegion.h"

#include <array>
#include <string>
#include <string_view>

// The root elements of a layer, in the order they are hit and painted.
enum class BkSection { Header, Body, Footer };

class CBkDialogView {
public:
    CBkDialogView();
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
    // Selects page `index` of the "tabctrl" element (which announces the change first); false
    // when the element is no tab control or the change does not happen.
    bool SelectTab(std::int32_t tabCtrlId, int index);
    // Replaces the children of a container element by the top-level elements of the XML text.
    // False when the new children would sit more than kMaxXmlDepth levels below their section.
    bool LoadElementChildren(std::int32_t id, const std::string& xml);
    // Replaces the markup of a "richtext" element by the fragment (several top-level nodes are
    // allowed: the element's own tag encloses them). False, keeping the old markup, for an id
    // that names no rich text, a fragment that is not well-formed or one nested deeper than
    // kMaxXmlDepth.
    bool SetElementRichText(std::int32_t id, std::string_view markup);
    bool SetElementRichText(std::int32_t id, const WString& markup);

    // Adds the rectangle to the area rendered at the next paint.
    void InvalidateArea(const RECT& area);
    // The next paint renders everything.
    void InvalidateAll();

    // The attributes of the last layer loaded (the defaults after a failed load).
    const BkLayerAttributes& Layer() const { return m_layer; }
    bool IsLayerLoaded() const { return m_layerLoaded; }
    // Whether the loaded layer has the section. Its element exists either way.
    bool HasSection(BkSection which) const { return m_sections[std::size_t(which)].loaded; }
    CBkDialog& Section(BkSection which) { return Slot(which).element; }
    // The handles of the element under the mouse and of the one pressed; 0 for none.
    std::uint32_t HoverHandle() const { return m_hoverHandle; }
    std::uint32_t PushedHandle() const { return m_pushedHandle; }

private:
    struct SectionSlot {
        SectionSlot(const char* tag, const char* posFormat) : tag(tag), posFormat(posFormat) {}

        const char* tag;       // the layer's child element that loads the section
        const char* posFormat; // the section's "pos", given that child's "height"
        CBkDialog element;
        bool loaded = false;
    };
    enum class Sections { All, Loaded };

    // Calls `visit` with the sections (all, or the loaded ones) in hit order. A visit that
    // answers an element ends the walk, which then answers that element; otherwise null.
    template <class Visit> CBkWindow* WalkSections(Sections which, Visit visit);
    SectionSlot& Slot(BkSection which) { return m_sections[std::size_t(which)]; }
    // Destroys the elements of every section and marks them not loaded.
    void DestroySections();
    // Finds the element, repaints it, applies `change` and repaints it where it is then; with
    // `visibleOnly`, repaints only while it is visible. False for an unknown id.
    template <class Change> bool ChangeElement(std::int32_t id, bool visibleOnly, Change change);

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
    // WM_DRAWITEM, WM_MEASUREITEM, WM_COMPAREITEM and WM_DELETEITEM go back to the control
    // their record names.
    bool ReflectOwnerDraw(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
    void ReflectCommand(WPARAM wParam, LPARAM lParam);
    // The wheel goes to the element under the mouse.
    void OnMouseWheel(WPARAM wParam, LPARAM lParam);
    void OnCaptureChanged(HWND newHolder);

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

    std::array<SectionSlot, 3> m_sections; // by BkSection
    BkLayerAttributes m_layer;
    bool m_layerLoaded = false;
    // The bitmap the sections are rendered into, of the view's client size.
    CGdiHandle<HBITMAP> m_backBuffer;
    std::uint32_t m_hoverHandle = 0;
    std::uint32_t m_pushedHandle = 0;
    HWND m_hwnd = nullptr;
    HWND m_tooltip = nullptr;
    bool m_trackingMouse = false;
    bool m_capturing = false;
    bool m_needsRender = false;
    bool m_fullRepaint = true;
    CGdiHandle<HRGN> m_invalidRegion;
    SIZE m_size;
};

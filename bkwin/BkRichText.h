// The "richtext" element: a short piece of marked-up text in bold, italic and underlined
// variants of one base font, in colours, with forced line breaks, wrapping between any two
// characters and clickable links. The markup is the element's XML children, or a fragment set
// at run time (CBkDialogView::SetElementRichText).
//
// Markup tags, compared without regard to case: b, i, u (font code bits 4, 1, 2), c (colour
// "color", RRGGBB), br (next line), a (a link with the number "id"); other tags show their
// children unchanged.
#pragma once

#include "bkwin/BkWindow.h"

#include <tinyxml.h>

#include <vector>

class CBkRichText : public CBkWindow {
public:
    static constexpr const char* kTag = "richtext";
    const char* TagName() const override { return kTag; }

    struct CLink {
        WString text;
        std::int32_t id = 0;
        RECT rect; // view client coordinates, from the first paint after the last change
    };

    // Loads as the base does; the element's own children become the markup.
    bool LoadXml(const TiXmlElement& element) override;
    // The base attributes, then "defaultfont" (hexadecimal font code) and "linkclass" (the
    // style class of the links).
    HRESULT ApplyAttribute(std::string_view name, std::string_view value, bool loading) override;
    // The hand over a link, else the arrow.
    void ApplyCursor() override;
    bool HandleMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

    // Replaces the markup by a copy of the element's children. The links are laid out again
    // by the next paint; until then none can be hovered or clicked.
    void LoadRichText(const TiXmlElement& markup);

    const std::vector<CLink>& Links() const { return m_links; }

private:
    class CRenderer;

    // Forgets the links and the hovered and pressed one: the next paint lays them out again.
    void ForgetLayout();
    void Paint(HDC dc);
    void DrawLinks(HDC dc);
    void OnMouseMove(POINT point);
    void OnMouseLeave();
    void OnLeftButtonUp();
    void InvalidateLink(int index);
    // Sends the click notification of the link to the dialog window, as the view sends those of
    // elements.
    void NotifyLinkClick(const CLink& link);

    TiXmlElement m_markup{""};
    WORD m_baseFont = 0;
    BkStyle m_linkStyle;
    bool m_laidOut = false;
    // Indexes into m_links; -1 for none.
    int m_hoverLink = -1;
    int m_pressedLink = -1;
    std::vector<CLink> m_links;
};

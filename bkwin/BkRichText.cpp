#include "bkwin/BkRichText.h"

#include "bkwin/BkElementNotify.h"
#include "bkwin/BkFontPool.h"
#include "bkwin/BkStylePool.h"
#include "bkwin/BkValueParsers.h"
#include "platform/base/Utf8.h"
#include "platform/core/Input.h"
#include "platform/core/MessageLoop.h"
#include "platform/core/Window.h"
#include "platform/draw/DeviceContext.h"
#include "platform/draw/Text.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr WORD kItalic = 1;
constexpr WORD kUnderline = 2;
constexpr WORD kBold = 4;

bool TagIs(const TiXmlElement& element, std::string_view tag) {
    const std::string& name = element.ValueStr();
    return std::equal(name.begin(), name.end(), tag.begin(), tag.end(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == b;
    });
}

// Answers the font selected before, null when the code gives no font (nothing changes then).
HFONT SelectFontCode(HDC dc, WORD code) {
    HFONT font = BkFontPool::Instance().GetFont(code);
    return font ? SelectObject(dc, font) : nullptr;
}

} // namespace

// Walks the markup once per paint: draws the text runs at a moving pen, wrapping them at the
// right edge of the text area, and on the first paint after a change lays out the links.
class CBkRichText::CRenderer {
public:
    CRenderer(CBkRichText& owner, HDC dc)
        : m_owner(owner), m_dc(dc), m_left(owner.rect.left + owner.style.xMargin),
          m_limit(owner.rect.right - owner.style.xMargin),
          m_pen{m_left, owner.rect.top + owner.style.yMargin} {}

    void Render(const TiXmlElement& element, WORD font) {
        WORD inner = font;
        bool colourChanged = false;
        COLORREF previousColour = 0;
        if (TagIs(element, "br")) {
            NewLine();
        } else if (TagIs(element, "b")) {
            inner = font | kBold;
        } else if (TagIs(element, "i")) {
            inner = font | kItalic;
        } else if (TagIs(element, "u")) {
            inner = font | kUnderline;
        } else if (TagIs(element, "c")) {
            // Without a colour the text keeps the colour it has.
            if (const char* colour = element.Attribute("color")) {
                previousColour = SetTextColor(m_dc, ParseColour(colour));
                if (previousColour == CLR_INVALID) {
                    previousColour = RGB(0, 0, 0);
                }
                colourChanged = true;
            }
        } else if (TagIs(element, "a") && !m_owner.m_laidOut) {
            AddLink(element);
            return;
        }
        // Once laid out, a link's own text only moves the pen: DrawLinks draws it.
        const bool measureOnly = TagIs(element, "a");

        SelectFontCode(m_dc, inner);
        for (const TiXmlNode* child = element.FirstChild(); child; child = child->NextSibling()) {
            if (const TiXmlElement* childElement = child->ToElement()) {
                Render(*childElement, inner);
            } else if (const TiXmlText* text = child->ToText()) {
                RenderText(Utf8ToWide(text->ValueStr()), measureOnly);
            }
        }
        SelectFontCode(m_dc, font);
        if (colourChanged) {
            SetTextColor(m_dc, previousColour);
        }
    }

private:
    void NewLine() {
        m_pen.x = m_left;
        m_pen.y += m_owner.style.lineSpacing;
    }

    bool AtLineStart() const { return m_pen.x == m_left; }

    // Draws as many characters as fit on the line, then goes on at the start of the next line
    // with the rest; no word boundaries are looked for.
    void RenderText(const WString& text, bool measureOnly) {
        std::wstring_view rest = text;
        std::vector<int> extents(rest.size());
        for (;;) {
            const int room = int(m_limit - m_pen.x);
            int fit = 0;
            SIZE size;
            if (room >= 0) {
                GetTextExtentExPoint(m_dc, rest, room, &fit, extents.data(), &size);
            }
            // A line too narrow for one character still takes one, so the run ends.
            if (fit == 0 && !rest.empty() && AtLineStart()) {
                fit = 1;
                GetTextExtentExPoint(m_dc, rest, -1, nullptr, extents.data(), &size);
            }
            if (!measureOnly && fit > 0) {
                TextOut(m_dc, m_pen.x, m_pen.y, rest.substr(0, std::size_t(fit)));
            }
            if (std::size_t(fit) == rest.size()) {
                m_pen.x += fit > 0 ? extents[std::size_t(fit) - 1] : 0;
                break;
            }
            NewLine();
            rest.remove_prefix(std::size_t(fit));
        }
        m_pen.x += m_owner.style.spacing;
    }

    // A link is placed whole: it goes to the next line when it does not fit on this one.
    void AddLink(const TiXmlElement& element) {
        CLink link;
        const char* text = element.GetText();
        link.text = text ? Utf8ToWide(text) : WString();
        SIZE size{0, 0};
        if (!link.text.empty()) {
            HFONT previous = nullptr;
            if (m_owner.m_linkStyle.font) {
                previous = SelectObject(m_dc, m_owner.m_linkStyle.font);
            }
            GetTextExtentPoint32(m_dc, link.text, &size);
            if (previous) {
                SelectObject(m_dc, previous);
            }
        }
        if (m_pen.x + size.cx > m_limit) {
            NewLine();
        }
        link.rect = {m_pen.x, m_pen.y, m_pen.x + size.cx, m_pen.y + size.cy};
        m_pen.x = link.rect.right + m_owner.style.spacing;
        const char* id = element.Attribute("id");
        link.id = id ? ParseInt(id) : 0;
        m_owner.m_links.push_back(std::move(link));
    }

    CBkRichText& m_owner;
    HDC m_dc;
    LONG m_left;
    LONG m_limit;
    POINT m_pen;
};

bool CBkRichText::LoadXml(const TiXmlElement& element) {
    CBkWindow::LoadXml(element);
    LoadRichText(element);
    return true;
}

HRESULT CBkRichText::ApplyAttribute(std::string_view name, std::string_view value, bool loading) {
    if (SUCCEEDED(CBkWindow::ApplyAttribute(name, value, loading))) {
        return S_OK;
    }
    if (name == "defaultfont") {
        m_baseFont = WORD(ParseHex(value));
    } else if (name == "linkclass") {
        m_linkStyle = BkStylePool::Instance().Get(value);
    } else {
        return E_FAIL;
    }
    return S_OK;
}

void CBkRichText::ApplyCursor() {
    SetCursor(LoadCursor(m_hoverLink >= 0 ? IDC_HAND : IDC_ARROW));
}

void CBkRichText::LoadRichText(const TiXmlElement& markup) {
    ForgetLayout();
    m_markup = markup;
}

void CBkRichText::ForgetLayout() {
    m_links.clear();
    m_laidOut = false;
    m_hoverLink = -1;
    m_pressedLink = -1;
}

bool CBkRichText::HandleMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                LRESULT& result) {
    switch (msg) {
    case WM_PAINT:
        result = 0;
        Paint(HDC(wParam));
        return true;
    case WM_WINDOWPOSCHANGED:
        CBkWindow::HandleMessage(hwnd, msg, wParam, lParam, result);
        ForgetLayout();
        return true;
    case WM_MOUSEMOVE:
        result = 0;
        OnMouseMove({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return true;
    case WM_MOUSELEAVE:
        result = 0;
        OnMouseLeave();
        return true;
    case WM_LBUTTONDOWN:
        result = 0;
        m_pressedLink = m_hoverLink;
        return true;
    case WM_LBUTTONUP:
        result = 0;
        OnLeftButtonUp();
        return true;
    default:
        return CBkWindow::HandleMessage(hwnd, msg, wParam, lParam, result);
    }
}

void CBkRichText::Paint(HDC dc) {
    const HFONT previousFont = SelectFontCode(dc, m_baseFont);
    {
        CDcStateSaver saver(dc);
        // Narrowed, not replaced: what lies outside the area being repainted stays as drawn.
        IntersectClipRect(dc, rect.left + style.xMargin, rect.top + style.yMargin,
                          rect.right - style.xMargin, rect.bottom - style.yMargin);
        CRenderer(*this, dc).Render(m_markup, m_baseFont);
        DrawLinks(dc);
    }
    if (previousFont) {
        SelectObject(dc, previousFont);
    }
    m_laidOut = true;
}

void CBkRichText::DrawLinks(HDC dc) {
    const BkStyle& look = m_linkStyle;
    if (look.font) {
        SelectObject(dc, look.font);
    }
    if (IsDisabledDeep()) {
        if (look.crdisabled != CLR_INVALID) {
            SetTextColor(dc, look.crdisabled);
        }
    } else if (look.crtext != CLR_INVALID) {
        SetTextColor(dc, look.crtext);
    }
    for (std::size_t i = 0; i < m_links.size(); ++i) {
        const bool hovered = int(i) == m_hoverLink;
        if (hovered) {
            if (look.font && look.hoverfont) {
                SelectObject(dc, look.hoverfont);
            }
            if (look.crtext != CLR_INVALID && look.crhover != CLR_INVALID) {
                SetTextColor(dc, look.crhover);
            }
        }
        TextOut(dc, m_links[i].rect.left, m_links[i].rect.top, m_links[i].text);
        if (hovered) {
            if (look.font) {
                SelectObject(dc, look.font);
            }
            if (look.crtext != CLR_INVALID) {
                SetTextColor(dc, look.crtext);
            }
        }
    }
}

void CBkRichText::OnMouseMove(POINT point) {
    const auto found = std::find_if(m_links.begin(), m_links.end(), [point](const CLink& link) {
        return link.rect.Contains(point);
    });
    if (found == m_links.end()) {
        OnMouseLeave();
        return;
    }
    const int index = int(found - m_links.begin());
    if (index == m_hoverLink) {
        return;
    }
    InvalidateLink(m_hoverLink);
    m_hoverLink = index;
    InvalidateLink(m_hoverLink);
}

void CBkRichText::OnMouseLeave() {
    InvalidateLink(m_hoverLink);
    m_hoverLink = -1;
}

void CBkRichText::OnLeftButtonUp() {
    const int pressed = std::exchange(m_pressedLink, -1);
    if (pressed >= 0 && pressed == m_hoverLink) {
        NotifyLinkClick(m_links[std::size_t(pressed)]);
    }
}

void CBkRichText::InvalidateLink(int index) {
    if (index >= 0) {
        NotifyInvalidateRect(m_links[std::size_t(index)].rect);
    }
}

void CBkRichText::NotifyLinkClick(const CLink& link) {
    const UINT_PTR viewId = UINT_PTR(GetDlgCtrlID(hostWindow));
    ElementNotify record;
    record.hdr = {hostWindow, viewId, NOTIFY_ELEMENT_CLICK};
    record.itemId = std::uint32_t(link.id);
    record.itemTag = kTag;
    SendMessage(GetParent(hostWindow), WM_NOTIFY, viewId, LPARAM(&record));
}

#include "bkwin/BkWindow.h"

#include "bkwin/BkContainerWnd.h"
#include "bkwin/BkElementRegistry.h"
#include "bkwin/BkFontPool.h"
#include "bkwin/BkInvalidateNotify.h"
#include "bkwin/BkSkinPool.h"
#include "bkwin/BkStylePool.h"
#include "bkwin/BkTextReferences.h"
#include "bkwin/BkValueParsers.h"
#include "platform/base/Utf8.h"
#include "platform/core/Input.h"
#include "platform/core/MessageLoop.h"
#include "platform/core/Window.h"
#include "platform/draw/DeviceContext.h"
#include "platform/draw/DrawText.h"
#include "platform/draw/Text.h"

#include <tinyxml.h>

#include <algorithm>

namespace {

constexpr std::uint32_t kWidthFlags = POS_WIDTH_FIXED | POS_WIDTH_MEASURED | POS_WIDTH_FULL;
constexpr std::uint32_t kHeightFlags = POS_HEIGHT_FIXED | POS_HEIGHT_MEASURED | POS_HEIGHT_FULL;

RECT Deflate(const RECT& r, int dx, int dy) {
    return {r.left + dx, r.top + dy, r.right - dx, r.bottom - dy};
}

// Reads "width" or "height" into the sizing flags: "full", a positive fixed size, or
// measured for anything else (absent included).
std::uint32_t ReadSizeAttribute(const char* value, std::uint32_t fullFlag,
                                std::uint32_t measuredFlag, std::uint32_t fixedFlag,
                                std::int32_t& fixed) {
    const std::string_view text = value ? value : "";
    if (text == "full") {
        return fullFlag;
    }
    const std::int32_t size = ParseInt(text);
    if (size <= 0) {
        return measuredFlag;
    }
    fixed = size;
    return fixedFlag;
}

} // namespace

CBkWindow::CBkWindow() : handle(ElementRegistry::Instance().Register(this)) {}

CBkWindow::~CBkWindow() {
    ElementRegistry::Instance().Unregister(handle);
}

bool CBkWindow::LoadXml(const TiXmlElement& element) {
    const TiXmlNode* first = element.FirstChild();
    const TiXmlText* textNode = first ? first->ToText() : nullptr;
    text = textNode ? Utf8ToWide(textNode->Value()) : WString();
    if (!text.empty()) {
        text = ResolveStringReferences(std::move(text));
    }

    posFlags = 0;
    CBkObject::LoadXml(element);

    if (const char* show = element.Attribute("show"); show && *show) {
        state = ParseInt(show) == 0 ? state | STATE_HIDDEN : state & ~STATE_HIDDEN;
    }
    if (posCount == 2 || posCount == 4) {
        return true;
    }

    posFlags |= ReadSizeAttribute(element.Attribute("width"), POS_WIDTH_FULL, POS_WIDTH_MEASURED,
                                  POS_WIDTH_FIXED, fixedWidth);
    if (posFlags & POS_WIDTH_FIXED) {
        rect.right = fixedWidth;
    }
    posFlags |= ReadSizeAttribute(element.Attribute("height"), POS_HEIGHT_FULL, POS_HEIGHT_MEASURED,
                                  POS_HEIGHT_FIXED, fixedHeight);
    if (posFlags & POS_HEIGHT_FIXED) {
        rect.bottom = fixedHeight;
    }
    MeasureAndSetEdges();

    const char* floating = element.Attribute("float");
    posFlags |= floating && ParseInt(floating) != 0 ? POS_FLOATING : POS_IN_FLOW;
    return true;
}

HRESULT CBkWindow::ApplyAttribute(std::string_view name, std::string_view value, bool loading) {
    if (name == "class") {
        style = BkStylePool::Instance().Get(value);
    } else if (name == "id") {
        id = ParseInt(value);
    } else if (name == "crbg") {
        style.crbg = ParseColour(value);
    } else if (name == "crtext") {
        style.crtext = ParseColour(value);
    } else if (name == "font") {
        style.font = BkFontPool::Instance().GetFont(WORD(ParseHex(value)));
    } else if (name == "href") {
        href = Utf8ToWide(value);
    } else if (name == "tip") {
        tip = Utf8ToWide(value);
    } else if (name == "valign") {
        if (value == "top") {
            vAlign = VALIGN_TOP;
        } else if (value == "middle") {
            vAlign = VALIGN_MIDDLE;
        } else if (value == "bottom") {
            vAlign = VALIGN_BOTTOM;
        } else {
            return E_FAIL;
        }
    } else if (name == "align") {
        if (value == "left") {
            hAlign = HALIGN_LEFT;
        } else if (value == "center") {
            hAlign = HALIGN_CENTER;
        } else if (value == "right") {
            hAlign = HALIGN_RIGHT;
        } else {
            return E_FAIL;
        }
    } else if (name == "pos") {
        ApplyPos(value, loading);
    } else if (name == "transparent") {
        transparent = ParseInt(value);
    } else {
        return E_FAIL;
    }
    return S_OK;
}

void CBkWindow::ApplyPos(std::string_view value, bool loading) {
    if (value.empty()) {
        return;
    }
    const BkPosition position = ParsePosition(value);
    posCount = position.count;
    posItems = position.items;
    if (posCount != 0) {
        posFlags =
            (posFlags & ~(kWidthFlags | kHeightFlags)) | POS_WIDTH_MEASURED | POS_HEIGHT_MEASURED;
    }
    if (!loading) {
        if (CBkWindow* parent = Parent(); parent && parent->IsContainer()) {
            static_cast<CBkContainerWnd*>(parent)->LayoutChild(this);
        }
    }
}

int CBkWindow::SetText(const WString& newText) {
    text = newText;
    if (posCount != 4) {
        MeasureAndSetEdges();
    }
    return 0;
}

void CBkWindow::MeasureAndSetEdges() {
    if (!(posFlags & (POS_WIDTH_MEASURED | POS_HEIGHT_MEASURED))) {
        return;
    }
    SIZE size;
    SendElementMessage(this, WM_NCCALCSIZE, 0, LPARAM(&size));
    if (posFlags & POS_WIDTH_MEASURED) {
        rect.right = rect.left + size.cx;
    }
    if (posFlags & POS_HEIGHT_MEASURED) {
        rect.bottom = rect.top + size.cy;
    }
}

void CBkWindow::ApplyCursor() {
    SetCursor(LoadCursor(style.cursor));
}

void CBkWindow::SetHostWindow(HWND host) {
    hostWindow = host;
}

std::uint32_t CBkWindow::HitTest(int x, int y, bool) {
    return rect.Contains({x, y}) ? handle : 0;
}

bool CBkWindow::RepaintsOnStateChange() {
    if (!style.skinName.empty()) {
        const CBkSkinBase* skin = BkSkinPool::Instance().Get(style.skinName);
        if (skin && !skin->IsStateless()) {
            return true;
        }
    }
    return style.crhover != CLR_INVALID || style.hoverfont || style.crbghover != CLR_INVALID;
}

bool CBkWindow::PaintRegion(HDC dc, HRGN region) {
    if (region && !RectInRegion(region, &rect)) {
        return false;
    }
    PaintBackground(dc);
    SendElementMessage(this, WM_PAINT, WPARAM(dc), 0);
    return true;
}

void CBkWindow::PaintBackground(HDC dc) const {
    if (!style.skinName.empty()) {
        if (CBkSkinBase* skin = BkSkinPool::Instance().Get(style.skinName)) {
            skin->Draw(dc, rect, int(state));
        }
        return;
    }
    COLORREF colour = style.crbg;
    if ((state & STATE_HOVER) && style.crbghover != CLR_INVALID) {
        colour = style.crbghover;
    }
    if (colour != CLR_INVALID) {
        const COLORREF previous = SetBkColor(dc, colour);
        ExtTextOut(dc, 0, 0, ETO_OPAQUE, &rect, L"");
        SetBkColor(dc, previous);
    }
}

void CBkWindow::SelectTextLook(HDC dc) const {
    if (!style.skinName.empty()) {
        SetBkMode(dc, TRANSPARENT);
    }
    if (style.crbg != CLR_INVALID) {
        SetBkColor(dc, style.crbg);
    }
    HFONT font = style.font;
    COLORREF colour = style.crtext;
    if (IsDisabledDeep()) {
        if (style.crdisabled != CLR_INVALID) {
            colour = style.crdisabled;
        }
    } else if (state & STATE_HOVER) {
        if (style.hoverfont) {
            font = style.hoverfont;
        }
        if (style.crhover != CLR_INVALID) {
            colour = style.crhover;
        }
    }
    if (font) {
        SelectObject(dc, font);
    }
    if (colour != CLR_INVALID) {
        SetTextColor(dc, colour);
    }
}

void CBkWindow::DrawOwnText(HDC dc) const {
    CDcStateSaver saver(dc);
    SelectTextLook(dc);
    RECT box = Deflate(rect, style.xMargin, style.yMargin);
    DrawText(dc, text, &box, style.textmode);
}

HFONT CBkWindow::MeasuringFont() const {
    const auto nearest = [this](HFONT BkStyle::*which) -> HFONT {
        for (const CBkWindow* e = this; e; e = e->Parent()) {
            if (e->style.*which) {
                return e->style.*which;
            }
        }
        return nullptr;
    };
    if (state & STATE_HOVER) {
        if (HFONT hover = nearest(&BkStyle::hoverfont)) {
            return hover;
        }
    }
    if (HFONT font = nearest(&BkStyle::font)) {
        return font;
    }
    return BkFontPool::Instance().GetFont(0);
}

void CBkWindow::Measure(SIZE& size, bool sizeGiven) {
    if (posCount == 4) {
        const LONG x1 = ResolvePosItem(posItems[0], 0, size.cx);
        const LONG y1 = ResolvePosItem(posItems[1], 0, size.cy);
        const LONG x2 = ResolvePosItem(posItems[2], 0, size.cx);
        const LONG y2 = ResolvePosItem(posItems[3], 0, size.cy);
        size = {x2 - x1, y2 - y1};
        return;
    }
    RECT box = rect;
    if (sizeGiven) {
        box.right = box.left + size.cx;
        box.bottom = box.top + size.cy;
    }
    box = Deflate(box, style.xMargin, style.yMargin);
    if (style.textmode & DT_WORDBREAK) {
        box.bottom = 0x7FFF;
    }
    CMemoryDC dc;
    SelectObject(dc, MeasuringFont());
    DrawText(dc, text, &box, (style.textmode & ~0xFu) | DT_CALCRECT);
    size = {box.Width() + 2 * style.xMargin, box.Height() + 2 * style.yMargin};
}

void CBkWindow::Place(const WINDOWPOS& pos) {
    rect = OffsetRectBy(rect, pos.x - rect.left, pos.y - rect.top);
    // A four-item "pos" gives the size; otherwise the element's own class measures it (skins,
    // icons and glyphs have sizes of their own).
    SIZE size{pos.cx, pos.cy};
    if (posCount == 4) {
        Measure(size, true);
    } else {
        SendElementMessage(this, WM_NCCALCSIZE, 1, LPARAM(&size));
    }
    rect = {pos.x, pos.y, pos.x + size.cx, pos.y + size.cy};
    if (posFlags & POS_WIDTH_FULL) {
        rect.right = std::max(rect.left, LONG(pos.x + pos.cx));
    } else if (posFlags & POS_WIDTH_FIXED) {
        rect.right = rect.left + fixedWidth;
    }
    if (posFlags & POS_HEIGHT_FULL) {
        rect.bottom = std::max(rect.top, LONG(pos.y + pos.cy));
    } else if (posFlags & POS_HEIGHT_FIXED) {
        rect.bottom = rect.top + fixedHeight;
    }
}

bool CBkWindow::HandleMessage(HWND, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    result = 0;
    switch (msg) {
    case WM_CREATE:
        result = 1;
        return true;
    case WM_DESTROY:
        return true;
    case WM_PAINT:
        DrawOwnText(HDC(wParam));
        return true;
    case WM_SHOWWINDOW:
        state = wParam ? state & ~STATE_HIDDEN : state | STATE_HIDDEN;
        return true;
    case WM_WINDOWPOSCHANGED:
        if (lParam) {
            Place(*reinterpret_cast<const WINDOWPOS*>(lParam));
        }
        return true;
    case WM_NCCALCSIZE:
        if (lParam) {
            Measure(*reinterpret_cast<SIZE*>(lParam), wParam == 1);
        }
        return true;
    case WM_MOUSEMOVE:
        return true;
    default:
        return false;
    }
}

void CBkWindow::ShowRealWindows(bool) {}

CBkWindow* CBkWindow::Parent() const {
    return parentHandle ? ElementRegistry::Instance().Lookup(parentHandle) : nullptr;
}

bool CBkWindow::IsVisibleDeep() const {
    for (const CBkWindow* e = this; e; e = e->Parent()) {
        if (e->state & STATE_HIDDEN) {
            return false;
        }
    }
    return true;
}

bool CBkWindow::IsDisabledDeep() const {
    for (const CBkWindow* e = this; e; e = e->Parent()) {
        if (e->state & STATE_DISABLED) {
            return true;
        }
    }
    return false;
}

void CBkWindow::ModifyState(int add, int remove) {
    state = (state | std::uint32_t(add)) & ~std::uint32_t(remove);
    if (RepaintsOnStateChange()) {
        NotifyInvalidateRect(rect);
    }
}

void CBkWindow::NotifyInvalidateRect(const RECT& area) {
    if (!IsVisibleDeep() || !IsWindow(hostWindow)) {
        return;
    }
    BkInvalidateNotify record;
    record.hdr = {nullptr, UINT_PTR(id), NOTIFY_INVALIDATE};
    record.handle = handle;
    record.rect = area;
    SendMessage(hostWindow, WM_NOTIFY, WPARAM(id), LPARAM(&record));
}

LRESULT SendElementMessage(CBkWindow* element, UINT msg, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (element) {
        element->HandleMessage(element->hostWindow, msg, wParam, lParam, result);
    }
    return result;
}

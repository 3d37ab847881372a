#include "bkwin/BkDialogView.h"

#include "bkwin/BkDialogFile.h"
#include "bkwin/BkEdit.h"
#include "bkwin/BkElementNotify.h"
#include "bkwin/BkElementRegistry.h"
#include "bkwin/BkFontPool.h"
#include "bkwin/BkInvalidateNotify.h"
#include "bkwin/BkRealWnd.h"
#include "bkwin/BkRichText.h"
#include "bkwin/BkTabCtrl.h"
#include "bkwin/BkValueParsers.h"
#include "bkwin/BkWinManager.h"
#include "bkwin/BkXmlDepth.h"
#include "platform/base/Utf8.h"
#include "platform/controls/Tooltip.h"
#include "platform/core/DialogMessage.h"
#include "platform/core/Input.h"
#include "platform/core/MessageLoop.h"
#include "platform/core/Paint.h"
#include "platform/core/Window.h"
#include "platform/draw/Gdi.h"
#include "platform/shell/ShellExecute.h"

#include <tinyxml.h>

#include <cstdio>
#include <mutex>
#include <optional>
#include <type_traits>
#include <utility>

namespace {

const WString kViewClass = L"BkDialogView";

bool IsButtonLike(const CBkWindow& element) {
    return element.IsTag("button") || element.IsTag("imgbtn") || element.IsTag("link");
}

// The containers whose children may be replaced by loaded XML: a tab control's children are
// its pages, which only it makes.
bool TakesLoadedChildren(const CBkWindow& element) {
    return element.IsTag(CBkDialog::kTag) || element.IsTag(CBkPanel::kTag) ||
           element.IsTag(CBkTab::kTag) || element.IsTag(CBkDialogFile::kTag);
}

// The real window an element hands the cursor to: a realwnd's hosted window or an edit box's
// edit window; null for other elements and when there is no such window.
HWND RealWindowOf(CBkWindow& element) {
    if (element.IsTag(CBkRealWnd::kTag)) {
        return static_cast<CBkRealWnd&>(element).RealWindow();
    }
    if (element.IsTag(CBkEdit::kTag)) {
        return static_cast<CBkEdit&>(element).RealWindow();
    }
    return nullptr;
}

CBkWindow* LookupElement(std::uint32_t handle) {
    return handle ? ElementRegistry::Instance().Lookup(handle) : nullptr;
}

// Sends the reflected message to the control; false when there is none.
bool Reflect(HWND control, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (!IsWindow(control)) {
        return false;
    }
    result = SendMessage(control, msg + OCM_BASE, wParam, lParam);
    return true;
}

} // namespace

CBkDialogView::CBkDialogView()
    : m_sections{{{"header", "0,0,-0,%d"}, {"body", "0,0,-0,-0"}, {"footer", "0,-%d,-0,-0"}}} {}

CBkDialogView::~CBkDialogView() {
    if (IsWindow(m_hwnd)) {
        SetWindowLongPtr(m_hwnd, GWLP_USERDATA, 0);
        DestroyWindow(m_hwnd);
    }
    DestroySections();
}

template <class Visit> CBkWindow* CBkDialogView::WalkSections(Sections which, Visit visit) {
    for (SectionSlot& section : m_sections) {
        if (which == Sections::Loaded && !section.loaded) {
            continue;
        }
        if constexpr (std::is_void_v<std::invoke_result_t<Visit&, SectionSlot&>>) {
            visit(section);
        } else if (CBkWindow* found = visit(section)) {
            return found;
        }
    }
    return nullptr;
}

void CBkDialogView::DestroySections() {
    WalkSections(Sections::All, [](SectionSlot& section) {
        SendElementMessage(&section.element, WM_DESTROY, 0, 0);
        section.loaded = false;
    });
}

bool CBkDialogView::LoadLayer(const std::string& xml) {
    m_layerLoaded = false;
    m_layer = BkLayerAttributes{};
    m_layer.windowStyle = WS_POPUP | WS_SYSMENU;
    DestroySections();

    TiXmlDocument document;
    const bool parsed = ParseXmlWithinDepth(xml, kMaxXmlDepth, document);
    const TiXmlElement* root = document.RootElement();
    if (!parsed || !root || root->ValueStr() != "layer") {
        InvalidateAll();
        return false;
    }
    m_layer = ReadLayerAttributes(*root);

    WalkSections(Sections::All, [root](SectionSlot& section) {
        const TiXmlElement* element = root->FirstChildElement(section.tag);
        if (!element) {
            return;
        }
        section.element.LoadXml(*element);
        section.loaded = true;
        const char* height = element->Attribute("height");
        char pos[48];
        std::snprintf(pos, sizeof pos, section.posFormat, height ? ParseInt(height) : 0);
        section.element.ApplyAttribute("pos", pos, true);
    });

    m_layerLoaded = true;
    if (IsWindow(m_hwnd)) {
        InvalidateAll();
        m_hoverHandle = m_pushedHandle = 0;
    }
    return true;
}

HWND CBkDialogView::Create(HWND dialog, SIZE size) {
    // Registering again fails harmlessly once the class exists.
    RegisterWindowClass(kViewClass, &CBkDialogView::WindowProc,
                        CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS, IDC_ARROW);
    m_hwnd =
        CreateWindowEx(0, kViewClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_TABSTOP, 0,
                       0, size.cx, size.cy, dialog, VIEW_CTRL_ID, this);
    if (!m_hwnd) {
        return nullptr;
    }
    WalkSections(Sections::All,
                 [this](SectionSlot& section) { section.element.SetHostWindow(m_hwnd); });

    RegisterTooltipClass();
    m_tooltip = CreateWindowEx(0, TOOLTIPS_CLASS, L"", 0, 0, 0, 0, 0, m_hwnd, 0, nullptr);
    if (m_tooltip) {
        TOOLINFO tool;
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_IDISHWND;
        tool.hwnd = dialog;
        tool.uId = UINT_PTR(m_hwnd);
        tool.lpszText = LPSTR_TEXTCALLBACKW;
        SendMessage(m_tooltip, TTM_ADDTOOLW, 0, LPARAM(&tool));
        SendMessage(m_tooltip, TTM_ACTIVATE, 1, 0);
    }
    return m_hwnd;
}

HWND CBkDialogView::Dialog() const {
    return GetParent(m_hwnd);
}

void CBkDialogView::ShowRealWindows(bool show) {
    WalkSections(Sections::Loaded,
                 [show](SectionSlot& section) { section.element.ShowRealWindows(show); });
}

bool CBkDialogView::PreTranslateMessage(MSG& msg) {
    return IsWindow(m_hwnd) && IsDialogMessage(m_hwnd, &msg);
}

LRESULT CBkDialogView::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCT*>(lParam);
        SetWindowLongPtr(hwnd, GWLP_USERDATA, LPARAM(create->lpCreateParams));
    }
    auto* view = reinterpret_cast<CBkDialogView*>(GetWindowLongPtr(hwnd, GWLP_USERDATA));
    if (!view) {
        return DefWindowProc(hwnd, msg, wParam, lParam);
    }
    if (msg == WM_NCDESTROY) {
        view->m_hwnd = nullptr;
        view->m_tooltip = nullptr;
        view->m_capturing = false;
        view->m_trackingMouse = false;
        return DefWindowProc(hwnd, msg, wParam, lParam);
    }
    return view->HandleMessage(msg, wParam, lParam);
}

LRESULT CBkDialogView::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST && m_tooltip) {
        MSG relayed;
        relayed.hwnd = m_hwnd;
        relayed.message = msg;
        relayed.wParam = wParam;
        relayed.lParam = lParam;
        SendMessage(m_tooltip, TTM_RELAYEVENT, 0, LPARAM(&relayed));
    }
    switch (msg) {
    case WM_SIZE:
        OnSize(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        BeginPaint(m_hwnd, &ps);
        RenderAndCopy(ps.hdc);
        EndPaint(m_hwnd, &ps);
        return 0;
    }
    case WM_PRINT:
        RenderAndCopy(HDC(wParam));
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_DESTROY:
        m_backBuffer.Reset();
        return 0;
    case WM_MOUSEMOVE:
        OnMouseMove(wParam, lParam);
        return 0;
    case WM_MOUSELEAVE:
        OnMouseLeave();
        return 0;
    case WM_LBUTTONDOWN:
        OnLeftButtonDown(wParam, lParam);
        return 0;
    case WM_LBUTTONUP:
        OnLeftButtonUp(wParam, lParam);
        return 0;
    case WM_LBUTTONDBLCLK:
        OnLeftButtonDoubleClick(lParam);
        return 0;
    case WM_SETCURSOR:
        return OnSetCursor(wParam, lParam);
    case WM_MOUSEWHEEL:
        OnMouseWheel(wParam, lParam);
        return 0;
    case WM_CAPTURECHANGED:
        OnCaptureChanged(HWND(lParam));
        return 0;
    case WM_NOTIFY:
        return OnNotify(wParam, lParam);
    case WM_COMMAND:
        ReflectCommand(wParam, lParam);
        return SendMessage(Dialog(), msg, wParam, lParam);
    case WM_VSCROLL:
    case WM_HSCROLL:
        return SendMessage(Dialog(), msg, wParam, lParam);
    default:
        break;
    }
    LRESULT result = 0;
    if (ReflectToSender(msg, wParam, lParam, result)) {
        return result;
    }
    return DefWindowProc(m_hwnd, msg, wParam, lParam);
}

bool CBkDialogView::ReflectToSender(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (msg >= WM_CTLCOLORFIRST && msg <= WM_CTLCOLORLAST) {
        // A colour message the control leaves at zero gets the default colours.
        return Reflect(HWND(lParam), msg, wParam, lParam, result) && result != 0;
    }
    if (msg == WM_VKEYTOITEM || msg == WM_CHARTOITEM) {
        return Reflect(HWND(lParam), msg, wParam, lParam, result);
    }
    if (msg == WM_PARENTNOTIFY && (LOWORD(wParam) == WM_CREATE || LOWORD(wParam) == WM_DESTROY)) {
        return Reflect(HWND(lParam), msg, wParam, lParam, result);
    }
    return ReflectOwnerDraw(msg, wParam, lParam, result);
}

bool CBkDialogView::ReflectOwnerDraw(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    // A menu's items (control id 0) are not a child control's.
    if (wParam == 0 || !lParam) {
        return false;
    }
    switch (msg) {
    case WM_DRAWITEM:
        return Reflect(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)->hwndItem, msg, wParam,
                       lParam, result);
    case WM_MEASUREITEM:
        return Reflect(
            GetDlgItem(m_hwnd, int(reinterpret_cast<const MEASUREITEMSTRUCT*>(lParam)->CtlID)), msg,
            wParam, lParam, result);
    case WM_COMPAREITEM:
        return Reflect(reinterpret_cast<const COMPAREITEMSTRUCT*>(lParam)->hwndItem, msg, wParam,
                       lParam, result);
    case WM_DELETEITEM:
        return Reflect(reinterpret_cast<const DELETEITEMSTRUCT*>(lParam)->hwndItem, msg, wParam,
                       lParam, result);
    default:
        return false;
    }
}

void CBkDialogView::ReflectCommand(WPARAM wParam, LPARAM lParam) {
    // A control's notification also goes back to the control, so an element that owns the
    // control (an edit box) follows its changes; the dialog still receives it.
    const HWND control = HWND(lParam);
    if (control && GetParent(control) == m_hwnd) {
        LRESULT ignored = 0;
        Reflect(control, WM_COMMAND, wParam, lParam, ignored);
    }
}

void CBkDialogView::OnMouseWheel(WPARAM wParam, LPARAM lParam) {
    if (CBkWindow* hovered = LookupElement(m_hoverHandle); hovered && !hovered->IsDisabledDeep()) {
        SendElementMessage(hovered, WM_MOUSEWHEEL, wParam, lParam);
    }
}

void CBkDialogView::OnCaptureChanged(HWND newHolder) {
    // Another window (an element's pop-up list) took the mouse: the release will not come here.
    if (!m_capturing || newHolder == m_hwnd) {
        return;
    }
    m_capturing = false;
    if (CBkWindow* pushed = LookupElement(std::exchange(m_pushedHandle, 0))) {
        pushed->ModifyState(0, STATE_PUSHED);
    }
}

void CBkDialogView::OnSize(int width, int height) {
    m_backBuffer.Reset();
    m_size = {width, height};
    if (width == 0) {
        return;
    }
    m_backBuffer.Reset(CreateCompatibleBitmap(nullptr, width, height));
    {
        CMemoryDC dc;
        SelectObject(dc, m_backBuffer.Get());
        PatBlt(dc, 0, 0, width, height, BLACKNESS);
    }
    LayoutSections({0, 0, width, height});
}

void CBkDialogView::LayoutSections(const RECT& client) {
    WINDOWPOS pos;
    pos.x = client.left;
    pos.y = client.top;
    pos.cx = client.Width();
    pos.cy = client.Height();
    LONG headerBottom = 0;
    LONG footerHeight = 0;
    if (SectionSlot& header = Slot(BkSection::Header); header.loaded) {
        SendElementMessage(&header.element, WM_WINDOWPOSCHANGED, 0, LPARAM(&pos));
        headerBottom = header.element.rect.bottom;
    }
    if (SectionSlot& footer = Slot(BkSection::Footer); footer.loaded) {
        SendElementMessage(&footer.element, WM_WINDOWPOSCHANGED, 0, LPARAM(&pos));
        footerHeight = footer.element.rect.Height();
        WINDOWPOS bottom = pos;
        bottom.y = client.bottom - footerHeight;
        bottom.cy = footerHeight;
        SendElementMessage(&footer.element, WM_WINDOWPOSCHANGED, 0, LPARAM(&bottom));
    }
    if (SectionSlot& body = Slot(BkSection::Body); body.loaded) {
        WINDOWPOS middle = pos;
        middle.y = headerBottom;
        middle.cy = client.bottom - footerHeight - headerBottom;
        SendElementMessage(&body.element, WM_WINDOWPOSCHANGED, 0, LPARAM(&middle));
    }
    InvalidateAll();
}

void CBkDialogView::InvalidateArea(const RECT& area) {
    if (m_invalidRegion) {
        CGdiHandle<HRGN> added(CreateRectRgnIndirect(&area));
        CombineRgn(m_invalidRegion, m_invalidRegion, added, RGN_OR);
    } else {
        m_invalidRegion.Reset(CreateRectRgnIndirect(&area));
    }
    if (IsWindow(m_hwnd)) {
        InvalidateRect(m_hwnd, &area, false);
    }
    m_needsRender = true;
}

void CBkDialogView::InvalidateAll() {
    m_fullRepaint = true;
    m_needsRender = true;
    m_invalidRegion.Reset();
    if (IsWindow(m_hwnd)) {
        InvalidateRect(m_hwnd, nullptr, false);
    }
}

void CBkDialogView::RenderAndCopy(HDC target) {
    if (m_fullRepaint) {
        m_invalidRegion.Reset();
        m_fullRepaint = false;
    }
    if (!m_backBuffer) {
        return;
    }
    CMemoryDC dc;
    SelectObject(dc, m_backBuffer.Get());
    if (m_needsRender) {
        std::optional<std::lock_guard<std::mutex>> paintLock;
        if (BkWinManager* manager = BkWinManager::Instance()) {
            paintLock.emplace(manager->PaintLock());
        }
        CDcStateSaver saver(dc);
        SelectObject(dc, BkFontPool::Instance().GetFont(0));
        SetBkMode(dc, TRANSPARENT);
        if (m_invalidRegion) {
            SelectClipRgn(dc, m_invalidRegion);
        }
        WalkSections(Sections::Loaded, [this, &dc](SectionSlot& section) {
            section.element.PaintRegion(dc, m_invalidRegion.Get());
        });
        m_invalidRegion.Reset();
        m_needsRender = false;
    }
    BitBlt(target, 0, 0, m_size.cx, m_size.cy, dc, 0, 0, SRCCOPY);
}

CBkWindow* CBkDialogView::ElementAt(int x, int y) {
    return WalkSections(Sections::Loaded, [x, y](SectionSlot& section) {
        return LookupElement(section.element.HitTest(x, y, true));
    });
}

CBkWindow* CBkDialogView::HeaderDragAreaAt(int x, int y) {
    SectionSlot& header = Slot(BkSection::Header);
    if (!header.loaded) {
        return nullptr;
    }
    CBkWindow* hit = LookupElement(header.element.HitTest(x, y, true));
    return hit && !IsButtonLike(*hit) ? hit : nullptr;
}

void CBkDialogView::NotifyParent(UINT code) {
    NMHDR record{m_hwnd, VIEW_CTRL_ID, code};
    SendMessage(Dialog(), WM_NOTIFY, VIEW_CTRL_ID, LPARAM(&record));
}

LRESULT CBkDialogView::NotifyClick(std::uint32_t itemId, const char* tag) {
    ElementNotify record;
    record.hdr = {m_hwnd, VIEW_CTRL_ID, NOTIFY_ELEMENT_CLICK};
    record.itemId = itemId;
    record.itemTag = tag;
    return SendMessage(Dialog(), WM_NOTIFY, VIEW_CTRL_ID, LPARAM(&record));
}

void CBkDialogView::SetTip(const WString& tip) {
    if (!m_tooltip) {
        return;
    }
    TOOLINFO tool;
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND;
    tool.hwnd = Dialog();
    tool.uId = UINT_PTR(m_hwnd);
    tool.lpszText = tip.c_str();
    SendMessage(m_tooltip, TTM_UPDATETIPTEXTW, 0, LPARAM(&tool));
}

void CBkDialogView::OnMouseMove(WPARAM wParam, LPARAM lParam) {
    if (!m_trackingMouse) {
        TRACKMOUSEEVENT request;
        request.dwFlags = TME_LEAVE;
        request.hwndTrack = m_hwnd;
        m_trackingMouse = TrackMouseEvent(&request);
        NotifyParent(NOTIFY_VIEW_MOUSEENTER);
    }
    CBkWindow* element = ElementAt(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    if (!element) {
        return;
    }
    const std::uint32_t handle = element->handle;
    if (!element->IsDisabledDeep()) {
        SendElementMessage(element, WM_MOUSEMOVE, wParam, lParam);
    }
    if (handle == m_hoverHandle) {
        return;
    }
    if (CBkWindow* previous = LookupElement(m_hoverHandle);
        previous && !previous->IsDisabledDeep()) {
        previous->ModifyState(0, STATE_HOVER);
        SendElementMessage(previous, WM_MOUSELEAVE, 0, 0);
    }
    // The element may have gone while the previous one handled its leave.
    element = LookupElement(handle);
    if (!element) {
        m_hoverHandle = 0;
        return;
    }
    if (!element->IsDisabledDeep()) {
        element->ModifyState(STATE_HOVER, 0);
    }
    m_hoverHandle = handle;
    SetTip(element->tip);
}

void CBkDialogView::OnMouseLeave() {
    m_trackingMouse = false;
    if (CBkWindow* hovered = LookupElement(m_hoverHandle)) {
        hovered->ModifyState(0, STATE_HOVER);
        SendElementMessage(hovered, WM_MOUSELEAVE, 0, 0);
    }
    m_hoverHandle = 0;
    if (CBkWindow* pushed = LookupElement(m_pushedHandle)) {
        pushed->ModifyState(0, STATE_PUSHED);
    }
    m_pushedHandle = 0;
    NotifyParent(NOTIFY_VIEW_MOUSELEAVE);
}

void CBkDialogView::OnLeftButtonDown(WPARAM wParam, LPARAM lParam) {
    const int x = GET_X_LPARAM(lParam);
    const int y = GET_Y_LPARAM(lParam);
    if (HeaderDragAreaAt(x, y)) {
        const HWND dialog = Dialog();
        if (!IsZoomed(dialog) && !IsIconic(dialog)) {
            SendMessage(dialog, WM_SYSCOMMAND, SC_MOVE | HTCAPTION, 0);
        }
        return;
    }
    CBkWindow* element = ElementAt(x, y);
    if (!element || element->IsDisabledDeep() || m_capturing) {
        return;
    }
    SetCapture(m_hwnd);
    m_capturing = true;
    m_hoverHandle = m_pushedHandle = element->handle;
    element->ModifyState(STATE_PUSHED, 0);
    SendElementMessage(element, WM_LBUTTONDOWN, wParam, lParam);
}

void CBkDialogView::OnLeftButtonUp(WPARAM wParam, LPARAM lParam) {
    if (m_capturing) {
        m_capturing = false;
        ReleaseCapture();
    }
    const std::uint32_t pushed = std::exchange(m_pushedHandle, 0);
    CBkWindow* element = LookupElement(pushed);
    if (!element) {
        return;
    }
    element->ModifyState(0, STATE_PUSHED);
    if (pushed != m_hoverHandle) {
        return;
    }
    SendElementMessage(element, WM_LBUTTONUP, wParam, lParam);
    // The element's own handling may have destroyed it.
    element = LookupElement(pushed);
    if (!element) {
        return;
    }
    if (!element->href.empty()) {
        ShellExecute(m_hwnd, L"open", element->href, L"", L"", SW_SHOWNORMAL);
    } else if (element->id != 0) {
        NotifyClick(std::uint32_t(element->id), element->TagName());
    }
}

void CBkDialogView::OnLeftButtonDoubleClick(LPARAM lParam) {
    if (!m_layer.canMaximize || !HeaderDragAreaAt(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam))) {
        return;
    }
    const HWND dialog = Dialog();
    SendMessage(dialog, WM_SYSCOMMAND, (IsZoomed(dialog) ? SC_RESTORE : SC_MAXIMIZE) | HTCAPTION,
                0);
}

LRESULT CBkDialogView::OnSetCursor(WPARAM wParam, LPARAM lParam) {
    // A child window's default handling asks its parent first. Leaving that question
    // unanswered lets the child choose its own cursor; answering it by handing the message
    // back down to the child would ask again without end.
    if (HWND(wParam) != m_hwnd) {
        return 0;
    }
    const HWND dialog = Dialog();
    if ((m_layer.windowStyle & WS_THICKFRAME) && !IsZoomed(dialog) &&
        SendMessage(dialog, WM_SETCURSOR, wParam, lParam)) {
        return 1;
    }
    POINT point;
    GetCursorPos(&point);
    ScreenToClient(m_hwnd, &point);
    CBkWindow* element = ElementAt(point.x, point.y);
    if (!element || element->IsDisabledDeep()) {
        SetCursor(LoadCursor(IDC_ARROW));
        return 1;
    }
    if (const HWND real = RealWindowOf(*element)) {
        SendMessage(real, WM_SETCURSOR, WPARAM(real), lParam);
        return 1;
    }
    element->ApplyCursor();
    return 1;
}

LRESULT CBkDialogView::OnNotify(WPARAM wParam, LPARAM lParam) {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    // Elements send their invalidate records without a sender window; a real child window's
    // notification with the same code is only its NMHDR and goes to the dialog like others.
    if (header && header->code == NOTIFY_INVALIDATE && header->hwndFrom == nullptr) {
        InvalidateArea(reinterpret_cast<const BkInvalidateNotify*>(lParam)->rect);
        return 0;
    }
    if (header && header->code == NM_CUSTOMDRAW) {
        LRESULT result = 0;
        if (Reflect(header->hwndFrom, WM_NOTIFY, wParam, lParam, result) && result != 0) {
            return result;
        }
    }
    return SendMessage(Dialog(), WM_NOTIFY, wParam, lParam);
}

CBkWindow* CBkDialogView::FindElement(std::int32_t id) {
    return WalkSections(Sections::All,
                        [id](SectionSlot& section) { return section.element.FindById(id); });
}

void CBkDialogView::RepaintElement(const CBkWindow& element, bool visibleOnly) {
    if (visibleOnly && !element.IsVisibleDeep()) {
        return;
    }
    InvalidateArea(element.rect);
}

template <class Change>
bool CBkDialogView::ChangeElement(std::int32_t id, bool visibleOnly, Change change) {
    CBkWindow* element = FindElement(id);
    if (!element) {
        return false;
    }
    RepaintElement(*element, visibleOnly);
    change(*element);
    RepaintElement(*element, visibleOnly);
    return true;
}

bool CBkDialogView::SetElementText(std::int32_t id, const WString& text) {
    return ChangeElement(id, true, [&text](CBkWindow& element) { element.SetText(text); });
}

WString CBkDialogView::GetElementText(std::int32_t id) {
    const CBkWindow* element = FindElement(id);
    return element ? element->text : WString();
}

bool CBkDialogView::SetElementAttribute(std::int32_t id, std::string_view name,
                                        std::string_view value) {
    return ChangeElement(id, false, [name, value](CBkWindow& element) {
        element.ApplyAttribute(name, value, false);
    });
}

bool CBkDialogView::ShowElement(std::int32_t id, bool show) {
    return ChangeElement(id, false, [show](CBkWindow& element) {
        SendElementMessage(&element, WM_SHOWWINDOW, show ? 1 : 0, 0);
    });
}

bool CBkDialogView::CheckElement(std::int32_t id, bool checked) {
    return ChangeElement(id, true, [checked](CBkWindow& element) {
        element.ModifyState(checked ? STATE_CHECKED : 0, checked ? 0 : STATE_CHECKED);
    });
}

bool CBkDialogView::IsElementChecked(std::int32_t id) {
    const CBkWindow* element = FindElement(id);
    return element && (element->state & STATE_CHECKED);
}

bool CBkDialogView::SelectTab(std::int32_t tabCtrlId, int index) {
    CBkWindow* element = FindElement(tabCtrlId);
    return element && element->IsTag(CBkTabCtrl::kTag) &&
           static_cast<CBkTabCtrl*>(element)->SetCurSel(index);
}

bool CBkDialogView::LoadElementChildren(std::int32_t id, const std::string& xml) {
    CBkWindow* element = FindElement(id);
    if (!element || !TakesLoadedChildren(*element)) {
        return false;
    }
    // Loads into loaded children could otherwise build a tree of any depth.
    int depth = 0;
    for (const CBkWindow* e = element; e; e = e->Parent()) {
        ++depth;
    }
    TiXmlDocument document;
    if (!ParseXmlWithinDepth(xml, kMaxXmlDepth - depth, document) || !document.RootElement()) {
        return false;
    }
    auto* container = static_cast<CBkContainerWnd*>(element);
    container->LoadChildren(document.RootElement());
    container->LayoutChildren();
    RepaintElement(*container, false);
    if (container->IsVisibleDeep()) {
        SendElementMessage(container, WM_SHOWWINDOW, 1, 0);
    }
    return true;
}

bool CBkDialogView::SetElementRichText(std::int32_t id, std::string_view markup) {
    auto* richText = dynamic_cast<CBkRichText*>(FindElement(id));
    if (!richText) {
        return false;
    }
    std::string text = "<richtext>";
    text.append(markup);
    text.append("</richtext>");
    TiXmlDocument document;
    // The enclosing element is one level more than the fragment's own.
    if (!ParseXmlWithinDepth(text, kMaxXmlDepth + 1, document) || !document.RootElement()) {
        return false;
    }
    richText->LoadRichText(*document.RootElement());
    if (richText->IsVisibleDeep()) {
        RepaintElement(*richText, true);
        SendElementMessage(richText, WM_SHOWWINDOW, 1, 0);
    }
    return true;
}

bool CBkDialogView::SetElementRichText(std::int32_t id, const WString& markup) {
    return SetElementRichText(id, std::string_view(WideToUtf8(markup)));
}

#include "bkwin/BkTabCtrl.h"

#include "bkwin/BkElementNotify.h"
#include "bkwin/BkSkinPool.h"
#include "bkwin/BkTabSelChangeNotify.h"
#include "bkwin/BkValueParsers.h"
#include "platform/core/Input.h"
#include "platform/core/MessageLoop.h"
#include "platform/core/Window.h"
#include "platform/draw/DeviceContext.h"
#include "platform/draw/DrawText.h"
#include "platform/draw/Text.h"

#include <tinyxml.h>

#include <algorithm>

namespace {

// DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_TABSTOP | DT_NOPREFIX | DT_END_ELLIPSIS
constexpr UINT kTitleFormat = 0x88A5;

WINDOWPOS PositionOf(const RECT& area) {
    WINDOWPOS pos{};
    pos.x = area.left;
    pos.y = area.top;
    pos.cx = area.Width();
    pos.cy = area.Height();
    return pos;
}

} // namespace

bool CBkTabCtrl::LoadXml(const TiXmlElement& element) {
    if (!CBkWindow::LoadXml(element)) {
        return false;
    }
    DestroyTabs();
    int firstVisible = -1;
    for (const TiXmlElement* e = element.FirstChildElement(); e; e = e->NextSiblingElement()) {
        if (e->ValueStr() != CBkTab::kTag) {
            continue;
        }
        auto tab = std::make_unique<CBkTab>();
        const int index = int(m_tabs.size());
        tab->parentHandle = handle;
        tab->SetHostWindow(hostWindow);
        tab->LoadXml(*e);
        tab->ApplyAttribute("pos", "0,0,-0,-0", true);
        const bool show = firstVisible < 0 && tab->hide == 0;
        SendElementMessage(tab.get(), WM_SHOWWINDOW, show ? 1 : 0, 0);
        if (show) {
            firstVisible = index;
            if (curSel == 0) {
                curSel = index;
            }
        }
        m_tabs.push_back(std::move(tab));
    }
    if (const CBkTab* current = GetTab(curSel);
        current && current->hide == 1 && firstVisible >= 0 && curSel > 0) {
        curSel = firstVisible;
    }
    return true;
}

HRESULT CBkTabCtrl::ApplyAttribute(std::string_view name, std::string_view value, bool loading) {
    if (SUCCEEDED(CBkContainerWnd::ApplyAttribute(name, value, loading))) {
        return S_OK;
    }
    struct NumberAttribute {
        std::string_view name;
        std::int32_t CBkTabCtrl::*field;
    };
    static constexpr NumberAttribute kNumbers[] = {
        {"cursel", &CBkTabCtrl::curSel},         {"tabwidth", &CBkTabCtrl::tabWidth},
        {"tabheight", &CBkTabCtrl::tabHeight},   {"tabpos", &CBkTabCtrl::tabPos},
        {"tabspacing", &CBkTabCtrl::tabSpacing}, {"framepos", &CBkTabCtrl::framePos},
        {"icon-x", &CBkTabCtrl::iconX},          {"icon-y", &CBkTabCtrl::iconY},
        {"text-x", &CBkTabCtrl::textX},          {"text-y", &CBkTabCtrl::textY},
    };
    for (const NumberAttribute& number : kNumbers) {
        if (name == number.name) {
            this->*number.field = ParseInt(value);
            return S_OK;
        }
    }
    struct SkinAttribute {
        std::string_view name;
        CBkSkinBase* CBkTabCtrl::*field;
    };
    static constexpr SkinAttribute kSkins[] = {
        {"tabskin", &CBkTabCtrl::tabSkin},
        {"frameskin", &CBkTabCtrl::frameSkin},
        {"iconskin", &CBkTabCtrl::iconSkin},
        {"splitterskin", &CBkTabCtrl::splitterSkin},
    };
    for (const SkinAttribute& skin : kSkins) {
        if (name == skin.name) {
            this->*skin.field = BkSkinPool::Instance().Get(value);
            return S_OK;
        }
    }
    if (name == "tabalign") {
        if (value == "top") {
            tabAlign = TABALIGN_TOP;
        } else if (value == "left") {
            tabAlign = TABALIGN_LEFT;
        } else {
            return E_FAIL;
        }
        return S_OK;
    }
    return E_FAIL;
}

void CBkTabCtrl::ApplyCursor() {
    SetCursor(LoadCursor(GetTab(m_hoverIndex) ? IDC_HAND : IDC_ARROW));
}

void CBkTabCtrl::SetHostWindow(HWND host) {
    CBkContainerWnd::SetHostWindow(host);
    for (const std::unique_ptr<CBkTab>& tab : m_tabs) {
        tab->SetHostWindow(host);
    }
}

std::uint32_t CBkTabCtrl::HitTest(int x, int y, bool deep) {
    if (!rect.Contains({x, y})) {
        return 0;
    }
    CBkTab* page = GetTab(curSel);
    if (!page || !m_pageFrame.Contains({x, y})) {
        return handle;
    }
    return page->HitTest(x, y, deep);
}

bool CBkTabCtrl::PaintRegion(HDC dc, HRGN region) {
    if (!CBkWindow::PaintRegion(dc, region)) {
        return false;
    }
    if (CBkTab* page = GetTab(curSel); page && !(page->state & STATE_HIDDEN)) {
        CDcStateSaver saver(dc);
        SelectTextLook(dc);
        page->PaintRegion(dc, region);
    }
    return true;
}

bool CBkTabCtrl::HandleMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    result = 0;
    switch (msg) {
    case WM_WINDOWPOSCHANGED:
        CBkWindow::HandleMessage(hwnd, msg, wParam, lParam, result);
        m_pageFrame = FrameArea();
        m_pageFrame = {m_pageFrame.left + style.xMargin, m_pageFrame.top + style.yMargin,
                       m_pageFrame.right - style.xMargin, m_pageFrame.bottom - style.yMargin};
        for (const std::unique_ptr<CBkTab>& tab : m_tabs) {
            PlacePage(*tab);
        }
        return true;
    case WM_PAINT:
        PaintStrip(HDC(wParam));
        return true;
    case WM_SHOWWINDOW:
        CBkWindow::HandleMessage(hwnd, msg, wParam, lParam, result);
        SendElementMessage(GetTab(curSel), msg, wParam, lParam);
        return true;
    case WM_DESTROY:
        DestroyTabs();
        return true;
    case WM_LBUTTONDOWN:
        if (const int index = TabAt({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}); index >= 0) {
            SetCurSel(index);
        }
        return true;
    case WM_MOUSEMOVE:
        OnMouseMove({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return true;
    case WM_MOUSELEAVE:
        OnMouseLeave();
        return true;
    default:
        return CBkWindow::HandleMessage(hwnd, msg, wParam, lParam, result);
    }
}

void CBkTabCtrl::ShowRealWindows(bool show) {
    const bool visible = show && IsVisibleDeep();
    for (int i = 0; i < TabCount(); ++i) {
        m_tabs[std::size_t(i)]->ShowRealWindows(visible && i == curSel);
    }
}

CBkWindow* CBkTabCtrl::FindById(std::int32_t wantedId) {
    for (const std::unique_ptr<CBkTab>& tab : m_tabs) {
        if (tab->id == wantedId) {
            return tab.get();
        }
        if (CBkWindow* found = tab->FindById(wantedId)) {
            return found;
        }
    }
    return nullptr;
}

CBkTab* CBkTabCtrl::GetTab(int index) const {
    return index >= 0 && index < TabCount() ? m_tabs[std::size_t(index)].get() : nullptr;
}

SIZE CBkTabCtrl::TabSize() const {
    SIZE size = tabSkin ? tabSkin->NaturalSize() : SIZE{};
    if (tabWidth != 0) {
        size.cx = tabWidth;
    }
    if (tabHeight != 0) {
        size.cy = tabHeight;
    }
    return size;
}

bool CBkTabCtrl::GetTabRect(int index, RECT& tabRect) const {
    if (!GetTab(index)) {
        return false;
    }
    const SIZE size = TabSize();
    const auto before = std::count_if(m_tabs.begin(), m_tabs.begin() + index,
                                      [](const auto& tab) { return tab->hide == 0; });
    tabRect = {rect.left, rect.top, rect.left + size.cx, rect.top + size.cy};
    // The step along the strip is the attribute's size, not the skin's.
    if (tabAlign == TABALIGN_TOP) {
        tabRect = OffsetRectBy(tabRect, LONG((tabWidth + tabSpacing) * before + tabPos), 0);
    } else {
        tabRect = OffsetRectBy(tabRect, 0, LONG((tabHeight + tabSpacing) * before + tabPos));
    }
    return true;
}

RECT CBkTabCtrl::FrameArea() const {
    const SIZE size = TabSize();
    RECT area = rect;
    if (tabAlign == TABALIGN_TOP) {
        area.top += size.cy + framePos;
    } else {
        area.left += size.cx + framePos;
    }
    return area;
}

int CBkTabCtrl::TabAt(POINT point) const {
    for (int i = 0; i < TabCount(); ++i) {
        RECT tabRect;
        if (m_tabs[std::size_t(i)]->hide == 0 && i != curSel && GetTabRect(i, tabRect) &&
            tabRect.Contains(point)) {
            return i;
        }
    }
    return -1;
}

bool CBkTabCtrl::SetCurSel(int index) {
    TabSelChangeNotify record;
    record.hdr = {hostWindow, VIEW_CTRL_ID, NOTIFY_TAB_SELCHANGE};
    record.itemId = std::uint32_t(id);
    record.newIndex = index;
    record.oldIndex = curSel;
    if (IsWindow(hostWindow)) {
        SendMessage(hostWindow, WM_NOTIFY, VIEW_CTRL_ID, LPARAM(&record));
    }
    if (record.cancel) {
        return false;
    }
    if (index == curSel) {
        return true;
    }
    CBkTab* page = GetTab(index);
    if (!page) {
        return false;
    }
    RECT tabRect;
    if (GetTabRect(curSel, tabRect)) {
        NotifyInvalidateRect(tabRect);
    }
    GetTabRect(index, tabRect);
    NotifyInvalidateRect(tabRect);

    SendElementMessage(GetTab(curSel), WM_SHOWWINDOW, 0, 0);
    curSel = index;
    SendElementMessage(page, WM_SHOWWINDOW, 1, 0);
    PlacePage(*page);
    NotifyInvalidateRect(m_pageFrame);
    return true;
}

void CBkTabCtrl::DestroyTabs() {
    // Taken out of the list first, so a page's destruction never sees a half-emptied list.
    std::vector<std::unique_ptr<CBkTab>> dropped = std::move(m_tabs);
    m_tabs.clear();
    m_hoverIndex = -1;
    for (const std::unique_ptr<CBkTab>& tab : dropped) {
        SendElementMessage(tab.get(), WM_DESTROY, 0, 0);
    }
}

void CBkTabCtrl::PlacePage(CBkTab& page) const {
    const WINDOWPOS pos = PositionOf(m_pageFrame);
    SendElementMessage(&page, WM_WINDOWPOSCHANGED, 0, LPARAM(&pos));
}

void CBkTabCtrl::PaintStrip(HDC dc) const {
    if (frameSkin) {
        frameSkin->Draw(dc, FrameArea(), 0);
    }
    CDcStateSaver saver(dc);
    SetBkMode(dc, TRANSPARENT);
    if (style.crtext != CLR_INVALID) {
        SetTextColor(dc, style.crtext);
    }
    if (style.font) {
        SelectObject(dc, style.font);
    }

    const SIZE splitter = splitterSkin ? splitterSkin->NaturalSize() : SIZE{};
    auto visible =
        std::count_if(m_tabs.begin(), m_tabs.end(), [](const auto& tab) { return tab->hide == 0; });
    for (int i = 0; i < TabCount(); ++i) {
        if (m_tabs[std::size_t(i)]->hide != 0) {
            continue;
        }
        RECT tabRect;
        GetTabRect(i, tabRect);
        // A splitter follows every visible tab but the last, the current one included.
        if (splitterSkin && visible > 1) {
            --visible;
            const LONG gapStart = tabAlign == TABALIGN_TOP ? tabRect.right : tabRect.bottom;
            const LONG gapFirst = std::min(gapStart, LONG(gapStart + tabSpacing));
            const LONG gapLast = std::max(gapStart, LONG(gapStart + tabSpacing));
            RECT gap;
            if (tabAlign == TABALIGN_TOP) {
                const LONG inset = (gapLast - gapFirst - splitter.cx) / 2;
                gap = {gapFirst + inset, tabRect.top, gapLast - inset, tabRect.bottom};
            } else {
                const LONG inset = (gapLast - gapFirst - splitter.cy) / 2;
                gap = {tabRect.left, gapFirst + inset, tabRect.right, gapLast - inset};
            }
            splitterSkin->Draw(dc, gap, -1);
        }
        if (i != curSel) {
            PaintTab(dc, i, i == m_hoverIndex ? 1 : 0);
        }
    }

    // The current tab last, over its neighbours, in the hover look.
    if (style.hoverfont && !style.font) {
        SelectObject(dc, style.hoverfont);
    }
    if (style.crhover != CLR_INVALID) {
        SetTextColor(dc, style.crhover);
    }
    if (const CBkTab* current = GetTab(curSel); current && current->hide == 0) {
        PaintTab(dc, curSel, 2);
    }
}

void CBkTabCtrl::PaintTab(HDC dc, int index, int skinState) const {
    RECT tabRect;
    GetTabRect(index, tabRect);
    if (tabSkin) {
        tabSkin->Draw(dc, tabRect, skinState);
    }
    if (iconSkin) {
        iconSkin->Draw(dc, OffsetRectBy(tabRect, iconX, iconY), index);
    }
    RECT textRect = OffsetRectBy(tabRect, textX, textY);
    DrawText(dc, m_tabs[std::size_t(index)]->title, &textRect, kTitleFormat);
}

void CBkTabCtrl::OnMouseMove(POINT point) {
    const int index = TabAt(point);
    RECT tabRect;
    if (GetTabRect(index, tabRect)) {
        NotifyInvalidateRect(tabRect);
    }
    if (index != m_hoverIndex) {
        if (GetTabRect(m_hoverIndex, tabRect)) {
            NotifyInvalidateRect(tabRect);
        }
        m_hoverIndex = index;
    }
}

void CBkTabCtrl::OnMouseLeave() {
    RECT tabRect;
    if (GetTabRect(m_hoverIndex, tabRect)) {
        NotifyInvalidateRect(tabRect);
    }
    m_hoverIndex = -1;
}

#include "bkwin/BkContainerWnd.h"

#include "bkwin/BkElementFactory.h"
#include "bkwin/BkValueParsers.h"
#include "platform/draw/DeviceContext.h"

#include <tinyxml.h>

bool CBkContainerWnd::LoadXml(const TiXmlElement& element) {
    CBkWindow::LoadXml(element);
    LoadChildren(element.FirstChildElement());
    return true;
}

HRESULT CBkContainerWnd::ApplyAttribute(std::string_view name, std::string_view value,
                                        bool loading) {
    if (SUCCEEDED(CBkWindow::ApplyAttribute(name, value, loading))) {
        return S_OK;
    }
    if (name == "onlydrawchild") {
        onlyDrawChild = ParseInt(value);
        return S_OK;
    }
    return E_FAIL;
}

void CBkContainerWnd::LoadChildren(const TiXmlElement* first) {
    SendElementMessage(this, WM_DESTROY, 0, 0);
    for (const TiXmlElement* e = first; e; e = e->NextSiblingElement()) {
        std::unique_ptr<CBkWindow> child = CreateElementByTag(e->Value());
        if (!child) {
            continue;
        }
        // The child is in the tree before it loads, so that it can find its parent's fonts
        // while measuring; one that fails to load stays as loaded so far.
        AppendChild(std::move(child))->LoadXml(*e);
    }
}

CBkWindow* CBkContainerWnd::AppendChild(std::unique_ptr<CBkWindow> child) {
    child->parentHandle = handle;
    child->SetHostWindow(hostWindow);
    children.push_back(std::move(child));
    return children.back().get();
}

void CBkContainerWnd::DestroyChildren() {
    // Taken out of the list first, so a child's destruction never sees a half-emptied list.
    std::vector<std::unique_ptr<CBkWindow>> dropped = std::move(children);
    children.clear();
    for (const std::unique_ptr<CBkWindow>& child : dropped) {
        SendElementMessage(child.get(), WM_DESTROY, 0, 0);
    }
}

void CBkContainerWnd::SetHostWindow(HWND host) {
    CBkWindow::SetHostWindow(host);
    for (const std::unique_ptr<CBkWindow>& child : children) {
        child->SetHostWindow(host);
    }
}

std::uint32_t CBkContainerWnd::HitTest(int x, int y, bool deep) {
    if (!rect.Contains({x, y})) {
        return 0;
    }
    if (onlyDrawChild) {
        return handle;
    }
    for (const bool floating : {true, false}) {
        for (const std::unique_ptr<CBkWindow>& child : children) {
            if (bool(child->posFlags & POS_FLOATING) != floating || (child->state & STATE_HIDDEN) ||
                child->transparent) {
                continue;
            }
            if (const std::uint32_t hit = child->HitTest(x, y, deep)) {
                return hit;
            }
        }
    }
    return handle;
}

bool CBkContainerWnd::PaintRegion(HDC dc, HRGN region) {
    if (!CBkWindow::PaintRegion(dc, region)) {
        return false;
    }
    CDcStateSaver saver(dc);
    SelectTextLook(dc);
    for (const std::unique_ptr<CBkWindow>& child : children) {
        if (!(child->state & STATE_HIDDEN)) {
            child->PaintRegion(dc, region);
        }
    }
    return true;
}

bool CBkContainerWnd::HandleMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                    LRESULT& result) {
    switch (msg) {
    case WM_DESTROY:
        result = 0;
        DestroyChildren();
        return true;
    case WM_PAINT:
        result = 0;
        return true;
    case WM_SHOWWINDOW:
        CBkWindow::HandleMessage(hwnd, msg, wParam, lParam, result);
        ShowRealWindows(wParam != 0);
        return true;
    case WM_MOUSEMOVE: {
        result = 0;
        const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        for (const std::unique_ptr<CBkWindow>& child : children) {
            if (!(child->state & STATE_HIDDEN) && child->rect.Contains(point)) {
                SendElementMessage(child.get(), msg, wParam, lParam);
            }
        }
        return true;
    }
    default:
        return CBkWindow::HandleMessage(hwnd, msg, wParam, lParam, result);
    }
}

void CBkContainerWnd::ShowRealWindows(bool show) {
    const bool visible = show && IsVisibleDeep();
    for (const std::unique_ptr<CBkWindow>& child : children) {
        child->ShowRealWindows(visible && !(child->state & STATE_HIDDEN));
    }
}

CBkWindow* CBkContainerWnd::FindById(std::int32_t wantedId) {
    for (const std::unique_ptr<CBkWindow>& child : children) {
        if (child->id == wantedId) {
            return child.get();
        }
    }
    for (const std::unique_ptr<CBkWindow>& child : children) {
        if (child->IsContainer()) {
            if (CBkWindow* found = static_cast<CBkContainerWnd*>(child.get())->FindById(wantedId)) {
                return found;
            }
        }
    }
    return nullptr;
}

void CBkContainerWnd::LayoutChildren() {
    for (const std::unique_ptr<CBkWindow>& child : children) {
        LayoutChild(child.get());
    }
}

void CBkContainerWnd::LayoutChild(CBkWindow*) {}

RECT CBkContainerWnd::InnerArea() const {
    return {rect.left + style.xMargin, rect.top + style.yMargin, rect.right - style.xMargin,
            rect.bottom - style.yMargin};
}

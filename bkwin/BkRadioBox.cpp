#include "bkwin/BkRadioBox.h"

#include "bkwin/BkButtonGlyph.h"
#include "bkwin/BkElementRegistry.h"
#include "bkwin/BkValueParsers.h"
#include "platform/draw/DrawText.h"
#include "platform/draw/FrameControl.h"

#include <algorithm>

namespace {

constexpr int kGlyphSize = 12;
// The text starts this far right of the element's left edge.
constexpr int kTextIndent = 14;

} // namespace

CBkRadioBox::~CBkRadioBox() {
    LeaveGroup();
}

bool CBkRadioBox::LoadXml(const TiXmlElement& element) {
    if (!CBkWindow::LoadXml(element)) {
        return false;
    }
    LeaveGroup();
    ElementRegistry::Instance().JoinRadioGroup(group, handle);
    joined_ = true;
    joinedGroup_ = group;
    return true;
}

void CBkRadioBox::LeaveGroup() {
    if (joined_) {
        ElementRegistry::Instance().LeaveRadioGroup(joinedGroup_, handle);
        joined_ = false;
    }
}

HRESULT CBkRadioBox::ApplyAttribute(std::string_view name, std::string_view value, bool loading) {
    if (SUCCEEDED(CBkWindow::ApplyAttribute(name, value, loading))) {
        return S_OK;
    }
    if (name == "check") {
        checkValue = ParseInt(value);
        return S_OK;
    }
    if (name == "group") {
        group = value;
        return S_OK;
    }
    return E_FAIL;
}

bool CBkRadioBox::HandleMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                LRESULT& result) {
    switch (msg) {
    case WM_PAINT: {
        const int top = rect.top + (rect.Height() - kGlyphSize) / 2;
        const RECT glyph{rect.left, top, rect.left + kGlyphSize, top + kGlyphSize};
        DrawButtonGlyph(HDC(wParam), glyph, DFCS_BUTTONRADIO, state);
        style.textmode = (style.textmode & ~DT_BOTTOM) | DT_VCENTER | DT_SINGLELINE;
        rect.left += kTextIndent;
        CBkWindow::HandleMessage(hwnd, msg, wParam, lParam, result);
        rect.left -= kTextIndent;
        return true;
    }
    case WM_NCCALCSIZE:
        CBkWindow::HandleMessage(hwnd, msg, wParam, lParam, result);
        if (lParam) {
            auto& size = *reinterpret_cast<SIZE*>(lParam);
            size.cx += kTextIndent;
            size.cy = std::max<LONG>(size.cy, kGlyphSize);
        }
        return true;
    case WM_LBUTTONUP: {
        result = 0;
        // The repaint requests go to the view after the registry lock is released: the view
        // looks elements up under the same lock while it handles them.
        const std::vector<CBkWindow*> cleared =
            ElementRegistry::Instance().SelectRadio(joinedGroup_, handle);
        for (CBkWindow* other : cleared) {
            other->NotifyInvalidateRect(other->rect);
        }
        NotifyInvalidateRect(rect);
        return true;
    }
    case WM_DESTROY:
        LeaveGroup();
        return CBkWindow::HandleMessage(hwnd, msg, wParam, lParam, result);
    default:
        return CBkWindow::HandleMessage(hwnd, msg, wParam, lParam, result);
    }
}

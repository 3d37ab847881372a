#include "bkwin/BkRadioBox.h"

#include "bkwin/BkElementRegistry.h"
#include "platform/draw/DrawText.h"
#include "platform/draw/FrameControl.h"

// A square glyph centred on the single text line.
CBkRadioBox::CBkRadioBox()
    : CBkGlyphBox({DFCS_BUTTONRADIO, /*glyphSize=*/12, /*square=*/true, /*textIndent=*/14,
                   /*extraTextMode=*/DT_SINGLELINE}) {}

CBkRadioBox::~CBkRadioBox() {
    LeaveGroup();
}

bool CBkRadioBox::LoadXml(const TiXmlElement& element) {
    if (!CBkWindow::LoadXml(element)) {
        return false;
    }
    LeaveGroup();
    ElementRegistry::Instance().JoinRadioGroup(group, handle);
    m_joined = true;
    m_joinedGroup = group;
    return true;
}

void CBkRadioBox::LeaveGroup() {
    if (m_joined) {
        ElementRegistry::Instance().LeaveRadioGroup(m_joinedGroup, handle);
        m_joined = false;
    }
}

HRESULT CBkRadioBox::ApplyAttribute(std::string_view name, std::string_view value, bool loading) {
    if (SUCCEEDED(CBkGlyphBox::ApplyAttribute(name, value, loading))) {
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
    case WM_LBUTTONUP: {
        result = 0;
        // The repaint requests go to the view after the registry lock is released: the view
        // looks elements up under the same lock while it handles them. A radio that never
        // finished loading belongs to no group and checks only itself.
        std::vector<CBkWindow*> cleared;
        if (m_joined) {
            cleared = ElementRegistry::Instance().SelectRadio(m_joinedGroup, handle);
        } else {
            state |= STATE_CHECKED;
        }
        for (CBkWindow* other : cleared) {
            other->NotifyInvalidateRect(other->rect);
        }
        NotifyInvalidateRect(rect);
        return true;
    }
    case WM_DESTROY:
        LeaveGroup();
        return CBkGlyphBox::HandleMessage(hwnd, msg, wParam, lParam, result);
    default:
        return CBkGlyphBox::HandleMessage(hwnd, msg, wParam, lParam, result);
    }
}

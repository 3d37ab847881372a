#include "platform/controls/Edit.h"

#include "platform/controls/EditControl.h"
#include "platform/core/Window.h"

#include <memory>

namespace {

const WString kControlProp = L"EditControl";

LRESULT EditProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        const auto& create = *reinterpret_cast<const CREATESTRUCT*>(lParam);
        SetProp(hwnd, kControlProp, std::make_unique<CEditControl>(hwnd, create).release());
        return DefWindowProc(hwnd, msg, wParam, lParam);
    }
    if (msg == WM_NCDESTROY) {
        std::unique_ptr<CEditControl> control(
            static_cast<CEditControl*>(RemoveProp(hwnd, kControlProp)));
        return 0;
    }
    auto* control = static_cast<CEditControl*>(GetProp(hwnd, kControlProp));
    return control ? control->Handle(msg, wParam, lParam)
                   : DefWindowProc(hwnd, msg, wParam, lParam);
}

} // namespace

void RegisterEditClass() {
    RegisterWindowClass(L"Edit", EditProc, CS_DBLCLKS, IDC_IBEAM);
}

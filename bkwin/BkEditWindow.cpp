#include "bkwin/BkEditWindow.h"

#include "bkwin/BkElementRegistry.h"
#include "bkwin/BkWindow.h"
#include "platform/controls/Edit.h"
#include "platform/core/Input.h"
#include "platform/core/MessageLoop.h"
#include "platform/core/Paint.h"
#include "platform/core/Window.h"

namespace {

const WString kOwnerProp = L"WndX";

// The procedure of the "Edit" class, taken when the first superclass is registered.
WNDPROC g_editProc = nullptr;

IBkEditWindowOwner* OwnerOf(HWND hwnd) {
    const auto handle = std::uint32_t(reinterpret_cast<std::uintptr_t>(GetProp(hwnd, kOwnerProp)));
    CBkWindow* element = handle ? ElementRegistry::Instance().Lookup(handle) : nullptr;
    return dynamic_cast<IBkEditWindowOwner*>(element);
}

LRESULT EditSuperclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        SetProp(hwnd, kOwnerProp, reinterpret_cast<const CREATESTRUCT*>(lParam)->lpCreateParams);
        if (IBkEditWindowOwner* owner = OwnerOf(hwnd)) {
            owner->EditWindowChanged(hwnd);
        }
    }
    if (IBkEditWindowOwner* owner = OwnerOf(hwnd)) {
        owner->BeforeEditMessage(hwnd, msg, wParam, lParam);
    }
    const LRESULT result = CallWindowProc(g_editProc, hwnd, msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        IBkEditWindowOwner* owner = OwnerOf(hwnd);
        RemoveProp(hwnd, kOwnerProp);
        if (owner) {
            owner->EditWindowChanged(nullptr);
        }
    }
    return result;
}

} // namespace

bool RegisterEditSuperclass(const WString& className) {
    WNDCLASS wc;
    if (GetClassInfo(className, &wc)) {
        return true;
    }
    if (!GetClassInfo(L"Edit", &wc)) {
        return false;
    }
    g_editProc = wc.lpfnWndProc;
    wc.lpfnWndProc = &EditSuperclassProc;
    wc.lpszClassName = className;
    return RegisterClass(wc);
}

HWND CreateEditWindow(const WString& className, const CBkWindow& owner,
                      const BkEditWindowSetup& setup) {
    if (!owner.hostWindow || !RegisterEditSuperclass(className)) {
        return nullptr;
    }
    const RECT& r = setup.rect;
    const HWND hwnd = CreateWindowEx(0, className, L"", setup.style, r.left, r.top, r.Width(),
                                     r.Height(), owner.hostWindow, UINT_PTR(owner.id),
                                     reinterpret_cast<void*>(std::uintptr_t(owner.handle)));
    if (!hwnd) {
        return nullptr;
    }
    SendMessage(hwnd, WM_SETFONT, WPARAM(setup.font), 1);
    if (setup.limit > 0) {
        SendMessage(hwnd, EM_LIMITTEXT, WPARAM(setup.limit), 0);
    }
    if (setup.password) {
        SendMessage(hwnd, EM_SETPASSWORDCHAR, L'*', 0);
    }
    SetWindowText(hwnd, setup.text);
    SendMessage(hwnd, EM_SETMODIFY, 0, 0);
    SendMessage(hwnd, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
    EnableWindow(hwnd, true);
    SendMessage(hwnd, EM_SETREADONLY, setup.readOnly, 0);
    // A box laid out inside a hidden container keeps its window hidden until it is shown.
    ShowWindow(hwnd, setup.visible ? SW_SHOWNOACTIVATE : SW_HIDE);
    return hwnd;
}

void FollowEditCommand(CBkWindow& element, HWND hwnd, WPARAM wParam) {
    if (HIWORD(wParam) == EN_CHANGE) {
        element.text = GetWindowText(hwnd);
        element.NotifyInvalidateRect(element.rect);
    } else if (HIWORD(wParam) == EN_UPDATE) {
        InvalidateRect(hwnd, nullptr, false);
    }
}

void TrackMouseLeave(HWND hwnd) {
    TRACKMOUSEEVENT request;
    request.dwFlags = TME_LEAVE;
    request.hwndTrack = hwnd;
    TrackMouseEvent(&request);
}

void SelectAllEditText(HWND hwnd) {
    const auto length = LPARAM(SendMessage(hwnd, WM_GETTEXTLENGTH, 0, 0));
    SendMessage(hwnd, EM_SETSEL, 0, length ? length : 1);
}

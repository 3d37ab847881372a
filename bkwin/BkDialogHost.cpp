#include "bkwin/BkDialogHost.h"

#include "bkwin/BkElementNotify.h"
#include "bkwin/BkResource.h"
#include "bkwin/BkWinManager.h"
#include "platform/core/Input.h"
#include "platform/core/MessageLoop.h"
#include "platform/core/Window.h"

#include <algorithm>

namespace {

const WString kDialogClass = L"BkDialogWindow";
constexpr UINT kHideAfterModal =
    SWP_HIDEWINDOW | SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE; // 0x97

LONG Distance(LONG a, LONG b) {
    return a > b ? a - b : b - a;
}

} // namespace

CBkDialogHost::CBkDialogHost(std::uint32_t layoutId) : layoutId(layoutId) {}

CBkDialogHost::~CBkDialogHost() {
    if (IsWindow(m_hwnd)) {
        SetWindowLongPtr(m_hwnd, GWLP_USERDATA, 0);
        DestroyWindow(m_hwnd);
    }
}

HWND CBkDialogHost::CreateDialogWindow(HWND owner, const RECT* rect) {
    if (!view.IsLayerLoaded()) {
        std::string xml;
        if (layoutId == 0 || !LoadSkinResource(int(layoutId), L"xml", xml) || !LoadLayer(xml)) {
            return nullptr;
        }
    }
    // Registering again fails harmlessly once the class exists.
    RegisterWindowClass(kDialogClass, &CBkDialogHost::WindowProc,
                        CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS | CS_DROPSHADOW, IDC_ARROW);
    const RECT place = rect ? *rect : RECT{};
    const BkLayerAttributes& layer = view.Layer();
    m_hwnd = CreateWindowEx(layer.windowExStyle, kDialogClass, layer.title, layer.windowStyle,
                            place.left, place.top, place.Width(), place.Height(), owner, 0, this);
    if (!m_hwnd) {
        return nullptr;
    }
    if (!view.Create(m_hwnd, {place.Width(), place.Height()})) {
        DestroyWindow(m_hwnd);
        return nullptr;
    }
    SendMessage(m_hwnd, WM_INITDIALOG, 0, 0);
    if (!IsWindow(m_hwnd)) {
        return nullptr; // the initialisation closed the dialog
    }
    view.ShowRealWindows(true);
    if (layer.width != 0 && layer.height != 0) {
        ResizeClient(layer.width, layer.height, false);
    }
    return m_hwnd;
}

std::int32_t CBkDialogHost::RunModal(HWND owner) {
    BkWinManager* manager = BkWinManager::Instance();
    if (!owner && manager) {
        owner = manager->CurrentWindow();
    }
    if (!owner) {
        owner = GetActiveWindow();
    }
    bool ownerDisabled = false;
    if (owner && owner != GetDesktopWindow() && IsWindowEnabled(owner)) {
        EnableWindow(owner, false);
        ownerDisabled = true;
    }

    endRequested = false;
    modalResult = 0;
    const HWND dialog = CreateDialogWindow(owner, nullptr);
    if (!dialog) {
        if (ownerDisabled) {
            EnableWindow(owner, true);
        }
        return 0;
    }
    const HWND previous = manager ? manager->SetCurrentWindow(dialog) : nullptr;
    CentreOn(owner);
    SetWindowPos(dialog, nullptr, 0, 0, 0, 0, SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE);

    // The loop leaves a WM_QUIT in the queue for the outer loop.
    RunModalLoop([&] { return endRequested || !IsWindow(dialog); },
                 [&](MSG& msg) { return PreTranslateMessage(msg); });

    endRequested = false;
    if (IsWindow(dialog)) {
        SetWindowPos(dialog, nullptr, 0, 0, 0, 0, kHideAfterModal);
    }
    if (ownerDisabled) {
        EnableWindow(owner, true);
    }
    if (owner && GetActiveWindow() == dialog) {
        SetActiveWindow(owner);
    }
    if (manager) {
        manager->SetCurrentWindow(previous);
    }
    if (IsWindow(dialog)) {
        DestroyWindow(dialog);
    }
    return modalResult;
}

void CBkDialogHost::EndModal(std::int32_t code) {
    modalResult = code;
    endRequested = true;
    PostThreadMessage(GetCurrentThreadId(), WM_NULL, 0, 0);
}

void CBkDialogHost::ResizeClient(int width, int height, bool repaint) {
    SetWindowPos(m_hwnd, nullptr, 0, 0, width, height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW));
}

void CBkDialogHost::CentreOn(HWND owner) {
    CentreWindowOn(m_hwnd, owner);
}

LRESULT CBkDialogHost::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCT*>(lParam);
        SetWindowLongPtr(hwnd, GWLP_USERDATA, LPARAM(create->lpCreateParams));
        static_cast<CBkDialogHost*>(create->lpCreateParams)->m_hwnd = hwnd;
    }
    auto* host = reinterpret_cast<CBkDialogHost*>(GetWindowLongPtr(hwnd, GWLP_USERDATA));
    if (!host) {
        return DefWindowProc(hwnd, msg, wParam, lParam);
    }
    if (msg == WM_NCDESTROY) {
        host->m_hwnd = nullptr;
        SetWindowLongPtr(hwnd, GWLP_USERDATA, 0);
        return DefWindowProc(hwnd, msg, wParam, lParam);
    }
    LRESULT result = 0;
    if (host->RouteMessage(hwnd, msg, wParam, lParam, result)) {
        return result;
    }
    // The view offers the cursor to a resizable dialog first; the default handling would
    // always set the class cursor, hiding every element's cursor.
    if (msg == WM_SETCURSOR && HWND(wParam) == host->view.Window()) {
        return 0;
    }
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

bool CBkDialogHost::ProcessDialogMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                         LRESULT& result) {
    switch (msg) {
    case WM_NCACTIVATE:
        result = 1;
        return true;
    case WM_ERASEBKGND:
        result = 1;
        return true;
    case WM_NCCALCSIZE:
        if (wParam != 1) {
            return false;
        }
        // The proposed window rectangle stays the client area: no frame, no caption.
        result = 0;
        return true;
    case WM_GETMINMAXINFO: {
        MONITORINFO monitor;
        if (GetMonitorInfo(hwnd, &monitor)) {
            const RECT& work = monitor.rcWork;
            const RECT& screen = monitor.rcMonitor;
            auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
            info->ptMaxPosition = {Distance(work.left, screen.left) - 1,
                                   Distance(work.top, screen.top) - 1};
            info->ptMaxSize = {work.Width() + 2, work.Height() + 2};
            info->ptMaxTrackSize = info->ptMaxSize;
        }
        result = 0;
        return true;
    }
    case WM_SIZE:
        if (wParam != SIZE_MINIMIZED && view.Window()) {
            MoveWindow(view.Window(), 0, 0, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), true);
        }
        return false;
    case WM_KEYDOWN:
        if (IsWindowEnabled(hwnd) && !(GetKeyState(VK_CONTROL) & 0x8000)) {
            if (wParam == VK_ESCAPE) {
                SendMessage(hwnd, WM_COMMAND, IDCANCEL, 0);
            } else if (wParam == VK_RETURN) {
                SendMessage(hwnd, WM_COMMAND, IDOK, 0);
            }
        }
        return false;
    case WM_CLOSE:
        SendMessage(hwnd, WM_COMMAND, IDCANCEL, 0);
        result = 0;
        return true;
    case WM_COMMAND: {
        const WORD command = LOWORD(wParam);
        if (command != IDOK && command != IDCANCEL) {
            return false;
        }
        ElementNotify record;
        record.hdr = {hwnd, VIEW_CTRL_ID, NOTIFY_ELEMENT_CLICK};
        record.itemId = command;
        record.itemTag = "";
        result = SendMessage(hwnd, WM_NOTIFY, VIEW_CTRL_ID, LPARAM(&record));
        return true;
    }
    default:
        return false;
    }
}

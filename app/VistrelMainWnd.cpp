#include "app/VistrelMainWnd.h"

#include "app/AppCommands.h"
#include "app/AppMessages.h"
#include "app/MainWindowHandle.h"
#include "app/UINotifyTask.h"
#include "bkwin/BkElementNotify.h"
#include "bkwin/BkIconPool.h"
#include "bkwin/BkMenuResource.h"
#include "bkwin/BkResource.h"
#include "bkwin/BkString.h"

#include "platform/core/Input.h"
#include "platform/core/MessageLoop.h"
#include "platform/core/Timer.h"
#include "platform/core/Window.h"
#include "platform/draw/Icon.h"

namespace {

constexpr int kTrayAttempts = 4;
constexpr UINT kNoticeShowMs = 5000;
constexpr UINT kTrayTipPeriodMs = 500;

// Whether the box shows and the message is a left-button release over its close button.
bool IsReleaseOverCloseButton(CBkSafeMsgBox2& box, const MSG& msg) {
    const HWND window = box.Window();
    if (!window || !IsWindowVisible(window) || msg.message != WM_LBUTTONUP ||
        (msg.hwnd != window && !IsChild(window, msg.hwnd))) {
        return false;
    }
    CBkWindow* close = box.view.FindElement(kBoxCloseButton);
    if (!close) {
        return false;
    }
    POINT at{GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
    ClientToScreen(msg.hwnd, &at);
    ScreenToClient(box.view.Window(), &at);
    return close->rect.Contains(at);
}

// Shows a box in front of every other window.
void BringForward(HWND box) {
    SetForegroundWindow(box);
    ShowWindow(box, SW_SHOW);
    BringWindowToTop(box);
}

} // namespace

CVistrelMainWnd::CVistrelMainWnd() : CBkDialogImpl<CVistrelMainWnd>(kMainLayout) {
    m_taskRunner.Start();
    m_handler = std::make_unique<CUIHandler>(*this);
    m_home = std::make_unique<CUIHandlerHome>(*this);
    m_setting = std::make_unique<CUIHandlerSetting>(*this);
}

CVistrelMainWnd::~CVistrelMainWnd() {
    // The task thread goes first, so that no notice reaches a window being taken apart; then
    // the handlers in order (the video tab's finishes the recording session).
    m_taskRunner.Stop();
    m_handler.reset();
    m_home.reset();
    m_setting.reset();
    SetMainWindowHandle(nullptr);
}

bool CVistrelMainWnd::ProcessWindowMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                           LRESULT& result) {
    if (const std::uint32_t element = ClickedElement(msg, wParam, lParam);
        element && OnHeaderClick(element)) {
        result = 0;
        return true;
    }
    if (ProcessRoundRectMessage(hwnd, msg, wParam, lParam, result)) {
        return true;
    }
    if (msg == WM_TIMER) {
        OnMainTimer(wParam); // the timer goes on down the chain
    }
    if (m_handler->ProcessWindowMessage(hwnd, msg, wParam, lParam, result) ||
        m_home->ProcessWindowMessage(hwnd, msg, wParam, lParam, result) ||
        m_setting->ProcessWindowMessage(hwnd, msg, wParam, lParam, result)) {
        return true;
    }
    switch (msg) {
    case WM_SHOW_NOTICE:
        OnShowNotice(reinterpret_cast<const wchar_t*>(lParam));
        result = 0;
        return true;
    case WM_INITDIALOG:
        OnInitDialog(hwnd);
        result = 1;
        return true;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) != SC_CLOSE) {
            break;
        }
        [[fallthrough]];
    case WM_CLOSE:
        // The desktop's close (the system menu, Alt+F4, the window manager) ends the program;
        // the tray icon goes with the process.
        Exit(false);
        result = 0;
        return true;
    default:
        break;
    }
    return ProcessDialogMessage(hwnd, msg, wParam, lParam, result);
}

bool CVistrelMainWnd::OnHeaderClick(std::uint32_t element) {
    const HWND hwnd = Window();
    switch (element) {
    case kCloseButton:
        HideToTray();
        return true;
    case kMinimiseButton:
        if (m_tray.Exists()) {
            ShowWindow(hwnd, SW_SHOWMINIMIZED);
        } else {
            HideToTray();
        }
        return true;
    case kMenuButton: {
        RECT client;
        GetClientRect(hwnd, &client);
        POINT at{client.right - 138, client.top + 22};
        ClientToScreen(hwnd, &at);
        TrackSkinMenu(kHeaderMenu, 0, at, hwnd);
        return true;
    }
    default:
        return false;
    }
}

void CVistrelMainWnd::HideToTray() {
    // Without a tray icon a hidden window could never be brought back (and a second start is
    // refused), so it is minimised instead.
    ShowWindow(Window(), m_tray.Exists() ? SW_HIDE : SW_SHOWMINIMIZED);
}

void CVistrelMainWnd::OnMainTimer(UINT_PTR id) {
    if (id == kTimerHideNotice) {
        KillTimer(Window(), kTimerHideNotice);
        if (m_noticeBox.Window()) {
            ShowWindow(m_noticeBox.Window(), SW_HIDE);
        }
    } else if (id == kTimerTrayTip) {
        m_tray.RefreshTip(BkString::Instance().Text(kStringProductName));
    }
}

void CVistrelMainWnd::OnInitDialog(HWND hwnd) {
    SetMainWindowHandle(hwnd);
    SendMessage(hwnd, WM_SETICON, ICON_BIG,
                reinterpret_cast<LPARAM>(BkIconPool::Instance().GetIcon(kLargeIcon)));
    SendMessage(hwnd, WM_SETICON, ICON_SMALL,
                reinterpret_cast<LPARAM>(BkIconPool::Instance().GetIcon(kSmallIcon)));

    m_handler->OnInit();
    PostNotification(L"提示", BkString::Instance().Text(kStringWelcome));
    m_home->OnInit();
    m_setting->OnInit();

    const int iconSize = GetSystemMetrics(SM_CXSMICON);
    m_trayIcon.reset(LoadSkinIcon(kLargeIcon, iconSize, iconSize));
    m_tray.Add(hwnd, WM_TRAY_NOTIFY, m_trayIcon.get(),
               BkString::Instance().Text(kStringProductName), kTrayAttempts);

    CreateBox(m_noticeBox, kNoticeLayout);
    SetTimer(hwnd, kTimerTrayTip, kTrayTipPeriodMs, nullptr);
    CreateBox(m_updatePrompt, kUpdatePromptLayout);
}

bool CVistrelMainWnd::CreateBox(CBkSafeMsgBox2& box, std::uint32_t layout) {
    box.modal = false;
    std::string xml;
    if (!LoadSkinResource(int(layout), L"xml", xml) || !box.LoadLayer(xml)) {
        return false;
    }
    return box.CreateDialogWindow(Window(), nullptr) != nullptr;
}

void CVistrelMainWnd::PostNotification(const WString& title, const WString& text) {
    ::PostNotification(m_taskRunner, title, text);
}

void CVistrelMainWnd::OnShowNotice(const wchar_t* text) {
    const HWND box = m_noticeBox.Window();
    if (!box) {
        return;
    }
    m_noticeBox.view.SetElementText(kBoxText, text ? WString(text) : WString());
    // Placed once, at the bottom-right corner of the work area; afterwards it stays where it
    // is.
    PlaceOnce(box, m_noticePlaced, [](const RECT& work, const RECT& rect) {
        return POINT{work.right - rect.Width(), work.bottom - rect.Height()};
    });
    BringForward(box);
    SetTimer(Window(), kTimerHideNotice, kNoticeShowMs, nullptr);
}

void CVistrelMainWnd::PlaceOnce(HWND box, bool& placed,
                                const std::function<POINT(const RECT&, const RECT&)>& place) {
    if (placed) {
        return;
    }
    placed = true;
    MONITORINFO monitor;
    GetMonitorInfo(nullptr, &monitor);
    RECT rect;
    GetWindowRect(box, &rect);
    const POINT at = place(monitor.rcWork, rect);
    SetWindowPos(box, nullptr, at.x, at.y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
}

void CVistrelMainWnd::ShowUpdatePrompt(const WString& markup) {
    const HWND box = m_updatePrompt.Window();
    if (!box) {
        return;
    }
    m_updatePrompt.view.SetElementRichText(kPromptRichText, markup);
    // Centred in the work area the first time; afterwards where it was.
    PlaceOnce(box, m_promptPlaced, [](const RECT& work, const RECT& rect) {
        return POINT{work.left + (work.Width() - rect.Width()) / 2,
                     work.top + (work.Height() - rect.Height()) / 2};
    });
    BringForward(box);
}

void CVistrelMainWnd::Exit(bool removeTrayIcon) {
    if (removeTrayIcon) {
        m_tray.Remove();
    }
    EndModal(2);
}

bool CVistrelMainWnd::PreTranslateMessage(MSG& msg) {
    for (CBkSafeMsgBox2* box : {&m_updatePrompt, &m_noticeBox}) {
        if (IsReleaseOverCloseButton(*box, msg)) {
            ShowWindow(box->Window(), SW_HIDE);
        }
    }
    return CBkDialogImpl<CVistrelMainWnd>::PreTranslateMessage(msg);
}

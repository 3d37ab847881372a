// A skinned dialog for tests: records the notifications and system commands it receives and
// ends its modal run on the keyboard's and closing's item 2. Input helpers address points of
// its client area on the headless screen.
#pragma once

#include "bkwin/BkDialogImpl.h"
#include "bkwin/BkElementNotify.h"
#include "bkwin/BkResource.h"
#include "bkwin/BkRoundRectFrame.h"
#include "platform/core/Input.h"
#include "platform/core/PaintDC.h"
#include "platform/core/headless/HeadlessScreen.h"
#include "platform/draw/Bitmap.h"
#include "platform/draw/DeviceContext.h"

#include <string>
#include <vector>

struct RecordedClick {
    HWND from = nullptr;
    UINT_PTR idFrom = 0;
    std::uint32_t itemId = 0;
    std::string tag;
};

class CTestDialog : public CBkDialogImpl<CTestDialog>, public CWHRoundRectFrameHelper<CTestDialog> {
public:
    explicit CTestDialog(std::uint32_t layout) : CBkDialogImpl<CTestDialog>(layout) {}

    bool ProcessWindowMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
        if (msg == WM_INITDIALOG) {
            ++initDialogs;
        } else if (msg == WM_SETCURSOR && frameCursor) {
            SetCursor(LoadCursor(frameCursor));
            result = 1;
            return true;
        } else if (msg == WM_COMMAND) {
            commands.push_back(wParam);
        } else if (msg == WM_SYSCOMMAND) {
            sysCommands.push_back(wParam);
        } else if (msg == WM_NOTIFY) {
            const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            if (wParam == VIEW_CTRL_ID && header->code == NOTIFY_ELEMENT_CLICK) {
                const auto* record = reinterpret_cast<const ElementNotify*>(lParam);
                clicks.push_back({header->hwndFrom, header->idFrom, record->itemId,
                                  record->itemTag ? record->itemTag : "(null)"});
                if (record->itemId == 2 && endOnCancel) {
                    EndModal(2);
                }
                result = 0;
                return true;
            }
            viewCodes.push_back(header->code);
            notifyRecords.push_back(lParam);
        }
        return ProcessDialogMessage(hwnd, msg, wParam, lParam, result) ||
               ProcessRoundRectMessage(hwnd, msg, wParam, lParam, result);
    }

    // Loads the layout resource into the view without creating the window.
    bool LoadLayout() {
        std::string xml;
        return LoadSkinResource(int(layoutId), L"xml", xml) && LoadLayer(xml);
    }

    // Loads the layout, creates the window at (100, 100) (the layer gives its size), shows it
    // and lets it paint; null when any step fails.
    HWND LoadAndShow() {
        const RECT place{100, 100, 110, 110};
        HWND hwnd = LoadLayout() ? CreateDialogWindow(nullptr, &place) : nullptr;
        if (hwnd) {
            ShowWindow(hwnd, SW_SHOW);
            headless::PumpMessages();
        }
        return hwnd;
    }

    // The ids of the elements clicked, in order.
    std::vector<std::uint32_t> ClickedIds() const {
        std::vector<std::uint32_t> ids;
        for (const RecordedClick& click : clicks) {
            ids.push_back(click.itemId);
        }
        return ids;
    }

    std::vector<RecordedClick> clicks;
    std::vector<UINT> viewCodes;
    std::vector<WPARAM> sysCommands;
    std::vector<WPARAM> commands;
    std::vector<LPARAM> notifyRecords;
    // When set, the dialog chooses this cursor for the view (as a sizing frame would).
    HCURSOR frameCursor = 0;
    int initDialogs = 0;
    bool endOnCancel = true;
};

// A client point of the dialog on the screen.
inline POINT ScreenPoint(HWND dialog, int x, int y) {
    POINT point{x, y};
    ClientToScreen(dialog, &point);
    return point;
}

inline void MoveTo(HWND dialog, int x, int y) {
    const POINT p = ScreenPoint(dialog, x, y);
    headless::MoveMouse(p.x, p.y);
    headless::PumpMessages();
}

inline void ClickAt(HWND dialog, int x, int y) {
    MoveTo(dialog, x, y);
    headless::PressButton();
    headless::ReleaseButton();
    headless::PumpMessages();
}

// The colour the dialog last painted at the client point.
inline COLORREF PaintedAt(HWND dialog, int x, int y) {
    const CBitmap* surface = GetWindowSurface(dialog);
    if (!surface || x < 0 || y < 0 || x >= surface->Width() || y >= surface->Height()) {
        return CLR_INVALID;
    }
    const std::uint8_t* pixel = surface->Row(y) + 4 * x;
    return RGB(pixel[2], pixel[1], pixel[0]);
}

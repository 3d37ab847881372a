// The base of application dialogs. T may declare its own
//     bool ProcessWindowMessage(HWND, UINT, WPARAM, LPARAM, LRESULT&)
// as an ordered chain of links (the first that handles a message ends it) that ends with
// ProcessDialogMessage; without one, only the dialog's own handling runs.
#pragma once

#include "bkwin/BkDialogHost.h"

template <class T> class CBkDialogImpl : public CBkDialogHost {
public:
    explicit CBkDialogImpl(std::uint32_t layoutId) : CBkDialogHost(layoutId) {}

    bool ProcessWindowMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
        return ProcessDialogMessage(hwnd, msg, wParam, lParam, result);
    }

protected:
    bool RouteMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) final {
        return static_cast<T*>(this)->ProcessWindowMessage(hwnd, msg, wParam, lParam, result);
    }
};

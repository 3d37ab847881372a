// The window side of a skinned dialog: the borderless dialog window holding one view, its
// creation from a layer, the modal run and the dialog's own message handling. Application
// dialogs derive from the template CBkDialogImpl, which routes messages to their chain.
#pragma once

#include "bkwin/BkDialogView.h"

#include <cstdint>
#include <string>

class CBkDialogHost {
public:
    explicit CBkDialogHost(std::uint32_t layoutId);
    virtual ~CBkDialogHost();
    CBkDialogHost(const CBkDialogHost&) = delete;
    CBkDialogHost& operator=(const CBkDialogHost&) = delete;

    bool LoadLayer(const std::string& xml) { return view.LoadLayer(xml); }
    // Loads the layout once, creates the dialog window and its view and sends WM_INITDIALOG.
    // `rect` null: the platform's default place and no size. Null on failure.
    HWND CreateDialogWindow(HWND owner, const RECT* rect);
    // Runs the dialog modally, disabling its owner (the given one, else the thread's current
    // dialog, else the active window) meanwhile; answers the EndModal code, 0 when the run
    // ended by WM_QUIT or by the window's destruction.
    std::int32_t RunModal(HWND owner);
    void EndModal(std::int32_t code);
    // Keeps the top-left corner and makes the client area width x height.
    void ResizeClient(int width, int height, bool repaint);

    HWND Window() const { return m_hwnd; }

    // Offered every message of the modal loop first; true takes it. Dialogs may add their own
    // checks before calling this.
    virtual bool PreTranslateMessage(MSG& msg) { return view.PreTranslateMessage(msg); }

    const std::uint32_t layoutId;
    std::int32_t modalResult = 0;
    CBkDialogView view;
    bool endRequested = false;

protected:
    // The application's message chain (see CBkDialogImpl); true when a link handled it.
    virtual bool RouteMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                              LRESULT& result) = 0;
    // The dialog's own handling, the link after the application's ones.
    bool ProcessDialogMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);

private:
    static LRESULT WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    void CentreOn(HWND owner);

    HWND m_hwnd = nullptr;
};

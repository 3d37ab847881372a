// Keyboard navigation for dialogs: Tab and Shift+Tab move the focus among the dialog's tab
// stops, Enter and Esc become WM_COMMAND IDOK and IDCANCEL to the dialog.
#pragma once

#include "platform/base/Messages.h"

// WM_GETDLGCODE answers.
constexpr LRESULT DLGC_WANTARROWS = 0x0001;
constexpr LRESULT DLGC_WANTTAB = 0x0002;
constexpr LRESULT DLGC_WANTALLKEYS = 0x0004;
constexpr LRESULT DLGC_WANTCHARS = 0x0080;

// Takes the message when it is for the dialog or a window inside it: navigation keys are
// handled here, the rest is translated and dispatched. Answers false for other windows'
// messages, which the caller dispatches itself.
bool IsDialogMessage(HWND dialog, MSG* msg);

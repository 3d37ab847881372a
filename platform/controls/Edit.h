// The "Edit" class: a single-line or multi-line text field with a caret, selection by mouse and
// keys, clipboard copy, cut and paste, one-step undo, and change notifications to its parent.
//
// A new edit shows its window title as text in the default GUI font, with 1-pixel margins and
// room for 32767 characters. A multi-line edit breaks lines at CR LF (Enter types one), LF or
// CR. Read-only edits refuse every change but still move the caret, select and copy; ES_NUMBER
// edits refuse typed and pasted text that is not all ASCII digits; a password edit shows its
// character for each character and never copies or cuts. The limit and the flags hold back the
// user only: WM_SETTEXT sets any text.
//
// Notifications go to the parent as WM_COMMAND with the control id in the low word of wParam,
// the code in the high word and the edit's window as lParam. A change the user makes sends
// EN_UPDATE, then EN_CHANGE; WM_SETTEXT sends both in a single-line edit and EN_UPDATE alone in
// a multi-line one. Typing or pasting past the length limit sends EN_MAXTEXT.
//
// Before painting, the edit sends WM_CTLCOLOREDIT (WM_CTLCOLORSTATIC when read-only or
// disabled) to its parent with the device context as wParam: the text and background colours
// and the background mode the parent sets on that context are used, and a non-zero answer is
// the brush for the rest of the background.
#pragma once

#include "platform/base/Messages.h"
#include "platform/base/Types.h"

// Styles.
constexpr DWORD ES_LEFT = 0x0000;
constexpr DWORD ES_MULTILINE = 0x0004;
constexpr DWORD ES_PASSWORD = 0x0020;
constexpr DWORD ES_AUTOVSCROLL = 0x0040;
// Without it a single-line edit takes no more text than its width shows.
constexpr DWORD ES_AUTOHSCROLL = 0x0080;
// The selection stays visible while the edit has no focus.
constexpr DWORD ES_NOHIDESEL = 0x0100;
constexpr DWORD ES_READONLY = 0x0800;
constexpr DWORD ES_WANTRETURN = 0x1000;
constexpr DWORD ES_NUMBER = 0x2000;

// EM_SETMARGINS and EM_GETMARGINS sides.
constexpr WPARAM EC_LEFTMARGIN = 0x0001;
constexpr WPARAM EC_RIGHTMARGIN = 0x0002;

// Answered by WM_GETDLGCODE besides the codes of DialogMessage.h: the edit takes EM_SETSEL.
constexpr LRESULT DLGC_HASSETSEL = 0x0008;

// Window timers of the edit; a subclass keeps its own timers clear of these ids. The caret
// blinks by the first while the edit has the focus.
constexpr UINT_PTR kEditCaretTimer = 0x45444954;
// While a drag selection holds the pointer outside the text, this timer of the edit moves the
// caret on and scrolls.
constexpr UINT_PTR kEditDragScrollTimer = 0x45444955;

void RegisterEditClass();

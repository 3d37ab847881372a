// Calling window procedures from the core.
#pragma once

#include "platform/base/Messages.h"

// Calls the window's current procedure with the table lock released; answers 0 for a window
// that no longer exists.
LRESULT InvokeWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
bool WindowBelongsTo(HWND hwnd, DWORD threadId);

// The title as DefWindowProc keeps it: WM_SETTEXT, WM_GETTEXT and WM_GETTEXTLENGTH.
LRESULT StoreWindowTitle(HWND hwnd, const wchar_t* text);
LRESULT CopyWindowTitle(HWND hwnd, WPARAM capacity, wchar_t* buffer, bool lengthOnly);

// Posts a message record as it is (with its typed character) to its window's thread, stamping
// the time and pointer position.
bool PostPreparedMessage(MSG msg);

// Key state follows the key messages as the thread retrieves them, so a handler sees the
// modifiers that were held when its key was pressed.
void NoteRetrievedInput(const MSG& msg);

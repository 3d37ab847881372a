// Per-thread message queues: posting, sending, retrieval and dispatch, and modal loops.
#pragma once

#include "platform/base/Messages.h"
#include "platform/base/Types.h"

#include <functional>

constexpr UINT PM_NOREMOVE = 0x0000;
constexpr UINT PM_REMOVE = 0x0001;

DWORD GetCurrentThreadId();

// Queue a message for the window's thread; false when the window does not exist.
bool PostMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
bool PostThreadMessage(DWORD threadId, UINT msg, WPARAM wParam, LPARAM lParam);
void PostQuitMessage(int exitCode);

// Calls the window procedure and answers its result. A window of another thread handles the
// message on its own thread while the sender waits; meanwhile the sender handles messages
// sent to it. Answers 0 at once when the window does not exist or is destroyed while waiting.
LRESULT SendMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
// True while the current thread handles a message sent by another thread.
bool InSendMessage();

// Waits for a message (handling sent messages meanwhile). Answers 0 for WM_QUIT, else 1.
// A window filter also accepts the window's children; a range of 0,0 accepts all.
int GetMessage(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax);
bool PeekMessage(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT removeFlags);
// Blocks until something is queued for the thread.
void WaitMessage();
// Queues WM_CHAR for a key press that carries text.
bool TranslateMessage(const MSG* msg);
LRESULT DispatchMessage(const MSG* msg);

// Runs GetMessage / TranslateMessage / DispatchMessage until `ended` answers true (checked
// before each wait) or WM_QUIT arrives; a WM_QUIT is posted again so the outer loop sees it.
// `preTranslate` may take a message before it is dispatched. Answers false on WM_QUIT.
bool RunModalLoop(const std::function<bool()>& ended,
                  const std::function<bool(MSG&)>& preTranslate = nullptr);

// Native input enters the window system here, from a backend or from a test. Mouse input goes
// to the capture holder, else to the deepest visible, enabled window under the pointer;
// keyboard input goes to the focus window. Messages are posted to the target window's thread.
#pragma once

#include "platform/base/Types.h"

void InjectMouseMove(POINT screenPoint);
// `button` is MK_LBUTTON, MK_RBUTTON or MK_MBUTTON. Two presses close in time and place make a
// double-click message for windows whose class has CS_DBLCLKS.
void InjectMouseButton(WPARAM button, bool down);
void InjectMouseWheel(int delta);
// A key press or release by virtual key; `text` is what the press types (empty for none).
void InjectKey(WPARAM virtualKey, bool down, const WString& text);
// The pointer leaves every window (it went off the display's windows).
void InjectPointerGone();

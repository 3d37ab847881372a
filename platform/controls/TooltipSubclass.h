// TTF_SUBCLASS tools: the tool window's procedure is wrapped so that its mouse messages are
// relayed to every tooltip that subclassed it before the window itself handles them.
#pragma once

#include "platform/base/Types.h"

// Starts relaying `toolWindow`'s mouse messages to `tooltip` (once per pair).
void SubclassToolWindow(HWND toolWindow, HWND tooltip);
// Stops relaying to `tooltip`; the original procedure comes back when no tooltip is left and
// nobody has wrapped the procedure since.
void UnsubclassToolWindow(HWND toolWindow, HWND tooltip);

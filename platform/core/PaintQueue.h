// WM_PAINT generation for the message loop.
#pragma once

#include "platform/base/Messages.h"

// Finds a window of the calling thread that needs painting and passes the filter, choosing
// parents before their children.
bool TakePaint(MSG* msg, HWND filter);

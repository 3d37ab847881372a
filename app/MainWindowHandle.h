// The process-wide handle of the main window, through which other threads (the UI task
// thread) reach it by sending messages.
#pragma once

#include "platform/base/Types.h"

// Set by the main window once its window exists, and cleared (null) when it goes.
void SetMainWindowHandle(HWND window);
// The main window, or null while there is none.
HWND MainWindowHandle();

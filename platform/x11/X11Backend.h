// The X11 display: top-level windows become X windows (children are drawn into them by the
// window system), X events become input, and window changes go to the window manager through
// the EWMH and Motif hints.
#pragma once

#include "platform/core/Backend.h"

#include <memory>
#include <string>

// Connects to the display named by DISPLAY; null with a reason when that is impossible.
std::unique_ptr<IBackend> OpenX11Backend(std::string* error);

// Installs the X11 backend for a program, or prints one clear message on standard error and
// answers false (the program then exits with status 1).
bool InstallX11Backend(const char* programName);

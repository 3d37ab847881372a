// Pictures of windows and of the whole screen as PNG files, for tests and for looking at.
#pragma once

#include "platform/base/Types.h"

#include <string>

// The window's area of its top-level window's surface (what it last painted). False when the
// window has no surface yet or the file cannot be written.
bool WriteWindowPng(HWND hwnd, const std::string& path);
// The virtual screen: the desktop colour with every visible top-level window that has painted
// drawn over it, bottom to top, each within its window region.
bool WriteScreenPng(const std::string& path);

// Opening files and links with the desktop's default program.
#pragma once

#include "platform/base/Types.h"

#include <cstdint>

constexpr std::intptr_t SE_ERR_FNF = 2;
constexpr std::intptr_t SE_ERR_NOASSOC = 31;

// The verb "open" (or none) hands `file` to xdg-open, started directly with an argument
// vector (no shell reads the text). Answers a value above 32 when the program started, as
// the classic call does; the program runs on by itself.
std::intptr_t ShellExecute(HWND hwnd, const WString& verb, const WString& file,
                           const WString& parameters, const WString& directory, int show);

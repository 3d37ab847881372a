// The "Static" class: a picture (SS_BITMAP) or a line of text.
#pragma once

#include "platform/base/Messages.h"
#include "platform/base/Types.h"

constexpr DWORD SS_LEFT = 0x00000000;
constexpr DWORD SS_BITMAP = 0x0000000E;
constexpr DWORD SS_TYPEMASK = 0x0000001F;

// STM_SETIMAGE and STM_GETIMAGE kinds.
constexpr WPARAM IMAGE_BITMAP = 0;

// The control borrows the bitmap STM_SETIMAGE gives it (answering the previous one); whoever
// set it deletes it. A picture control without a bitmap paints nothing.
void RegisterStaticClass();

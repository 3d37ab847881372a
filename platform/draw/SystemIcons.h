// The system's standard icons (error, question, warning, information, application), drawn by
// the layer at 32 x 32 with alpha.
#pragma once

#include "platform/draw/Icon.h"

constexpr UINT IDI_APPLICATION = 32512;
constexpr UINT IDI_HAND = 32513; // error
constexpr UINT IDI_QUESTION = 32514;
constexpr UINT IDI_EXCLAMATION = 32515; // warning
constexpr UINT IDI_ASTERISK = 32516;    // information
constexpr UINT IDI_ERROR = IDI_HAND;
constexpr UINT IDI_WARNING = IDI_EXCLAMATION;
constexpr UINT IDI_INFORMATION = IDI_ASTERISK;

// With no module, the shared system icon `id`; null for other ids. Programs load their own
// icons from their resources. Shared icons live for the process: DestroyIcon leaves them.
HICON LoadIcon(const void* module, UINT id);

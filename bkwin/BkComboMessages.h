// The messages of the combo box.
#pragma once

#include "platform/base/Messages.h"

// Element message to the combo from its pop-up list: wparam = the chosen index, lparam = the
// chosen text (const wchar_t*).
constexpr UINT WM_BK_COMBO_SELECT = 2260;
// Window message from the combo to its host window after a choice from the list: wparam = the
// chosen index, lparam = the chosen text (const wchar_t*).
constexpr UINT WM_BK_COMBO_CHOSEN = 2259;

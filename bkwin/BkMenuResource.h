// Menu resources: a menu of pop-ups, read from the "menu" resource XML (root `menu`, one
// `popup` per pop-up holding `item` (id, text) and `separator` elements in order).
#pragma once

#include "platform/controls/Menu.h"

// The menu of that id (the caller destroys it with DestroyMenu); null when the resource is
// missing, does not parse, or its root is not `menu`.
HMENU LoadSkinMenu(int id);

// Shows the first pop-up of menu `id` at the screen point, owned by `owner` (the choice reaches
// it as WM_COMMAND), and frees the menu afterwards. False when the menu does not load.
bool TrackSkinMenu(int id, UINT flags, POINT at, HWND owner);

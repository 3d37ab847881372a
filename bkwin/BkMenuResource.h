// Menu resources: a menu of pop-ups, read from the "menu" resource XML (root `menu`, one
// `popup` per pop-up holding `item` (id, text) and `separator` elements in order).
#pragma once

#include "platform/controls/Menu.h"

// The menu of that id (the caller destroys it with DestroyMenu); null when the resource is
// missing, does not parse, or its root is not `menu`.
HMENU LoadSkinMenu(int id);

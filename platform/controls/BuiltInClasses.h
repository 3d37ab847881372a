// The window classes the window system provides itself ("Static", "Edit", the tooltip, the
// pop-up menu, ...), registered before the first class lookup.
#pragma once

void EnsureBuiltInClasses();

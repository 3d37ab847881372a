// The start-up call of every program and test fixture: makes the platform's standard window
// classes ("Static", "Edit", the tooltip, pop-up menus, the tray icon and the folder chooser)
// known to the window system.
#pragma once

void InitStandardClasses();

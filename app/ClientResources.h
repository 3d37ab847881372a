// The skinned interface's resources as the program uses them: the string table, the default
// font, the skins and the styles.
#pragma once

// The one string table shipped (Simplified Chinese, like every text of the layouts) serves
// every desktop language: without it notices would be empty and message boxes would have no
// buttons. A resource that does not load leaves the interface with what did.
void LoadClientResources();

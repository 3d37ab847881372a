// Where recordings go while no folder is set: "Vistrel" in the user's videos folder.
#pragma once

#include <string>

// $XDG_VIDEOS_DIR/Vistrel, with XDG_VIDEOS_DIR from the environment or from
// $XDG_CONFIG_HOME/user-dirs.dirs (default ~/.config/user-dirs.dirs); else $HOME/Videos/Vistrel.
// Empty when neither is known.
std::string DefaultVideoFolder();

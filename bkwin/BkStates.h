// Element state bits, shared by elements and the skins that paint them.
#pragma once

constexpr int STATE_HOVER = 1;  // the mouse is over the element
constexpr int STATE_PUSHED = 2; // the left button went down on it and is held
constexpr int STATE_CHECKED = 4;
constexpr int STATE_HIDDEN = 8;
constexpr int STATE_DISABLED = 16;

// The top-level windows that have a surface, for composing the screen.
#pragma once

#include "platform/base/Types.h"

#include <vector>

std::vector<HWND> PaintedTopLevels();

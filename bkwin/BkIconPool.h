// The process-wide cache of the program's icons at the small-icon size (the tray icon); it
// owns them.
#pragma once

#include <memory>
#include <unordered_map>

#include "platform/draw/Icon.h"

class BkIconPool {
public:
    static BkIconPool& Instance();

    // The cached icon, else the icon resource loaded at the small-icon size and cached; null
    // when there is none (not cached, so a later call tries again).
    HICON GetIcon(int id);

private:
    std::unordered_map<int, CIconPtr> m_icons;
};

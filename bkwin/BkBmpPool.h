// The process-wide cache of the program's bitmap resources; it owns the bitmaps, which skins
// share.
#pragma once

#include <unordered_map>

#include "platform/draw/Bitmap.h"

class BkBmpPool {
public:
    static BkBmpPool& Instance();

    // The cached bitmap, else the resource loaded and cached; null when there is none (not
    // cached, so a later call tries again).
    HBITMAP Get(int id);

private:
    std::unordered_map<int, CGdiHandle<HBITMAP>> m_bitmaps;
};

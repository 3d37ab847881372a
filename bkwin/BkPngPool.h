// The process-wide cache of decoded PNG resources, as 32-bit bitmaps with straight alpha; it
// owns them, and skins share them.
#pragma once

#include <unordered_map>

#include "platform/draw/Bitmap.h"

class BkPngPool {
public:
    static BkPngPool& Instance();

    // The cached image, else the resource decoded and cached. An id that names no PNG, or a
    // PNG that does not decode, gives null, and that answer is cached too.
    HBITMAP Get(int id);

private:
    std::unordered_map<int, CGdiHandle<HBITMAP>> m_images;
};

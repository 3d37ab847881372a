#include "bkwin/BkBmpPool.h"

#include "bkwin/BkResource.h"

BkBmpPool& BkBmpPool::Instance() {
    // Never destroyed: the drawing layer's object table may be gone by the time static
    // destructors run, so the bitmaps are left to the operating system at exit.
    static BkBmpPool& instance = *new BkBmpPool;
    return instance;
}

HBITMAP BkBmpPool::Get(int id) {
    auto it = m_bitmaps.find(id);
    if (it != m_bitmaps.end()) {
        return it->second;
    }
    HBITMAP bitmap = LoadSkinBitmap(id);
    if (bitmap != nullptr) {
        m_bitmaps.emplace(id, CGdiHandle<HBITMAP>(bitmap));
    }
    return bitmap;
}

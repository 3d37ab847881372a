#include "bkwin/BkBmpPool.h"

#include "bkwin/BkResource.h"

BkBmpPool& BkBmpPool::Instance() {
    // Never destroyed: the drawing layer's object table may be gone by the time static
    // destructors run, so the bitmaps are left to the operating system at exit.
    static BkBmpPool& instance = *new BkBmpPool;
    return instance;
}

HBITMAP BkBmpPool::Get(int id) {
    auto it = bitmaps_.find(id);
    if (it != bitmaps_.end()) {
        return it->second;
    }
    HBITMAP bitmap = LoadSkinBitmap(id);
    if (bitmap != nullptr) {
        bitmaps_.emplace(id, CGdiHandle<HBITMAP>(bitmap));
    }
    return bitmap;
}

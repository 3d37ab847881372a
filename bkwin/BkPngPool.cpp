#include "bkwin/BkPngPool.h"

#include "bkwin/BkResource.h"
#include "platform/draw/image/PngRead.h"

BkPngPool& BkPngPool::Instance() {
    // Never destroyed: the drawing layer's object table may be gone by the time static
    // destructors run, so the images are left to the operating system at exit.
    static BkPngPool& instance = *new BkPngPool;
    return instance;
}

HBITMAP BkPngPool::Get(int id) {
    auto it = m_images.find(id);
    if (it != m_images.end()) {
        return it->second;
    }
    std::string bytes;
    HBITMAP image = nullptr;
    if (LoadSkinResource(id, L"png", bytes)) {
        image = LoadPngBitmap(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    }
    m_images.emplace(id, CGdiHandle<HBITMAP>(image));
    return image;
}

#include "platform/draw/GdiObject.h"

#include <mutex>
#include <unordered_set>

namespace {

// Every live object, so that handles can be checked before use.
struct CLiveObjects {
    std::mutex lock;
    std::unordered_set<const CGdiObject*> objects; // guarded by lock
};

CLiveObjects& LiveObjects() {
    static CLiveObjects live;
    return live;
}

} // namespace

CGdiObject::CGdiObject(GdiKind kind, bool stock) : m_kind(kind), m_stock(stock) {
    CLiveObjects& live = LiveObjects();
    std::lock_guard guard(live.lock);
    live.objects.insert(this);
}

CGdiObject::~CGdiObject() {
    CLiveObjects& live = LiveObjects();
    std::lock_guard guard(live.lock);
    live.objects.erase(this);
}

void CGdiObject::Release() {
    if (m_refs.fetch_sub(1, std::memory_order_acq_rel) == 1) {
        delete this;
    }
}

bool IsGdiObject(HGDIOBJ object) {
    if (!object) {
        return false;
    }
    CLiveObjects& live = LiveObjects();
    std::lock_guard guard(live.lock);
    return live.objects.count(object) != 0;
}

bool DeleteObject(HGDIOBJ object) {
    {
        CLiveObjects& live = LiveObjects();
        std::lock_guard guard(live.lock);
        if (!object || !live.objects.count(object)) {
            return false;
        }
        if (object->m_stock) {
            return true;
        }
        // The handle is dead from here on, even while contexts still hold the object.
        live.objects.erase(object);
    }
    object->Release();
    return true;
}

#include "capture/FramePool.h"

void FrameWorkItemDeleter::operator()(FrameWorkItem* item) const {
    if (pool) {
        pool->Recycle(item);
    } else {
        delete item;
    }
}

FrameWorkItemPtr CFramePool::Acquire() {
    std::unique_ptr<FrameWorkItem> item;
    {
        std::lock_guard lock(m_lock);
        if (!m_free.empty()) {
            item = std::move(m_free.back());
            m_free.pop_back();
        }
    }
    if (!item) {
        item = std::make_unique<FrameWorkItem>();
    }
    return FrameWorkItemPtr(item.release(), FrameWorkItemDeleter(this));
}

void CFramePool::Recycle(FrameWorkItem* item) {
    std::unique_ptr<FrameWorkItem> recycled(item);
    recycled->encoder = nullptr;
    recycled->cameraIndex = 0;
    recycled->cameraCount = 0;
    recycled->final = false;
    std::lock_guard lock(m_lock);
    m_free.push_back(std::move(recycled));
}

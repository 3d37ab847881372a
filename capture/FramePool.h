// A capture slot's work items with their images, used again frame after frame: a grab writes
// straight into the image of an item the dispatch thread has finished with, so recording
// allocates nothing per frame and the kernel zeroes no fresh pages for it. The pool holds as
// many items as the slot ever had in flight at once, which the dispatch queue bounds.
#pragma once

#include "capture/FrameWorkItem.h"

#include <mutex>
#include <vector>

class CFramePool {
public:
    CFramePool() = default;
    CFramePool(const CFramePool&) = delete;
    CFramePool& operator=(const CFramePool&) = delete;

    // An item with its fields at their defaults except the image, which keeps the buffer of its
    // last use; a new item when none is free. Its deleter brings it back here, from any thread.
    // The pool must outlive the items it hands out.
    FrameWorkItemPtr Acquire();

private:
    friend struct FrameWorkItemDeleter;
    void Recycle(FrameWorkItem* item);

    std::mutex m_lock;
    std::vector<std::unique_ptr<FrameWorkItem>> m_free; // guarded by m_lock
};

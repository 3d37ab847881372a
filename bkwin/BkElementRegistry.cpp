#include "bkwin/BkElementRegistry.h"

ElementRegistry& ElementRegistry::Instance() {
    static ElementRegistry registry;
    return registry;
}

std::uint32_t ElementRegistry::Register(CBkWindow* element) {
    std::lock_guard guard(lock_);
    const std::uint32_t handle = ++counter_;
    elements_.emplace(handle, element);
    return handle;
}

CBkWindow* ElementRegistry::Lookup(std::uint32_t handle) const {
    std::lock_guard guard(lock_);
    const auto found = elements_.find(handle);
    return found == elements_.end() ? nullptr : found->second;
}

void ElementRegistry::Unregister(std::uint32_t handle) {
    std::lock_guard guard(lock_);
    elements_.erase(handle);
}

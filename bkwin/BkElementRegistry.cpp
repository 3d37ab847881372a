#include "bkwin/BkElementRegistry.h"

#include "bkwin/BkWindow.h"

#include <algorithm>

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

void ElementRegistry::JoinRadioGroup(const std::string& group, std::uint32_t radio) {
    std::lock_guard guard(lock_);
    radioGroups_[group].push_back(radio);
}

void ElementRegistry::LeaveRadioGroup(const std::string& group, std::uint32_t radio) {
    std::lock_guard guard(lock_);
    const auto found = radioGroups_.find(group);
    if (found == radioGroups_.end()) {
        return;
    }
    std::erase(found->second, radio);
    if (found->second.empty()) {
        radioGroups_.erase(found);
    }
}

std::vector<CBkWindow*> ElementRegistry::SelectRadio(const std::string& group,
                                                     std::uint32_t radio) {
    std::lock_guard guard(lock_);
    std::vector<CBkWindow*> cleared;
    const auto self = elements_.find(radio);
    if (self != elements_.end()) {
        self->second->state |= STATE_CHECKED;
    }
    const auto members = radioGroups_.find(group);
    if (members == radioGroups_.end()) {
        return cleared;
    }
    for (std::uint32_t member : members->second) {
        const auto found = elements_.find(member);
        if (member == radio || found == elements_.end()) {
            continue;
        }
        CBkWindow* other = found->second;
        if (other->state & STATE_CHECKED) {
            other->state &= ~STATE_CHECKED;
            cleared.push_back(other);
        }
    }
    return cleared;
}

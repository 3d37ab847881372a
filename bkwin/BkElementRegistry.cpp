#include "bkwin/BkElementRegistry.h"

#include "bkwin/BkWindow.h"

#include <algorithm>

ElementRegistry& ElementRegistry::Instance() {
    static ElementRegistry registry;
    return registry;
}

std::uint32_t ElementRegistry::Register(CBkWindow* element) {
    std::lock_guard guard(m_lock);
    const std::uint32_t handle = ++m_counter;
    m_elements.emplace(handle, element);
    return handle;
}

CBkWindow* ElementRegistry::Lookup(std::uint32_t handle) const {
    std::lock_guard guard(m_lock);
    const auto found = m_elements.find(handle);
    return found == m_elements.end() ? nullptr : found->second;
}

void ElementRegistry::Unregister(std::uint32_t handle) {
    std::lock_guard guard(m_lock);
    m_elements.erase(handle);
}

void ElementRegistry::JoinRadioGroup(const std::string& group, std::uint32_t radio) {
    std::lock_guard guard(m_lock);
    m_radioGroups[group].push_back(radio);
}

void ElementRegistry::LeaveRadioGroup(const std::string& group, std::uint32_t radio) {
    std::lock_guard guard(m_lock);
    const auto found = m_radioGroups.find(group);
    if (found == m_radioGroups.end()) {
        return;
    }
    std::erase(found->second, radio);
    if (found->second.empty()) {
        m_radioGroups.erase(found);
    }
}

std::vector<CBkWindow*> ElementRegistry::SelectRadio(const std::string& group,
                                                     std::uint32_t radio) {
    std::lock_guard guard(m_lock);
    std::vector<CBkWindow*> cleared;
    const auto self = m_elements.find(radio);
    if (self != m_elements.end()) {
        self->second->state |= STATE_CHECKED;
    }
    const auto members = m_radioGroups.find(group);
    if (members == m_radioGroups.end()) {
        return cleared;
    }
    for (std::uint32_t member : members->second) {
        const auto found = m_elements.find(member);
        if (member == radio || found == m_elements.end()) {
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

CBkWindow* ElementRegistry::FindElementById(std::int32_t id, HWND host) const {
    std::lock_guard guard(m_lock);
    CBkWindow* first = nullptr;
    std::uint32_t firstHandle = 0;
    for (const auto& [handle, element] : m_elements) {
        if (element->id == id && (!host || element->hostWindow == host) &&
            (!first || handle < firstHandle)) {
            first = element;
            firstHandle = handle;
        }
    }
    return first;
}

// The process-wide map from element handles to elements. Elements refer to each other (parent
// links, the host's hovered and pressed elements) by handle, so a destroyed element is simply
// not found instead of being reached through a dangling pointer.
#pragma once

#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/base/Types.h"

class CBkWindow;

class ElementRegistry {
public:
    static ElementRegistry& Instance();

    // Gives the element the next handle (1, 2, 3, ...; never reused).
    std::uint32_t Register(CBkWindow* element);
    // The element under the handle, or null when it was destroyed or never existed.
    CBkWindow* Lookup(std::uint32_t handle) const;
    void Unregister(std::uint32_t handle);

    // Radio groups: each radio element joins one group by name (the empty name included).
    void JoinRadioGroup(const std::string& group, std::uint32_t radio);
    void LeaveRadioGroup(const std::string& group, std::uint32_t radio);
    // Sets STATE_CHECKED on the radio and clears it on every other checked member of the
    // group, all under the lock; answers the members it cleared, for repainting.
    std::vector<CBkWindow*> SelectRadio(const std::string& group, std::uint32_t radio);

    // The first registered element with the id, and with the host window when one is given.
    CBkWindow* FindElementById(std::int32_t id, HWND host) const;

private:
    mutable std::mutex m_lock; // guards m_counter, m_elements and m_radioGroups
    std::uint32_t m_counter = 0;
    std::unordered_map<std::uint32_t, CBkWindow*> m_elements;
    // Group name -> handles of its radio elements, in order of joining.
    std::map<std::string, std::vector<std::uint32_t>, std::less<>> m_radioGroups;
};

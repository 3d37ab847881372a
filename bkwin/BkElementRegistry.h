// The process-wide map from element handles to elements. Elements refer to each other (parent
// links, the host's hovered and pressed elements) by handle, so a destroyed element is simply
// not found instead of being reached through a dangling pointer.
#pragma once

#include <cstdint>
#include <mutex>
#include <unordered_map>

class CBkWindow;

class ElementRegistry {
public:
    static ElementRegistry& Instance();

    // Gives the element the next handle (1, 2, 3, ...; never reused).
    std::uint32_t Register(CBkWindow* element);
    // The element under the handle, or null when it was destroyed or never existed.
    CBkWindow* Lookup(std::uint32_t handle) const;
    void Unregister(std::uint32_t handle);

private:
    mutable std::mutex lock_; // guards counter_ and elements_
    std::uint32_t counter_ = 0;
    std::unordered_map<std::uint32_t, CBkWindow*> elements_;
};

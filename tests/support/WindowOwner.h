// Owns a test's window and destroys it at the end of the scope, so that a failed assertion
// leaves no window behind for the tests after it.
#pragma once

#include "platform/core/Window.h"

#include <utility>

class CWindowOwner {
public:
    explicit CWindowOwner(HWND hwnd) : m_hwnd(hwnd) {}
    ~CWindowOwner() { Destroy(); }
    CWindowOwner(CWindowOwner&& other) noexcept : m_hwnd(std::exchange(other.m_hwnd, nullptr)) {}
    CWindowOwner& operator=(CWindowOwner&& other) noexcept {
        if (this != &other) {
            Destroy();
            m_hwnd = std::exchange(other.m_hwnd, nullptr);
        }
        return *this;
    }

    HWND Get() const { return m_hwnd; }
    operator HWND() const { return m_hwnd; }

private:
    // A window already gone (destroyed by the test, or with its parent) is left alone; handles
    // are never reused, so the check cannot hit another window.
    void Destroy() {
        if (m_hwnd && IsWindow(m_hwnd)) {
            DestroyWindow(m_hwnd);
        }
    }

    HWND m_hwnd = nullptr;
};

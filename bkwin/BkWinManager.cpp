#include "bkwin/BkWinManager.h"

#include "platform/core/MessageLoop.h"

#include <atomic>

namespace {
std::atomic<BkWinManager*> g_manager{nullptr};
} // namespace

BkWinManager::BkWinManager() {
    BkWinManager* none = nullptr;
    g_manager.compare_exchange_strong(none, this);
}

BkWinManager::~BkWinManager() {
    BkWinManager* self = this;
    g_manager.compare_exchange_strong(self, nullptr);
}

BkWinManager* BkWinManager::Instance() {
    return g_manager.load();
}

HWND BkWinManager::SetCurrentWindow(HWND window) {
    const std::lock_guard<std::mutex> guard(m_windowsLock);
    HWND& current = m_windows[GetCurrentThreadId()];
    HWND previous = current;
    current = window;
    if (!window) {
        m_windows.erase(GetCurrentThreadId());
    }
    return previous;
}

HWND BkWinManager::CurrentWindow() const {
    const std::lock_guard<std::mutex> guard(m_windowsLock);
    const auto found = m_windows.find(GetCurrentThreadId());
    return found == m_windows.end() ? nullptr : found->second;
}

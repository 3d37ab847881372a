#include "app/MainWindowHandle.h"

#include <atomic>

namespace {

std::atomic<HWND> g_mainWindow{nullptr};

} // namespace

void SetMainWindowHandle(HWND window) {
    g_mainWindow.store(window);
}

HWND MainWindowHandle() {
    return g_mainWindow.load();
}

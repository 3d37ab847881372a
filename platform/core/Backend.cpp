#include "platform/core/Backend.h"

#include "platform/core/MessageLoop.h"
#include "platform/core/headless/HeadlessScreen.h"

#include <atomic>
#include <mutex>

namespace {

std::mutex g_backendLock;
std::unique_ptr<IBackend> g_backend; // guarded by g_backendLock; never replaced once used
std::atomic<IBackend*> g_current{nullptr};
std::atomic<DWORD> g_backendThread{0};

} // namespace

void InstallBackend(std::unique_ptr<IBackend> backend) {
    std::lock_guard guard(g_backendLock);
    g_backend = std::move(backend);
    g_current.store(g_backend.get());
    g_backendThread.store(GetCurrentThreadId());
}

IBackend& Backend() {
    if (IBackend* current = g_current.load()) {
        return *current;
    }
    std::lock_guard guard(g_backendLock);
    if (!g_backend) {
        g_backend = std::make_unique<CHeadlessBackend>();
        g_current.store(g_backend.get());
    }
    return *g_backend;
}

DWORD BackendThreadId() {
    return g_backendThread.load();
}

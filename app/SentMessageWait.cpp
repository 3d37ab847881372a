#include "app/SentMessageWait.h"

#include "platform/core/MessageLoop.h"

#include <thread>

namespace {

// The platform's queue cannot be waited on together with another thread's progress, so the
// wait looks again this often; a sender waits at most this long for its message to be handled.
constexpr std::chrono::milliseconds kPollInterval{1};

} // namespace

bool WaitHandlingSentMessages(const std::function<bool()>& done,
                              std::chrono::milliseconds timeout) {
    const auto start = std::chrono::steady_clock::now();
    while (true) {
        MSG message;
        // Looking at the queue handles every message other threads have sent to this one.
        PeekMessage(&message, nullptr, 0, 0, PM_NOREMOVE);
        if (done()) {
            return true;
        }
        // In milliseconds, so that the longest timeout does not overflow the clock's unit.
        if (std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                                  start) >= timeout) {
            return false;
        }
        std::this_thread::sleep_for(kPollInterval);
    }
}

#include "tests/support/WaitUntil.h"

#include "platform/core/headless/HeadlessScreen.h"

#include <thread>

testing::AssertionResult WaitUntil(const std::function<bool()>& done,
                                   std::chrono::milliseconds timeout, WaitMode mode) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (mode == WaitMode::PumpMessages) {
            headless::PumpMessages();
        }
        if (done()) {
            return testing::AssertionSuccess();
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            return testing::AssertionFailure() << "not done within " << timeout.count() << " ms";
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

// Bounded waits for tests: a fault fails the test within the time limit instead of hanging it.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <functional>

// Time limits: for what follows at once, and for work that includes real encoding.
inline constexpr std::chrono::seconds kWaitLimit{5};
inline constexpr std::chrono::seconds kEncodingWaitLimit{60};

enum class WaitMode {
    Sleep,        // only checks
    PumpMessages, // dispatches the calling thread's queued messages before each check
};

// Checks `done` every millisecond until it holds or `timeout` has passed. Succeeds when `done`
// held; the failure tells how long it waited. For ASSERT_TRUE / EXPECT_TRUE.
testing::AssertionResult WaitUntil(const std::function<bool()>& done,
                                   std::chrono::milliseconds timeout,
                                   WaitMode mode = WaitMode::Sleep);

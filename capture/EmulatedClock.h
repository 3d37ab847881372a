// The time of emulated cameras: real time, in which waiting sleeps, or a virtual time that
// stands still until a test moves it and that jumps ahead when a caller waits, so that tests
// of frame timing run at once and always alike.
#pragma once

#include <atomic>
#include <chrono>

class CEmulatedClock {
public:
    enum class Kind { Real, Virtual };
    using Duration = std::chrono::nanoseconds;

    explicit CEmulatedClock(Kind kind);

    // Time since the clock was made.
    Duration Now() const;
    // Real: sleeps until `time`. Virtual: moves the time forward to `time`.
    void WaitUntil(Duration time);
    // Virtual time only: moves the time forward.
    void Advance(Duration step);

private:
    const Kind m_kind;
    const std::chrono::steady_clock::time_point m_origin;
    std::atomic<Duration::rep> m_virtualNow{0};
};

#include "capture/EmulatedClock.h"

#include <thread>

CEmulatedClock::CEmulatedClock(Kind kind)
    : m_kind(kind), m_origin(std::chrono::steady_clock::now()) {}

CEmulatedClock::Duration CEmulatedClock::Now() const {
    if (m_kind == Kind::Real) {
        return std::chrono::steady_clock::now() - m_origin;
    }
    return Duration(m_virtualNow.load());
}

void CEmulatedClock::WaitUntil(Duration time) {
    if (m_kind == Kind::Real) {
        std::this_thread::sleep_until(m_origin + time);
        return;
    }
    Duration::rep now = m_virtualNow.load();
    while (now < time.count() && !m_virtualNow.compare_exchange_weak(now, time.count())) {
    }
}

void CEmulatedClock::Advance(Duration step) {
    if (m_kind == Kind::Virtual) {
        m_virtualNow.fetch_add(step.count());
    }
}

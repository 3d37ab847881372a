#include "tests/support/ModalScript.h"

#include "platform/core/Timer.h"

namespace {
thread_local std::deque<std::function<void()>>* t_steps = nullptr;
} // namespace

CModalScript::CModalScript(std::deque<std::function<void()>> steps) : m_steps(std::move(steps)) {
    t_steps = &m_steps;
    m_timer = SetTimer(nullptr, 0, 5, &CModalScript::Tick);
}

CModalScript::~CModalScript() {
    KillTimer(nullptr, m_timer);
    t_steps = nullptr;
}

void CModalScript::Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (!t_steps || t_steps->empty()) {
        return;
    }
    auto step = std::move(t_steps->front());
    t_steps->pop_front();
    step();
}

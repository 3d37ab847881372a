// Drives code that runs its own modal loop: steps run one per timer tick on the calling
// thread, inside whatever loop is dispatching messages then. A loop still running when the
// wait limit has passed is ended (see CMessageWaitLimit), so a failing test cannot hang. The
// limit runs on a thread of its own: test programs that use scripts carry the label "threaded".
#pragma once

#include "platform/base/Types.h"
#include "tests/support/MessageWaitLimit.h"

#include <deque>
#include <functional>

class CModalScript {
public:
    explicit CModalScript(std::deque<std::function<void()>> steps);
    ~CModalScript();
    CModalScript(const CModalScript&) = delete;
    CModalScript& operator=(const CModalScript&) = delete;

    bool Finished() const { return m_steps.empty(); }

private:
    static void Tick(HWND, UINT, UINT_PTR, DWORD);
    std::deque<std::function<void()>> m_steps;
    UINT_PTR m_timer = 0;
    CMessageWaitLimit m_limit;
};

// Waiting on the user-interface thread for work of other threads that may themselves be
// waiting for this thread: messages they send to its windows are handled meanwhile, so
// neither side blocks the other. Posted messages stay queued for the message loop.
#pragma once

#include <chrono>
#include <functional>

// Handles sent messages until `done` answers true (true) or `timeout` has passed (false).
// A timeout of std::chrono::milliseconds::max() waits without bound.
bool WaitHandlingSentMessages(const std::function<bool()>& done, std::chrono::milliseconds timeout);

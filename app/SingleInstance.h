// The single-instance guard: an advisory lock (flock) on a file of the user's runtime folder.
// The first process to take it keeps it until it ends (the lock goes with the process, also
// when it crashes); another start finds it taken.
#pragma once

#include <string>

// $XDG_RUNTIME_DIR/Vistrel_ONEINSTANCE_MUTEX, else /tmp/Vistrel_ONEINSTANCE_MUTEX-<uid>.
std::string SingleInstanceLockPath();

class CSingleInstanceGuard {
public:
    enum class State {
        // This process holds the lock.
        Acquired,
        // Another process (or another open of the file) holds it.
        AlreadyRunning,
        // The lock file cannot be opened: which instance runs is unknown.
        Unavailable,
    };

    // Opens the lock file (creating it) and tries to take the lock without waiting.
    explicit CSingleInstanceGuard(const std::string& lockPath = SingleInstanceLockPath());
    // Releases the lock.
    ~CSingleInstanceGuard();
    CSingleInstanceGuard(const CSingleInstanceGuard&) = delete;
    CSingleInstanceGuard& operator=(const CSingleInstanceGuard&) = delete;

    State GetState() const { return m_state; }

private:
    int m_fd = -1;
    State m_state = State::Unavailable;
};

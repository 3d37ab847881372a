#include "app/SingleInstance.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

std::string SingleInstanceLockPath() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime && *runtime) {
        return std::string(runtime) + "/Vistrel_ONEINSTANCE_MUTEX";
    }
    return "/tmp/Vistrel_ONEINSTANCE_MUTEX-" + std::to_string(getuid());
}

CSingleInstanceGuard::CSingleInstanceGuard(const std::string& lockPath) {
    // In a shared folder such as /tmp the name may have been planted by someone else: a
    // symbolic link is not followed, and a file that cannot be opened leaves the state unknown
    // rather than refusing to start.
    m_fd = open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (m_fd < 0) {
        return;
    }
    int result;
    do {
        result = flock(m_fd, LOCK_EX | LOCK_NB);
    } while (result != 0 && errno == EINTR);
    if (result == 0) {
        m_state = State::Acquired;
    } else if (errno == EWOULDBLOCK) {
        m_state = State::AlreadyRunning;
    }
}

CSingleInstanceGuard::~CSingleInstanceGuard() {
    if (m_fd >= 0) {
        close(m_fd);
    }
}

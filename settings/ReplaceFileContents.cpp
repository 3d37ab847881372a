#include "settings/ReplaceFileContents.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// An open temporary file beside the target; removed again unless it was renamed into place.
class CTemporaryFile {
public:
    explicit CTemporaryFile(const std::string& target) {
        // Another writer (or a crash of an earlier process with the same number) may have
        // left a name behind: the next one is tried.
        for (int attempt = 0; attempt < 100 && m_fd < 0; ++attempt) {
            m_path = target + ".tmp-" + std::to_string(getpid()) + "-" + std::to_string(attempt);
            m_fd = open(m_path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (m_fd < 0 && errno != EEXIST) {
                break;
            }
        }
    }
    ~CTemporaryFile() {
        Close();
        if (!m_renamed) {
            unlink(m_path.c_str());
        }
    }
    CTemporaryFile(const CTemporaryFile&) = delete;
    CTemporaryFile& operator=(const CTemporaryFile&) = delete;

    int Fd() const { return m_fd; }
    const std::string& Path() const { return m_path; }
    bool Close() {
        const int fd = m_fd;
        m_fd = -1;
        return fd < 0 || close(fd) == 0;
    }
    void Renamed() { m_renamed = true; }

private:
    std::string m_path;
    int m_fd = -1;
    bool m_renamed = false;
};

bool WriteAll(int fd, std::string_view contents) {
    while (!contents.empty()) {
        const ssize_t written = write(fd, contents.data(), contents.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        contents.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

bool Fail(std::string* error, const char* step) {
    if (error) {
        *error = std::string(step) + ": " + std::strerror(errno);
    }
    return false;
}

} // namespace

bool ReplaceFileContents(const std::string& path, std::string_view contents, std::string* error) {
    CTemporaryFile temporary(path);
    if (temporary.Fd() < 0) {
        return Fail(error, "create");
    }
    struct stat old {};
    if (stat(path.c_str(), &old) == 0 && fchmod(temporary.Fd(), old.st_mode & 07777) != 0) {
        return Fail(error, "chmod");
    }
    if (!WriteAll(temporary.Fd(), contents)) {
        return Fail(error, "write");
    }
    if (fsync(temporary.Fd()) != 0) {
        return Fail(error, "fsync");
    }
    if (!temporary.Close()) {
        return Fail(error, "close");
    }
    if (rename(temporary.Path().c_str(), path.c_str()) != 0) {
        return Fail(error, "rename");
    }
    temporary.Renamed();
    return true;
}

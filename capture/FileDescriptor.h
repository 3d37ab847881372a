// Owns one open file descriptor and closes it when it goes.
#pragma once

#include <unistd.h>

#include <utility>

class CFileDescriptor {
public:
    CFileDescriptor() = default;
    explicit CFileDescriptor(int fd) : m_fd(fd) {}
    ~CFileDescriptor() { Reset(); }
    CFileDescriptor(CFileDescriptor&& other) noexcept : m_fd(other.Release()) {}
    CFileDescriptor& operator=(CFileDescriptor&& other) noexcept {
        if (this != &other) {
            Reset(other.Release());
        }
        return *this;
    }

    int Get() const { return m_fd; }
    explicit operator bool() const { return m_fd >= 0; }
    // Gives the descriptor up without closing it.
    int Release() { return std::exchange(m_fd, -1); }
    void Reset(int fd = -1) {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
        m_fd = fd;
    }

private:
    int m_fd = -1;
};

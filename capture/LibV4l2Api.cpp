#include "capture/LibV4l2Api.h"

#include <libv4l2.h>
#include <poll.h>
#include <sys/mman.h>

#include <algorithm>
#include <cerrno>

std::shared_ptr<IV4l2Api> CLibV4l2Api::Instance() {
    static const auto instance = std::make_shared<CLibV4l2Api>();
    return instance;
}

int CLibV4l2Api::Open(const std::string& path, int flags) {
    return v4l2_open(path.c_str(), flags);
}

int CLibV4l2Api::Close(int fd) {
    return v4l2_close(fd);
}

int CLibV4l2Api::Ioctl(int fd, unsigned long request, void* argument) {
    return v4l2_ioctl(fd, request, argument);
}

void* CLibV4l2Api::Map(int fd, std::size_t length, std::int64_t offset) {
    return v4l2_mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_SHARED, fd, offset);
}

int CLibV4l2Api::Unmap(void* start, std::size_t length) {
    return v4l2_munmap(start, length);
}

int CLibV4l2Api::WaitForFrame(int fd, std::chrono::milliseconds timeout) {
    // libv4l2 hands out the device's own descriptor, so poll sees the driver's readiness; an
    // error condition (POLLERR: unplugged, or not streaming) counts as ready for DQBUF to tell.
    pollfd device{fd, POLLIN, 0};
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (true) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        const int ready = poll(&device, 1, static_cast<int>(std::max<long>(0, left.count())));
        if (ready >= 0 || errno != EINTR) {
            return ready > 0 ? 1 : ready;
        }
    }
}

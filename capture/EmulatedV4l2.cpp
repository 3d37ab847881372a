#include "capture/EmulatedV4l2.h"

#include <sys/mman.h>

#include <cerrno>

CEmulatedV4l2::CEmulatedV4l2(CEmulatedClock::Kind clock)
    : m_clock(std::make_shared<CEmulatedClock>(clock)) {}

std::shared_ptr<CEmulatedUvcCamera> CEmulatedV4l2::AddCamera(const std::string& path,
                                                             const EmulatedUvcProfile& profile,
                                                             std::shared_ptr<CEmulatedUsbBus> bus) {
    auto camera = std::make_shared<CEmulatedUvcCamera>(profile, m_clock, std::move(bus));
    std::lock_guard lock(m_lock);
    m_nodes[path] = {camera, false};
    return camera;
}

void CEmulatedV4l2::AddMetadataNode(const std::string& path,
                                    std::shared_ptr<CEmulatedUvcCamera> camera) {
    std::lock_guard lock(m_lock);
    m_nodes[path] = {std::move(camera), true};
}

int CEmulatedV4l2::OpenFiles() const {
    std::lock_guard lock(m_lock);
    return static_cast<int>(m_files.size());
}

int CEmulatedV4l2::Mappings() const {
    std::lock_guard lock(m_lock);
    return static_cast<int>(m_mappings.size());
}

int CEmulatedV4l2::Open(const std::string& path, int /*flags*/) {
    Node node;
    {
        std::lock_guard lock(m_lock);
        const auto found = m_nodes.find(path);
        if (found != m_nodes.end()) {
            node = found->second;
        }
    }
    if (!node.camera || node.camera->IsUnplugged()) {
        errno = ENOENT;
        return -1;
    }
    std::lock_guard lock(m_lock);
    const int fd = m_nextFd++;
    m_files[fd] = node;
    return fd;
}

std::shared_ptr<CEmulatedUvcCamera> CEmulatedV4l2::CameraOf(int fd, bool& metadata) const {
    std::lock_guard lock(m_lock);
    const auto found = m_files.find(fd);
    if (found == m_files.end()) {
        errno = EBADF;
        return nullptr;
    }
    metadata = found->second.metadata;
    return found->second.camera;
}

int CEmulatedV4l2::Close(int fd) {
    Node node;
    {
        std::lock_guard lock(m_lock);
        const auto found = m_files.find(fd);
        if (found == m_files.end()) {
            errno = EBADF;
            return -1;
        }
        node = found->second;
        m_files.erase(found);
    }
    if (!node.metadata) {
        node.camera->Closed(fd);
    }
    return 0;
}

int CEmulatedV4l2::Ioctl(int fd, unsigned long request, void* argument) {
    bool metadata = false;
    const auto camera = CameraOf(fd, metadata);
    if (!camera) {
        return -1;
    }
    int error = 0;
    if (camera->IsUnplugged()) {
        error = ENODEV;
    } else if (request == VIDIOC_QUERYCAP) {
        camera->FillCapabilities(*static_cast<v4l2_capability*>(argument), metadata);
    } else if (metadata) {
        // The metadata node streams only metadata buffers, which nothing here asks for.
        error = EINVAL;
    } else {
        error = camera->Ioctl(fd, request, argument);
    }
    if (error != 0) {
        errno = error;
        return -1;
    }
    return 0;
}

void* CEmulatedV4l2::Map(int fd, std::size_t length, std::int64_t offset) {
    bool metadata = false;
    const auto camera = CameraOf(fd, metadata);
    if (!camera) {
        return MAP_FAILED;
    }
    int error = EINVAL;
    auto memory = metadata ? nullptr : camera->BufferAt(offset, length, error);
    if (!memory) {
        errno = error;
        return MAP_FAILED;
    }
    void* start = memory->data();
    std::lock_guard lock(m_lock);
    m_mappings[start] = std::move(memory);
    return start;
}

int CEmulatedV4l2::Unmap(void* start, std::size_t /*length*/) {
    std::lock_guard lock(m_lock);
    if (m_mappings.erase(start) == 0) {
        errno = EINVAL;
        return -1;
    }
    return 0;
}

int CEmulatedV4l2::WaitForFrame(int fd, std::chrono::milliseconds timeout) {
    bool metadata = false;
    const auto camera = CameraOf(fd, metadata);
    if (!camera) {
        return -1;
    }
    if (metadata) {
        errno = EINVAL;
        return -1;
    }
    const int result = camera->WaitForFrame(timeout);
    if (result < 0) {
        errno = -result;
        return -1;
    }
    return result;
}

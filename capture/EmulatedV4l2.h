// Emulated V4L2 device nodes behind the device calls: each node is the capture node of an
// emulated UVC webcam (CEmulatedUvcCamera) or its metadata node, which answers only
// VIDIOC_QUERYCAP, as every UVC camera has one beside its capture node. Nodes are found by the
// path they were added under; an unplugged camera's nodes are gone. Tests use it with virtual
// time; the emulated cameras of a camera list run in real time.
#pragma once

#include "capture/EmulatedClock.h"
#include "capture/EmulatedUvcCamera.h"
#include "capture/V4l2Api.h"

#include <map>
#include <memory>
#include <mutex>
#include <string>

class CEmulatedV4l2 : public IV4l2Api {
public:
    explicit CEmulatedV4l2(CEmulatedClock::Kind clock);

    // Adds the capture node of a new webcam at `path`; without a bus the camera has one of its
    // own.
    std::shared_ptr<CEmulatedUvcCamera> AddCamera(const std::string& path,
                                                  const EmulatedUvcProfile& profile,
                                                  std::shared_ptr<CEmulatedUsbBus> bus = nullptr);
    // Adds the metadata node of `camera` at `path`.
    void AddMetadataNode(const std::string& path, std::shared_ptr<CEmulatedUvcCamera> camera);

    CEmulatedClock& Clock() { return *m_clock; }
    // Descriptors open and buffers mapped now; a camera that closed cleanly leaves none.
    int OpenFiles() const;
    int Mappings() const;

    int Open(const std::string& path, int flags) override;
    int Close(int fd) override;
    int Ioctl(int fd, unsigned long request, void* argument) override;
    void* Map(int fd, std::size_t length, std::int64_t offset) override;
    int Unmap(void* start, std::size_t length) override;
    int WaitForFrame(int fd, std::chrono::milliseconds timeout) override;

private:
    struct Node {
        std::shared_ptr<CEmulatedUvcCamera> camera;
        bool metadata = false;
    };

    // The node open as `fd`; null (with errno EBADF) for an unknown descriptor.
    std::shared_ptr<CEmulatedUvcCamera> CameraOf(int fd, bool& metadata) const;

    const std::shared_ptr<CEmulatedClock> m_clock;
    mutable std::mutex m_lock;
    // Guarded by m_lock: the nodes by path, the open files by descriptor, the mapped buffers.
    std::map<std::string, Node> m_nodes;
    std::map<int, Node> m_files;
    std::map<void*, std::shared_ptr<std::vector<std::uint8_t>>> m_mappings;
    int m_nextFd = 1000;
};

// The device calls of V4L2 capture, as libv4l2 offers them. Cameras and the device enumeration
// make every call through this interface: CLibV4l2Api goes to libv4l2 (and through it to the
// kernel), CEmulatedV4l2 to emulated webcams. Failures answer -1 (MAP_FAILED for Map) with
// errno set, as the system calls do.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>

class IV4l2Api {
public:
    virtual ~IV4l2Api() = default;

    // Opens a device node; answers the descriptor.
    virtual int Open(const std::string& path, int flags) = 0;
    virtual int Close(int fd) = 0;
    virtual int Ioctl(int fd, unsigned long request, void* argument) = 0;
    // Maps `length` bytes of the buffer at `offset` (as VIDIOC_QUERYBUF reports it) for reading
    // and writing, shared with the device.
    virtual void* Map(int fd, std::size_t length, std::int64_t offset) = 0;
    virtual int Unmap(void* start, std::size_t length) = 0;
    // Waits up to `timeout` until a filled buffer can be dequeued, or the device reports an
    // error that the next VIDIOC_DQBUF tells. Answers 1 when ready, 0 at the timeout, -1 when
    // the wait itself fails (the device is gone).
    virtual int WaitForFrame(int fd, std::chrono::milliseconds timeout) = 0;
};

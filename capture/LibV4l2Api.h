// The device calls on real V4L2 devices through libv4l2, which converts whatever the device
// sends into the format asked for (BGR24 here) and passes the device's own formats through.
#pragma once

#include "capture/V4l2Api.h"

#include <memory>

class CLibV4l2Api : public IV4l2Api {
public:
    // The one instance; it keeps no state of its own.
    static std::shared_ptr<IV4l2Api> Instance();

    int Open(const std::string& path, int flags) override;
    int Close(int fd) override;
    int Ioctl(int fd, unsigned long request, void* argument) override;
    void* Map(int fd, std::size_t length, std::int64_t offset) override;
    int Unmap(void* start, std::size_t length) override;
    int WaitForFrame(int fd, std::chrono::milliseconds timeout) override;
};

#include "capture/StreamFileName.h"

#include <array>
#include <cstdio>

std::string StreamFileName(const std::string& folder, int cameraIndex, const std::tm& localTime) {
    std::array<char, 1024> name{};
    const int length =
        std::snprintf(name.data(), name.size(), "%s/通道%d_%04d%02d%02d-%02d%02d%02d.avi",
                      folder.c_str(), cameraIndex, localTime.tm_year + 1900, localTime.tm_mon + 1,
                      localTime.tm_mday, localTime.tm_hour, localTime.tm_min, localTime.tm_sec);
    if (length < 0 || static_cast<std::size_t>(length) >= name.size())
        return {};
    return name.data();
}

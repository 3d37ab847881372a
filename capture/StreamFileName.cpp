#include "capture/StreamFileName.h"

#include <array>
#include <cstdio>
#include <filesystem>

std::string StreamFileName(const std::string& folder, int cameraIndex, const std::tm& localTime) {
    std::array<char, 1024> name{};
    const int length =
        std::snprintf(name.data(), name.size(), "%s/通道%d_%04d%02d%02d-%02d%02d%02d.avi",
                      folder.c_str(), cameraIndex, localTime.tm_year + 1900, localTime.tm_mon + 1,
                      localTime.tm_mday, localTime.tm_hour, localTime.tm_min, localTime.tm_sec);
    if (length < 0 || static_cast<std::size_t>(length) >= name.size()) {
        return {};
    }
    return name.data();
}

std::string UnusedStreamFileName(const std::string& folder, int cameraIndex,
                                 const std::tm& localTime) {
    const std::string name = StreamFileName(folder, cameraIndex, localTime);
    std::error_code error;
    if (name.empty() || !std::filesystem::exists(name, error)) {
        return name;
    }
    const std::string stem = name.substr(0, name.size() - 4); // without ".avi"
    for (int copy = 2;; ++copy) {
        std::string candidate = stem + "_" + std::to_string(copy) + ".avi";
        if (candidate.size() > 1023) {
            return {};
        }
        if (!std::filesystem::exists(candidate, error)) {
            return candidate;
        }
    }
}

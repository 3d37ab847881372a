#include "capture/CameraSource.h"

#include "capture/LibV4l2Api.h"

#include <fcntl.h>
#include <linux/videodev2.h>

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <filesystem>
#include <mutex>

namespace fs = std::filesystem;

namespace {

std::mutex g_overrideLock;
// Guarded by g_overrideLock: the override list and the sources of the last count.
std::optional<std::string> g_override;
std::optional<std::vector<CameraSource>> g_counted;

std::string Trim(const std::string& text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::size_t begin = 0;
    while (true) {
        const auto end = text.find(separator, begin);
        parts.push_back(text.substr(begin, end == std::string::npos ? end : end - begin));
        if (end == std::string::npos) {
            return parts;
        }
        begin = end + 1;
    }
}

bool ParseAtLeast(const std::string& text, int minimum, int& value) {
    const char* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, value);
    return result.ec == std::errc() && result.ptr == end && value >= minimum;
}

// Reads one option of a test camera into `source`; false when it is not understood.
bool ApplyTestOption(const std::string& option, CameraSource& source) {
    if (option == "fail") {
        source.failsToOpen = true;
        return true;
    }
    if (option.starts_with("frames=")) {
        return ParseAtLeast(option.substr(7), 0, source.frameLimit);
    }
    const auto x = option.find('x');
    if (x == std::string::npos) {
        return false;
    }
    int width = 0;
    int height = 0;
    // Sizes stay within what a camera could deliver, and even, as 4:2:0 encoding needs.
    if (!ParseAtLeast(option.substr(0, x), 2, width) ||
        !ParseAtLeast(option.substr(x + 1), 2, height) || width > 4096 || height > 4096 ||
        width % 2 != 0 || height % 2 != 0) {
        return false;
    }
    source.width = width;
    source.height = height;
    source.onlyThisSize = true;
    return true;
}

// Reads one option of an emulated webcam into `source`; false when it is not understood.
bool ApplyEmulatedOption(const std::string& option, CameraSource& source) {
    if (option.starts_with("bus=")) {
        return ParseAtLeast(option.substr(4), 0, source.usbBus);
    }
    if (option.starts_with("unplug=")) {
        return ParseAtLeast(option.substr(7), 0, source.emulated->unplugAfter);
    }
    if (option.starts_with("stall=")) {
        return ParseAtLeast(option.substr(6), 0, source.emulated->stallAfter);
    }
    return false;
}

// Splits "kind" or "kind:options" and applies each option; false when one is not understood.
template <typename Apply>
bool ApplyOptions(const std::string& entry, std::size_t kindLength, CameraSource& source,
                  Apply apply) {
    if (entry.size() == kindLength) {
        return true;
    }
    if (entry[kindLength] != ':') {
        return false;
    }
    for (const std::string& option : Split(entry.substr(kindLength + 1), ',')) {
        if (!apply(Trim(option), source)) {
            return false;
        }
    }
    return true;
}

std::optional<CameraSource> ParseEntry(const std::string& entry) {
    CameraSource source;
    if (entry.starts_with("/")) {
        source.devicePath = entry;
        return source;
    }
    if (entry.starts_with("test") && ApplyOptions(entry, 4, source, ApplyTestOption)) {
        return source;
    }
    if (entry.starts_with("emulated")) {
        source.emulated = EmulatedUvcProfile{};
        source.devicePath = entry;
        if (ApplyOptions(entry, 8, source, ApplyEmulatedOption)) {
            return source;
        }
    }
    return std::nullopt;
}

bool IsVideoCaptureNode(IV4l2Api& api, const fs::path& node) {
    const int fd = api.Open(node.string(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    v4l2_capability capability{};
    const bool queried = api.Ioctl(fd, VIDIOC_QUERYCAP, &capability) == 0;
    api.Close(fd);
    if (!queried) {
        return false;
    }
    // `capabilities` covers every node of the physical device; `device_caps` this node.
    const std::uint32_t caps = (capability.capabilities & V4L2_CAP_DEVICE_CAPS)
                                   ? capability.device_caps
                                   : capability.capabilities;
    return (caps & V4L2_CAP_VIDEO_CAPTURE) && (caps & V4L2_CAP_STREAMING);
}

} // namespace

std::vector<CameraSource> CaptureDeviceSources(IV4l2Api& api, const std::string& folder) {
    std::vector<std::pair<int, fs::path>> nodes;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error)) {
        const std::string name = entry.path().filename().string();
        int number = 0;
        if (name.starts_with("video") && name.size() > 5) {
            const char* end = name.data() + name.size();
            const auto result = std::from_chars(name.data() + 5, end, number);
            if (result.ec == std::errc() && result.ptr == end) {
                nodes.emplace_back(number, entry.path());
            }
        }
    }
    std::sort(nodes.begin(), nodes.end());
    std::vector<CameraSource> sources;
    for (const auto& [number, node] : nodes) {
        if (IsVideoCaptureNode(api, node)) {
            CameraSource source;
            source.devicePath = node.string();
            sources.push_back(source);
        }
    }
    return sources;
}

CameraListParse ParseCameraList(const std::string& list) {
    CameraListParse parse;
    for (const std::string& part : Split(list, ';')) {
        const std::string entry = Trim(part);
        if (entry.empty()) {
            continue;
        }
        if (auto source = ParseEntry(entry)) {
            parse.sources.push_back(*source);
        } else {
            CameraSource unusable;
            unusable.failsToOpen = true;
            parse.sources.push_back(unusable);
            parse.errors.push_back("unknown camera source \"" + entry + "\"");
        }
    }
    return parse;
}

void SetCameraListOverride(const std::optional<std::string>& list) {
    std::lock_guard lock(g_overrideLock);
    g_override = list;
    g_counted.reset();
}

std::vector<CameraSource> CurrentCameraSources(std::vector<std::string>* errors) {
    std::optional<std::string> list;
    {
        std::lock_guard lock(g_overrideLock);
        list = g_override;
    }
    if (!list) {
        if (const char* environment = std::getenv("VISTREL_CAMERAS")) {
            list = environment;
        }
    }
    if (!list) {
        return CaptureDeviceSources(*CLibV4l2Api::Instance(), "/dev");
    }
    CameraListParse parse = ParseCameraList(*list);
    if (errors) {
        *errors = std::move(parse.errors);
    }
    return parse.sources;
}

std::vector<CameraSource> CountCameraSources(std::vector<std::string>* errors) {
    std::vector<CameraSource> sources = CurrentCameraSources(errors);
    std::lock_guard lock(g_overrideLock);
    g_counted = sources;
    return sources;
}

std::optional<CameraSource> CountedCameraSource(int index) {
    std::optional<std::vector<CameraSource>> counted;
    {
        std::lock_guard lock(g_overrideLock);
        counted = g_counted;
    }
    const std::vector<CameraSource> sources = counted ? *counted : CurrentCameraSources();
    if (index < 0 || index >= static_cast<int>(sources.size())) {
        return std::nullopt;
    }
    return sources[static_cast<std::size_t>(index)];
}

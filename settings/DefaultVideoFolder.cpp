#include "settings/DefaultVideoFolder.h"

#include <cstdlib>
#include <fstream>

namespace {

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// Reads XDG_VIDEOS_DIR="$HOME/..." (or an absolute path) from a user-dirs.dirs file.
std::string VideosFromUserDirs(const std::string& home) {
    std::string config = Environment("XDG_CONFIG_HOME");
    if (config.empty() && !home.empty()) {
        config = home + "/.config";
    }
    if (config.empty()) {
        return {};
    }
    std::ifstream file(config + "/user-dirs.dirs");
    std::string line;
    const std::string key = "XDG_VIDEOS_DIR=";
    while (std::getline(file, line)) {
        if (!line.starts_with(key)) {
            continue;
        }
        std::string value = line.substr(key.size());
        if (value.size() < 2 || value.front() != '"' || value.back() != '"') {
            return {};
        }
        value = value.substr(1, value.size() - 2);
        if (value.starts_with("$HOME")) {
            return home.empty() ? std::string() : home + value.substr(5);
        }
        return value.starts_with("/") ? value : std::string();
    }
    return {};
}

} // namespace

std::string DefaultVideoFolder() {
    const std::string home = Environment("HOME");
    std::string videos = Environment("XDG_VIDEOS_DIR");
    if (videos.empty()) {
        videos = VideosFromUserDirs(home);
    }
    if (videos.empty() && !home.empty()) {
        videos = home + "/Videos";
    }
    return videos.empty() ? std::string() : videos + "/Vistrel";
}

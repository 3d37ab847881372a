#include "platform/shell/FileIcon.h"

#include "platform/core/Input.h"
#include "platform/draw/Bitmap.h"
#include "platform/draw/image/PngRead.h"

#include <fnmatch.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

namespace {

namespace fs = std::filesystem;

// The freedesktop data directories ($XDG_DATA_HOME, then $XDG_DATA_DIRS), most important first.
std::vector<fs::path> DataDirectories() {
    std::vector<fs::path> dirs;
    const char* home = std::getenv("XDG_DATA_HOME");
    if (home && *home) {
        dirs.emplace_back(home);
    } else if (const char* user = std::getenv("HOME"); user && *user) {
        dirs.push_back(fs::path(user) / ".local/share");
    }
    const char* shared = std::getenv("XDG_DATA_DIRS");
    std::string list = shared && *shared ? shared : "/usr/local/share:/usr/share";
    std::size_t start = 0;
    while (start <= list.size()) {
        const std::size_t colon = std::min(list.find(':', start), list.size());
        if (colon > start) {
            dirs.emplace_back(list.substr(start, colon - start));
        }
        start = colon + 1;
    }
    return dirs;
}

// Splits a line of a MIME database file at its colons.
std::vector<std::string> Fields(const std::string& line) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (std::size_t colon; (colon = line.find(':', start)) != std::string::npos;
         start = colon + 1) {
        fields.push_back(line.substr(start, colon - start));
    }
    fields.push_back(line.substr(start));
    return fields;
}

// The value of "type:value" lines for the type in one of the database files, or empty.
std::string LookUpType(const std::string& file, const std::string& type) {
    for (const fs::path& dir : DataDirectories()) {
        std::ifstream in(dir / "mime" / file);
        for (std::string line; std::getline(in, line);) {
            const std::size_t colon = line.find(':');
            if (colon != std::string::npos && line.compare(0, colon, type) == 0) {
                return line.substr(colon + 1);
            }
        }
    }
    return {};
}

HICON LoadIconPicture(const fs::path& png) {
    std::error_code error;
    if (!fs::is_regular_file(png, error)) {
        return nullptr;
    }
    CGdiHandle<HBITMAP> bitmap(LoadPngFile(png.string()));
    return bitmap ? CreateIconFromBitmap(bitmap) : nullptr;
}

} // namespace

std::string MimeTypeOfFileName(const std::string& path) {
    const std::string name = fs::path(path).filename().string();
    std::string best;
    int bestWeight = -1;
    std::size_t bestLength = 0;
    for (const fs::path& dir : DataDirectories()) {
        std::ifstream globs(dir / "mime" / "globs2");
        for (std::string line; std::getline(globs, line);) {
            if (line.empty() || line[0] == '#') {
                continue;
            }
            // weight:type:pattern[:flags]
            const std::vector<std::string> fields = Fields(line);
            if (fields.size() < 3) {
                continue;
            }
            const int weight = std::atoi(fields[0].c_str());
            const std::string& pattern = fields[2];
            const bool caseSensitive =
                fields.size() > 3 && fields[3].find("cs") != std::string::npos;
            if (fnmatch(pattern.c_str(), name.c_str(), caseSensitive ? 0 : FNM_CASEFOLD) != 0) {
                continue;
            }
            if (weight > bestWeight || (weight == bestWeight && pattern.size() > bestLength)) {
                best = fields[1];
                bestWeight = weight;
                bestLength = pattern.size();
            }
        }
    }
    return best;
}

HICON LoadFileIcon(const std::string& path, bool small) {
    const std::string type = MimeTypeOfFileName(path);
    const std::size_t slash = type.find('/');
    if (slash == std::string::npos) {
        return nullptr;
    }
    std::string own = LookUpType("icons", type);
    if (own.empty()) {
        own = type;
        own[slash] = '-';
    }
    std::string generic = LookUpType("generic-icons", type);
    if (generic.empty()) {
        generic = type.substr(0, slash) + "-x-generic";
    }
    const int size = GetSystemMetrics(small ? SM_CXSMICON : SM_CXICON);
    const std::string sizeFolder = std::to_string(size) + "x" + std::to_string(size);
    for (const std::string& name : {own, generic}) {
        for (const fs::path& dir : DataDirectories()) {
            for (const char* theme : {"Adwaita", "hicolor"}) {
                const fs::path png =
                    dir / "icons" / theme / sizeFolder / "mimetypes" / (name + ".png");
                if (HICON icon = LoadIconPicture(png)) {
                    return icon;
                }
            }
        }
    }
    return nullptr;
}

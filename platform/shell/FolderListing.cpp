#include "platform/shell/FolderListing.h"

#include "platform/base/Utf8.h"

#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cwctype>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {

WString FoldCase(const std::string& name) {
    WString folded = Utf8ToWide(name);
    for (wchar_t& c : folded) {
        c = wchar_t(std::towlower(std::wint_t(c)));
    }
    return folded;
}

bool IsFolder(const std::string& path) {
    std::error_code error;
    return !path.empty() && fs::is_directory(path, error);
}

// A usable absolute folder without trailing slashes, or empty.
std::string UsableFolder(const char* path) {
    if (!path || path[0] != '/' || !IsFolder(path)) {
        return {};
    }
    std::string folder = path;
    while (folder.size() > 1 && folder.back() == '/') {
        folder.pop_back();
    }
    return folder;
}

} // namespace

CFolderListing ListSubfolders(const std::string& folder) {
    CFolderListing listing;
    std::error_code error;
    fs::directory_iterator it(folder, error);
    if (error) {
        return listing;
    }
    listing.readable = true;
    for (; it != fs::directory_iterator(); it.increment(error)) {
        if (error) {
            break; // what was read so far is still shown
        }
        const std::string name = it->path().filename().string();
        std::error_code statError;
        if (name.empty() || name[0] == '.' || !it->is_directory(statError)) {
            continue;
        }
        listing.names.push_back(name);
    }
    std::vector<std::pair<WString, std::string>> keyed;
    keyed.reserve(listing.names.size());
    for (std::string& name : listing.names) {
        keyed.emplace_back(FoldCase(name), std::move(name));
    }
    std::sort(keyed.begin(), keyed.end()); // equal folded names keep a fixed byte order
    for (size_t i = 0; i < keyed.size(); ++i) {
        listing.names[i] = std::move(keyed[i].second);
    }
    return listing;
}

std::string ParentFolder(const std::string& folder) {
    const size_t slash = folder.find_last_of('/');
    if (slash == std::string::npos || slash == 0) {
        return "/";
    }
    return folder.substr(0, slash);
}

std::string ChildFolder(const std::string& folder, const std::string& name) {
    return folder == "/" ? "/" + name : folder + "/" + name;
}

std::string HomeFolder() {
    std::string home = UsableFolder(std::getenv("HOME"));
    if (home.empty()) {
        const passwd* account = getpwuid(getuid());
        home = UsableFolder(account ? account->pw_dir : nullptr);
    }
    return home.empty() ? "/" : home;
}

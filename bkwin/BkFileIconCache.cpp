#include "bkwin/BkFileIconCache.h"

#include "platform/shell/FileIcon.h"

#include <filesystem>

FileIconCache& FileIconCache::Instance() {
    // Never destroyed, like the pools of drawing objects: the icons are left to the operating
    // system at exit.
    static FileIconCache& instance = *new FileIconCache;
    return instance;
}

HICON FileIconCache::Get(const std::string& path, bool small) {
    IconMap& icons = small ? m_small : m_large;
    if (const auto found = icons.find(path); found != icons.end()) {
        return found->second.get();
    }
    std::error_code error;
    if (!std::filesystem::exists(path, error)) {
        return nullptr;
    }
    HICON icon = LoadFileIcon(path, small);
    if (icon) {
        icons.emplace(path, std::unique_ptr<CIcon, CIconDeleter>(icon));
    }
    return icon;
}

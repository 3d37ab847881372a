// The desktop icons of files, fetched once per path and size and kept for the life of the
// process. Used on the UI thread only.
#pragma once

#include "platform/draw/Icon.h"

#include <memory>
#include <string>
#include <unordered_map>

class FileIconCache {
public:
    static FileIconCache& Instance();

    // The cached icon of the file, else the desktop's icon for it, cached when there is one.
    // Null when the file does not exist or has no icon; nothing is cached then, so the next
    // call tries again.
    HICON Get(const std::string& path, bool small);

private:
    struct CIconDeleter {
        void operator()(CIcon* icon) const { DestroyIcon(icon); }
    };
    using IconMap = std::unordered_map<std::string, std::unique_ptr<CIcon, CIconDeleter>>;

    IconMap m_large;
    IconMap m_small;
};
